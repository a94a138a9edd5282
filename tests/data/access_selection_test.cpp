// The selection cycle: the empty-table refusal, New leading to the editor,
// Cancel, the saved-new flag, a deleted invoice refused, and the "Add & Edit"
// loop around it.
#include <gtest/gtest.h>

#include "access_test_support.h"
#include "data/table_defs.h"

namespace vt::data {
namespace {

using testing::cancelEdit;
using testing::saveNewCustomer;
using testing::ScriptedEditor;
using testing::ScriptedPicker;

class SelectionCycleTest : public testing::AccessTest {
 protected:
  void SetUp() override {
    AccessTest::SetUp();
    ASSERT_TRUE(session->OpenCustomers());
  }
  void addCustomers(int count) {
    for (int i = 1; i <= count; ++i) {
      CustomerRecord c;
      c.cuno = i;
      c.last = "Customer " + std::to_string(i);
      ASSERT_NO_FATAL_FAILURE(testing::appendCustomer(*session, c));
    }
  }
  ScriptedPicker picker;
  ScriptedEditor editor;
};

struct EmptyCase {
  RecordKind kind;
  bool (DataSession::*open)();
  const char* message;
};

TEST_F(SelectionCycleTest, EmptyTableWithoutNewRefusesForEveryKind) {
  const EmptyCase cases[] = {
      {RecordKind::Customer, &DataSession::OpenCustomers, "Customer Database is Empty"},
      {RecordKind::Group, &DataSession::OpenGroups, "Group Database is Empty"},
      {RecordKind::Product, &DataSession::OpenProducts, "Product Database is Empty"},
      {RecordKind::Invoice, &DataSession::OpenInvoices, "Invoice Database is Empty"},
      {RecordKind::Purchase, &DataSession::OpenPurchases, "Purchase Database is Empty"},
      {RecordKind::Label, &DataSession::OpenLabels, "Label Database is Empty"},
  };
  for (const EmptyCase& c : cases) {
    ASSERT_TRUE((session.get()->*c.open)());
    session->Current(c.kind) = 7;
    dialogs.clear();
    const PickOutcome outcome = session->Pick(c.kind, false, picker, editor);
    EXPECT_FALSE(outcome.chosen) << c.message;
    EXPECT_FALSE(outcome.savedNew) << c.message;
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(session->Current(c.kind), -1) << c.message;
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].kind, base::DialogKind::Information);
    EXPECT_EQ(dialogs.shown()[0].text, c.message);
  }
  EXPECT_TRUE(picker.calls.empty());
  EXPECT_TRUE(editor.shownWith.empty());
}

