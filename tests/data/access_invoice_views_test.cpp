// The views of the current invoice: ItemLines with the product's code and
// text, PmtLines with the view's date text, the customer's address, and the
// customer's group.
#include <gtest/gtest.h>

#include "access_test_support.h"
#include "base/text1252.h"
#include "data/table_defs.h"

namespace vt::data {
namespace {

using testing::appendCustomer;
using testing::appendInvoice;
using testing::appendItem;
using testing::appendPayment;
using testing::appendProduct;

class InvoiceViewsTest : public testing::AccessTest {
 protected:
  void SetUp() override {
    AccessTest::SetUp();
    DataSession& s = *session;
    s.settings.ByCust = true;
    for (bool ok : {s.OpenCustomers(), s.OpenGroups(), s.OpenInvoices(), s.OpenItems(),
                    s.OpenPayments(), s.OpenProducts()}) {
      ASSERT_TRUE(ok);
    }
    CustomerRecord smith;
    smith.cuno = 7;
    smith.last = "Smith";
    smith.addr1 = "Acme";
    smith.zip = "62701";
    CustomerRecord jones;
    jones.cuno = 42;
    jones.title = "Ms";
    jones.first = "Bo";
    jones.last = "Jones";
    jones.addr1 = "Beta Ltd";
    jones.addr4 = "Albany NY";
    jones.zip = "12207";
    jones.ngroup = 2;
    ASSERT_NO_FATAL_FAILURE(appendCustomer(s, smith));
    ASSERT_NO_FATAL_FAILURE(appendCustomer(s, jones));
    testing::appendGroup(s, 2, "Retail");

    ProductRecord w1;
    w1.PrID = "W1";
    w1.RCode = "LIC-1";
    w1.PMemo = "Warranty: one year.";
    ProductRecord lower;
    lower.PrID = "w2";  // its key is "W2"
    lower.RCode = "LIC-2";
    appendProduct(s, w1);
    appendProduct(s, lower);

    InvoiceRecord inv;
    inv.IvNo = 100;
    inv.CuNo = 42;
    appendInvoice(s, inv);  // record 1
    inv.IvNo = 101;
    inv.CuNo = 7;
    appendInvoice(s, inv);  // record 2
    inv.IvNo = 102;
    inv.CuNo = 999;         // no such customer, no items, no payments
    appendInvoice(s, inv);  // record 3

    // Items of the two invoices interleaved in the file.
    appendItem(s, {100, "W1", 2, 3.5, true, false, "Widget", "  blue  "});
    appendItem(s, {101, "W1", 1, 1, false, false, "Widget", ""});
    appendItem(s, {100, "GONE", 1234567.5, -12.25, false, true, "Old part", ""});
    appendItem(s, {100, "w2", 1, 10, false, false, "Lower", ""});

    appendPayment(s, {100, base::MakeDate(2026, 3, 5), 5.0});
    appendPayment(s, {101, base::MakeDate(2026, 3, 6), 1.0});
    appendPayment(s, {100, base::MakeDate(2026, 4, 1), 1234.5});
  }
};

TEST_F(InvoiceViewsTest, FullInvoiceBuildsEveryView) {
  session->CurInvoice = 1;
  ASSERT_EQ(session->LoadFullInvoice(), 0);
  EXPECT_EQ(session->Invoice.IvNo, 100);

  ASSERT_EQ(session->ItemCount, 2);
  ASSERT_EQ(session->ItemLines.size(), 3u);
  EXPECT_EQ(session->ItemLines[0],
            (ItemRow{"W1        ", "     2.00", "    3.50", "t", "f",
                     "Widget" + std::string(21, ' '), "blue", "LIC-1", "Warranty: one year."}));
  EXPECT_EQ(session->ItemLines[1][ItemCol::Qty], "1234567.50");
  EXPECT_EQ(session->ItemLines[1][ItemCol::UPR], "  -12.25");
  EXPECT_EQ(session->ItemLines[1][ItemCol::LTax2], "t");

  ASSERT_EQ(session->PmtCount, 1);
  EXPECT_EQ(session->PmtLines[0], (PmtRow{"2026-03-05", "      5.00"}));
  EXPECT_EQ(session->PmtLines[1], (PmtRow{"2026-04-01", "   1234.50"}));

  EXPECT_EQ(session->CurCustomer, 2);
  EXPECT_EQ(session->Customer.cuno, 42);
  EXPECT_EQ(session->AddressLines,
            (std::vector<std::string>{"Ms Bo Jones", "Beta Ltd", "Albany NY  12207", "", ""}));
  EXPECT_TRUE(sameName(session->customers()->selectedTag()->name(), "CCNO"));
}

TEST_F(InvoiceViewsTest, ItemOfADeletedProductKeepsItsStoredText) {
  session->CurInvoice = 1;
  ASSERT_EQ(session->LoadFullInvoice(), 0);
  const ItemRow& gone = session->ItemLines[1];
  EXPECT_EQ(base::trim(gone[ItemCol::PrID]), "GONE");
  EXPECT_EQ(base::trim(gone[ItemCol::PDesc]), "Old part");
  EXPECT_EQ(gone[ItemCol::RCode], "");
  EXPECT_EQ(gone[ItemCol::PMemo], "");
}

TEST_F(InvoiceViewsTest, ProductIsSoughtByTheIdAsStored) {
  session->CurInvoice = 1;
  ASSERT_EQ(session->LoadFullInvoice(), 0);
  // "w2" against the upper-cased product key finds nothing.
  EXPECT_EQ(base::trim(session->ItemLines[2][ItemCol::PrID]), "w2");
  EXPECT_EQ(session->ItemLines[2][ItemCol::RCode], "");
}

TEST_F(InvoiceViewsTest, InvoiceWithoutItemsOrPaymentsHasOneEmptyRow) {
  session->CurInvoice = 1;
  ASSERT_EQ(session->LoadFullInvoice(), 0);
  session->CurInvoice = 3;
  ASSERT_EQ(session->LoadFullInvoice(), 0);
  EXPECT_EQ(session->ItemCount, -1);
  EXPECT_EQ(session->ItemLines, std::vector<ItemRow>{ItemRow{}});
  EXPECT_EQ(session->PmtCount, -1);
  EXPECT_EQ(session->PmtLines, std::vector<PmtRow>{PmtRow{}});
}

TEST_F(InvoiceViewsTest, UnknownCustomerLeavesOneEmptyAddressLine) {
  session->CurCustomer = 5;
  session->CurInvoice = 3;
  ASSERT_EQ(session->LoadFullInvoice(), 0);
  EXPECT_EQ(session->AddressLines, std::vector<std::string>{""});
  EXPECT_EQ(session->CurCustomer, 5);
}

TEST_F(InvoiceViewsTest, ViewsStopAtTheNextInvoice) {
  session->CurInvoice = 2;
  ASSERT_EQ(session->LoadFullInvoice(), 0);
  EXPECT_EQ(session->ItemCount, 0);
  EXPECT_EQ(session->PmtCount, 0);
  EXPECT_EQ(session->PmtLines[0][PmtCol::PAmt], "      1.00");
  EXPECT_EQ(session->AddressLines[0], "Smith");
}

TEST_F(InvoiceViewsTest, BlankPaymentDateShowsToday) {
  ASSERT_EQ(session->payments()->appendBlank(), 0);
  session->payments()->field("IvNo")->assignLong(101);
  ASSERT_EQ(session->payments()->flush(), 0);
  session->CurInvoice = 2;
  ASSERT_EQ(session->LoadFullInvoice(), 0);
  ASSERT_EQ(session->PmtCount, 1);
  EXPECT_EQ(session->PmtLines[1][PmtCol::PDate], "2026-04-17");
}

TEST_F(InvoiceViewsTest, LinesMarkedDeletedAreNotShown) {
  // The "GONE" item and the April payment, removed by a save whose pack
  // could not run.
  for (engine::Table* lines : {session->items(), session->payments()}) {
    ASSERT_EQ(lines->go(3), engine::Result::Success);
    lines->deleteRecord();
    ASSERT_EQ(lines->flush(), 0);
  }
  session->CurInvoice = 1;
  ASSERT_EQ(session->LoadFullInvoice(), 0);
  ASSERT_EQ(session->ItemCount, 1);
  EXPECT_EQ(base::trim(session->ItemLines[0][ItemCol::PrID]), "W1");
  EXPECT_EQ(base::trim(session->ItemLines[1][ItemCol::PrID]), "w2");
  ASSERT_EQ(session->PmtCount, 0);
  EXPECT_EQ(session->PmtLines[0][PmtCol::PAmt], "      5.00");
}

TEST_F(InvoiceViewsTest, BadInvoiceNumberFails) {
  session->CurInvoice = 0;
  EXPECT_LT(session->LoadFullInvoice(), 0);
  session->CurInvoice = 99;
  EXPECT_LT(session->LoadFullInvoice(), 0);
}

TEST_F(InvoiceViewsTest, ViewsNeedTheirTablesOpen) {
  session->CloseTable(TableId::Products);
  EXPECT_EQ(session->LoadInvoiceItems(), engine::kErrOpen);
  session->CloseTable(TableId::Payments);
  EXPECT_EQ(session->LoadInvoicePayments(), engine::kErrOpen);
}

TEST_F(InvoiceViewsTest, CustomerGroupIsFoundByNumber) {
  session->Customer.ngroup = 2;
  session->Group = {9, "stale"};
  ASSERT_EQ(session->FindCustomerGroup(), 0);
  EXPECT_EQ(session->Group.nGroup, 2);
  EXPECT_EQ(base::trim(session->Group.cGroup), "Retail");
}

TEST_F(InvoiceViewsTest, MissingCustomerGroupClearsTheGroupBuffer) {
  session->Customer.ngroup = 3;
  session->Group = {9, "stale"};
  ASSERT_EQ(session->FindCustomerGroup(), 0);
  EXPECT_EQ(session->Group.nGroup, 0);
  EXPECT_EQ(session->Group.cGroup, "");
  EXPECT_EQ(session->EngineResult, engine::Result::Eof);
}

}  // namespace
}  // namespace vt::data
