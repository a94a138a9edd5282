// What the customer picker leaves: the record number of the selected row
// for Select, a double click or Enter in the grid (0 for a blank row), 0 for
// New, -1 for Cancel and for closing the window by its frame. Deleted
// customers show "< DELETED >" and can still be chosen.
#include <QTimer>

#include "catalog/tpickcust.h"
#include "pick_fixture.h"

namespace vt::catalog::picktest {
namespace {

class PickChoice : public PickerTest {
 protected:
  long run(int customers, long start, const std::function<void(ui::GridPicker&)>& act,
           bool allowNew = true) {
    std::vector<CustomerRow> rows = numberedCustomers(customers);
    if (customers >= 4) rows[3].deleted = true;
    writeCustomers(rows);
    data::DataSession& session = openSession();
    vt::catalog::TPickCust picker(nullptr, session, ui);
    return Pick(picker, start, act, allowNew);
  }
};

void Click(QPushButton* button) {
  QTest::mouseClick(button, Qt::LeftButton);
}

TEST_F(PickChoice, SelectLeavesTheRecordOfTheSelectedRow) {
  long left = run(30, 1, [](ui::GridPicker& p) {
    p.recordsGrid->setCurrentCell(6, 2);
    Click(p.selectButton);
  });
  EXPECT_EQ(left, 7);
}

TEST_F(PickChoice, DoubleClickOnARowChoosesIt) {
  long left = run(30, 11, [](ui::GridPicker& p) {
    QRect cell = p.recordsGrid->visualItemRect(p.recordsGrid->item(2, 0));
    QTest::mouseClick(p.recordsGrid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(p.recordsGrid->viewport(), Qt::LeftButton, {}, cell.center());
  });
  EXPECT_EQ(left, 13);
}

TEST_F(PickChoice, EnterInTheGridChoosesTheSelectedRow) {
  long left = run(30, 20, [](ui::GridPicker& p) {
    QTest::keyClick(p.recordsGrid, Qt::Key_Down);
    QTest::keyClick(p.recordsGrid, Qt::Key_Return);
  });
  EXPECT_EQ(left, 21);
}

TEST_F(PickChoice, DeletedCustomerIsShownAndCanBeChosen) {
  long left = run(30, 1, [](ui::GridPicker& p) {
    EXPECT_EQ(Cell(p, 3, 2), "< DELETED >");
    EXPECT_EQ(Cell(p, 3, 0).trimmed(), "C000004");
    EXPECT_EQ(Cell(p, 2, 2).trimmed(), "N3");
    p.recordsGrid->setCurrentCell(3, 0);
    Click(p.selectButton);
  });
  EXPECT_EQ(left, 4);
}

TEST_F(PickChoice, DeletedCustomerByCompanyShowsItInPlaceOfTheFirstName) {
  writeCustomers({{"Lane", "Lou", "LANE LTD", "", 1, true}});
  data::DataSession& session = openSession();
  session.settings.ByCust = false;
  vt::catalog::TPickCust picker(nullptr, session, ui);
  Pick(picker, 1, [](ui::GridPicker& p) {
    EXPECT_EQ(RowTexts(p, 0)[2], "< DELETED >");
    EXPECT_EQ(RowTexts(p, 0)[1].trimmed(), "Lane");
  });
}

TEST_F(PickChoice, BlankRowLeavesZeroAsForNew) {
  long left = run(3, 1, [](ui::GridPicker& p) {
    p.recordsGrid->setCurrentCell(5, 0);
    Click(p.selectButton);
  });
  EXPECT_EQ(left, 0);
}

TEST_F(PickChoice, NewLeavesZero) {
  long left = run(30, 5, [](ui::GridPicker& p) { Click(p.newButton); });
  EXPECT_EQ(left, 0);
}

TEST_F(PickChoice, NewIsOfferedOnlyWhenTheCallerAllowsIt) {
  run(
      30, 5, [](ui::GridPicker& p) { EXPECT_FALSE(p.newButton->isEnabled()); }, false);
}

TEST_F(PickChoice, CancelLeavesMinusOne) {
  long left = run(5, 3, [](ui::GridPicker& p) { Click(p.cancelButton); });
  EXPECT_EQ(left, -1);
}

TEST_F(PickChoice, FrameCloseOnALargerTableLeavesMinusOne) {
  long left = run(30, 12, [](ui::GridPicker&) {});
  EXPECT_EQ(left, -1);
}

TEST_F(PickChoice, SelectionCycleShowsThePickerAndKeepsItsChoice) {
  writeCustomers(numberedCustomers(25));
  data::DataSession& session = openSession();
  vt::catalog::TPickCust picker(nullptr, session, ui);
  struct NoEditor : data::RecordEditor {
    void edit(long&) override { ADD_FAILURE() << "no editor expected"; }
  } editor;
  session.CurCustomer = 17;
  QTimer::singleShot(0, &picker, [&picker] {
    EXPECT_EQ(picker.recordAt(picker.recordsGrid->currentRow()), 17);
    picker.selectClicked();
  });
  data::PickOutcome outcome = session.PickCustomer(false, picker, editor);
  EXPECT_TRUE(outcome.chosen);
  EXPECT_EQ(session.CurCustomer, 17);
}

}  // namespace
}  // namespace vt::catalog::picktest