TEST_F(SelectionCycleTest, EmptyTableWithNewStartsThePickerAtZero) {
  session->CurCustomer = 5;
  picker.queue(-1);
  EXPECT_FALSE(session->PickCustomer(true, picker, editor).chosen);
  ASSERT_EQ(picker.calls.size(), 1u);
  EXPECT_TRUE(picker.calls[0].allowNew);
  EXPECT_EQ(picker.calls[0].startedAt, 0);
  EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(SelectionCycleTest, NewThenSaveIsChosenAndSavedNew) {
  picker.queue(0);
  editor.queue(saveNewCustomer(*session, 1, "Adams"));
  const PickOutcome outcome = session->PickCustomer(true, picker, editor);
  EXPECT_TRUE(outcome.chosen);
  EXPECT_TRUE(outcome.savedNew);
  EXPECT_EQ(session->CurCustomer, 1);
  EXPECT_EQ(editor.shownWith, std::vector<long>{0});
}

TEST_F(SelectionCycleTest, NewThenCancelEndsWithNothingChosen) {
  ASSERT_NO_FATAL_FAILURE(addCustomers(1));
  picker.queue(0);
  editor.queue(cancelEdit());
  const PickOutcome outcome = session->PickCustomer(true, picker, editor);
  EXPECT_FALSE(outcome.chosen);
  EXPECT_FALSE(outcome.savedNew);
  EXPECT_EQ(session->CurCustomer, -1);
}

TEST_F(SelectionCycleTest, ChosenRecordIsReturnedWithoutTheEditor) {
  ASSERT_NO_FATAL_FAILURE(addCustomers(3));
  session->CurCustomer = 1;
  picker.queue(2);
  const PickOutcome outcome = session->PickCustomer(false, picker, editor);
  EXPECT_TRUE(outcome.chosen);
  EXPECT_FALSE(outcome.savedNew);
  EXPECT_EQ(session->CurCustomer, 2);
  ASSERT_EQ(picker.calls.size(), 1u);
  EXPECT_FALSE(picker.calls[0].allowNew);
  EXPECT_EQ(picker.calls[0].startedAt, 1);
  EXPECT_TRUE(editor.shownWith.empty());
}

TEST_F(SelectionCycleTest, CancelInThePickerChoosesNothing) {
  ASSERT_NO_FATAL_FAILURE(addCustomers(1));
  picker.queue(-1);
  EXPECT_FALSE(session->PickCustomer(true, picker, editor).chosen);
  EXPECT_EQ(session->CurCustomer, -1);
  EXPECT_TRUE(editor.shownWith.empty());
}

TEST_F(SelectionCycleTest, CustomerCycleSelectsTheNameOrder) {
  ASSERT_NO_FATAL_FAILURE(addCustomers(1));
  session->customers()->selectTag(session->customers()->tag("cComp"));
  picker.queue(1);
  session->PickCustomer(false, picker, editor);
  EXPECT_TRUE(sameName(session->customers()->selectedTag()->name(), "cName"));
}

TEST_F(SelectionCycleTest, AddAndEditBringsThePickerBackAfterASavedNewRecord) {
  ASSERT_NO_FATAL_FAILURE(addCustomers(1));
  picker.queue(0);  // New: saved, so no second editor
  editor.queue(saveNewCustomer(*session, 2, "Baker"));
  picker.queue(1);  // an existing record: edited
  editor.queue(cancelEdit());
  picker.queue(-1);  // Cancel ends the loop
  EXPECT_EQ(session->AddAndEdit(RecordKind::Customer, picker, editor), 0);
  EXPECT_EQ(picker.calls.size(), 3u);
  EXPECT_EQ(picker.calls[1].startedAt, 2) << "the picker starts at the saved record";
  EXPECT_EQ(editor.shownWith, (std::vector<long>{0, 1}));
  EXPECT_EQ(session->customers()->recCount(), 2u);
}

TEST_F(SelectionCycleTest, AddAndEditEndsWhenANewRecordIsCancelled) {
  ASSERT_NO_FATAL_FAILURE(addCustomers(1));
  picker.queue(0);
  editor.queue(cancelEdit());
  EXPECT_EQ(session->AddAndEdit(RecordKind::Customer, picker, editor), 0);
  EXPECT_EQ(picker.calls.size(), 1u);
  EXPECT_EQ(editor.shownWith, std::vector<long>{0});
}

TEST_F(SelectionCycleTest, DeletedInvoiceIsRefusedAndThePickerShownAgain) {
  ASSERT_TRUE(session->OpenInvoices());
  for (int number : {100, 101}) {
    InvoiceRecord invoice;
    invoice.IvNo = number;
    testing::appendInvoice(*session, invoice);
  }
  session->invoices()->deleteRecord();  // invoice 101, record 2
  ASSERT_EQ(session->invoices()->flush(), 0);
  picker.queue(2);
  picker.queue(1);
  const PickOutcome outcome = session->PickInvoice(false, picker, editor);
  EXPECT_TRUE(outcome.chosen);
  EXPECT_EQ(session->CurInvoice, 1);
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].text, "This invoice has been deleted and cannot be opened");
  EXPECT_EQ(picker.calls.size(), 2u);
}

TEST_F(SelectionCycleTest, TableNotOpenIsAFailure) {
  picker.queue(1);
  const PickOutcome outcome = session->PickGroup(true, picker, editor);
  EXPECT_EQ(outcome.status, engine::kErrOpen);
  EXPECT_FALSE(outcome.chosen);
  EXPECT_EQ(session->CurGroup, -1);
  EXPECT_TRUE(picker.calls.empty());
  EXPECT_EQ(session->AddAndEdit(RecordKind::Label, picker, editor), engine::kErrOpen);
}

TEST_F(SelectionCycleTest, StartsAtTheTopOrBottomOfTheSelectedOrder) {
  ASSERT_TRUE(session->OpenInvoices());
  EXPECT_EQ(session->StartAtBottom(RecordKind::Invoice), 0);
  EXPECT_EQ(session->CurInvoice, 0) << "empty table";
  for (int number : {105, 101, 103}) {
    InvoiceRecord inv;
    inv.IvNo = number;
    ASSERT_NO_FATAL_FAILURE(testing::appendInvoice(*session, inv));
  }
  EXPECT_EQ(session->StartAtBottom(RecordKind::Invoice), 0);
  EXPECT_EQ(session->CurInvoice, 1) << "invoice 105, the highest";
  EXPECT_EQ(session->StartAtTop(RecordKind::Invoice), 0);
  EXPECT_EQ(session->CurInvoice, 2) << "invoice 101";
}

}  // namespace
}  // namespace vt::data
