// A save that cannot write a record part way (its table refuses writes)
// stops with its box and leaves every table as it was before the save (what
// it added marked deleted); the next save stores the invoice once, the
// neighbour untouched. A line appended but not stored is dropped rather than
// left blank.
#include <gtest/gtest.h>

#include "invoice_test_support.h"
#include "invoicing/invoice_lines.h"

namespace vt::invoicing {
namespace {

using Records = std::vector<std::string>;

struct StopCase {
  const char* name;
  bool (data::DataSession::*open)();  // the table that refuses writes
  const char* box;
};

const StopCase kStops[] = {
    {"Header", &data::DataSession::OpenInvoices,
     "Unable to add invoice at this time. Please try again later"},
    {"Items", &data::DataSession::OpenItems,
     "Unable to add invoice Items at this time. Please try again later"},
    {"Payments", &data::DataSession::OpenPayments,
     "Unable to add Payments at this time. Please try again later"},
};

// The records not marked deleted.
Records live(Records records) {
  std::erase_if(records, [](const std::string& r) { return r.starts_with("*"); });
  return records;
}

class InterruptedSaveTest : public testing::InvoiceModelTest,
                            public ::testing::WithParamInterface<StopCase> {};

TEST_P(InterruptedSaveTest, LeavesEverythingAsBeforeAndTheNextSaveStoresItOnce) {
  const StopCase& c = GetParam();
  storeInvoice(99, 7, {{"N", 1, 1}}, {1});
  model->ClearInvoice();
  session->Invoice.CuNo = 7;
  setLines({{"A", 1, 1}, {"B", 2, 1}, {"C", 3, 1}}, {4, 5});
  session->engine().readOnly = true;
  ASSERT_TRUE(((*session).*c.open)());
  session->engine().readOnly = false;
  EXPECT_FALSE(model->SaveInvoice());
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].text, c.box);
  EXPECT_EQ(session->CurInvoice, 0);  // still a new invoice
  EXPECT_EQ(session->ItemCount, 2);   // and on screen
  EXPECT_EQ(live(testing::invoiceRecords(*session)), (Records{"99 7"}));
  EXPECT_EQ(live(testing::itemRecords(*session)), (Records{"99 N 1.00"}));
  EXPECT_EQ(live(testing::paymentRecords(*session)), (Records{"99 1.00"}));

  ASSERT_TRUE(((*session).*c.open)());
  ASSERT_TRUE(model->SaveInvoice());
  EXPECT_EQ(live(testing::invoiceRecords(*session)), (Records{"99 7", "100 7"}));
  EXPECT_EQ(live(testing::itemRecords(*session)),
            (Records{"99 N 1.00", "100 A 1.00", "100 B 2.00", "100 C 3.00"}));
  EXPECT_EQ(live(testing::paymentRecords(*session)), (Records{"99 1.00", "100 4.00", "100 5.00"}));
}

INSTANTIATE_TEST_SUITE_P(Stop, InterruptedSaveTest, ::testing::ValuesIn(kStops),
                         [](const auto& info) { return std::string(info.param.name); });

class LinesTest : public testing::InvoiceModelTest {};

TEST_F(LinesTest, LineAppendedButNotStoredIsDropped) {
  storeInvoice(99, 7, {{"N", 1, 1}});
  const LinesRewritten done = RewriteInvoiceLines(*session->items(), "Itm", 100, 2, [&](size_t i) {
    if (i == 1) return static_cast<int>(engine::kErrWrite);
    session->Item = {100, "A", 1, 1, false, false, "", ""};
    return session->StoreItem();
  });
  EXPECT_EQ(done.status, engine::kErrWrite);
  EXPECT_EQ(done.deleted, 1);
  EXPECT_EQ(testing::itemRecords(*session), (Records{"99 N 1.00", "100 A 1.00", "*  "}));
}

}  // namespace
}  // namespace vt::invoicing
