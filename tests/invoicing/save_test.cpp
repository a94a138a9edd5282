// Saving: items and payments rewritten in place in key order, appended or
// deleted (and packed away) as their number changes, the neighbours
// untouched; the customer's note stored, nothing else of customer or product.
#include <gtest/gtest.h>

#include "invoice_test_support.h"

namespace vt::invoicing {
namespace {

using Records = std::vector<std::string>;

struct RewriteCase {
  const char* name;
  std::vector<testing::Line> before, after;
  std::vector<double> paidBefore, paidAfter;
  Records items, payments;  // afterwards, in physical order
};

const testing::Line kA{"A", 1, 1}, kB{"B", 2, 1}, kC{"C", 3, 1}, kZ{"Z", 9, 1};

const RewriteCase kRewrites[] = {
    {"ThreeToOne",
     {kA, kB, kC},
     {kZ},
     {1, 2},
     {4},
     {"99 N 1.00", "100 Z 9.00", "101 N 1.00"},
     {"99 1.00", "100 4.00", "101 1.00"}},
    {"OneToThree",
     {kA},
     {kZ, kB, kC},
     {1},
     {4, 5},
     {"99 N 1.00", "100 Z 9.00", "101 N 1.00", "100 B 2.00", "100 C 3.00"},
     {"99 1.00", "100 4.00", "101 1.00", "100 5.00"}},
    {"AllRemoved", {kA, kB, kC}, {}, {1}, {}, {"99 N 1.00", "101 N 1.00"}, {"99 1.00", "101 1.00"}},
};

class RewriteTest : public testing::InvoiceModelTest,
                    public ::testing::WithParamInterface<RewriteCase> {};

TEST_P(RewriteTest, InPlaceInKeyOrder) {
  const RewriteCase& c = GetParam();
  storeInvoice(99, 7, {{"N", 1, 1}}, {1});
  session->CurInvoice = storeInvoice(100, 7, c.before, c.paidBefore);
  storeInvoice(101, 7, {{"N", 1, 1}}, {1});
  ASSERT_EQ(session->LoadFullInvoice(), 0);
  setLines(c.after, c.paidAfter);
  ASSERT_TRUE(model->SaveInvoice());
  EXPECT_EQ(testing::itemRecords(*session), c.items);
  EXPECT_EQ(testing::paymentRecords(*session), c.payments);
  for (const std::string& date : testing::records(session->payments(), {"PDate"})) {
    EXPECT_EQ(date, "20260417");
  }
  EXPECT_EQ(testing::invoiceRecords(*session), (Records{"99 7", "100 7", "101 7"}));
  EXPECT_EQ(session->ItemCount, -1);
}

INSTANTIATE_TEST_SUITE_P(Save, RewriteTest, ::testing::ValuesIn(kRewrites),
                         [](const auto& info) { return std::string(info.param.name); });

class SaveTest : public testing::InvoiceModelTest {};

TEST_F(SaveTest, LinesMarkedDeletedStayDeleted) {
  // Item B and the first payment were removed by a save whose pack could not run.
  session->CurInvoice = storeInvoice(100, 7, {kA, kB, kC}, {1, 2});
  for (engine::Table* lines : {session->items(), session->payments()}) {
    ASSERT_EQ(lines->go(lines == session->items() ? 2 : 1), engine::Result::Success);
    lines->deleteRecord();
    ASSERT_EQ(lines->flush(), 0);
  }
  ASSERT_EQ(session->LoadFullInvoice(), 0);
  EXPECT_EQ(session->ItemCount, 1);
  EXPECT_EQ(session->PmtCount, 0);
  setLines({kA, kC, kZ}, {2, 4});
  ASSERT_TRUE(model->SaveInvoice());
  EXPECT_EQ(testing::itemRecords(*session),
            (Records{"100 A 1.00", "*100 B 2.00", "100 C 3.00", "100 Z 9.00"}));
  EXPECT_EQ(testing::paymentRecords(*session), (Records{"*100 1.00", "100 2.00", "100 4.00"}));
}

TEST_F(SaveTest, StoresOnlyTheCustomersNote) {
  data::CustomerRecord smith;
  smith.cuno = 7;
  smith.last = "Smith";
  data::testing::appendCustomer(*session, smith);
  data::testing::appendProduct(*session, {"A", "", "Widget", 1, false, false, true, "", "", 2, 5});
  const std::string products = data::testing::readFile(dir.file("Prod5.dbf"));
  model->ClearInvoice();
  session->Invoice.CuNo = 7;
  session->Customer.last = "Changed";
  session->Customer.note = "  call first  ";
  setLines({{"A", 1, 1}});
  dialogs.queueText("1");
  ASSERT_TRUE(model->SaveInvoice());
  engine::Table& customers = *session->customers();
  EXPECT_EQ(customers.selectedTag(), customers.tag("cname"));
  EXPECT_EQ(testing::records(&customers, {"cuno", "last", "note"}),
            (Records{"7 Smith call first"}));
  EXPECT_EQ(data::testing::readFile(dir.file("Prod5.dbf")), products);
}

}  // namespace
}  // namespace vt::invoicing
