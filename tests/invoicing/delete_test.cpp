// Deleting: a stored invoice goes with its items and payments; a never-stored
// one touches no record, not even of an invoice stored meanwhile under its
// provisional number.
#include <gtest/gtest.h>

#include "invoice_test_support.h"

namespace vt::invoicing {
namespace {

using Records = std::vector<std::string>;

class DeleteTest : public testing::InvoiceModelTest {};

TEST_F(DeleteTest, StoredInvoiceGoesWithItsLines) {
  storeInvoice(99, 7, {{"N", 1, 1}}, {1});
  session->CurInvoice = storeInvoice(100, 7, {{"A", 1, 1}, {"B", 2, 1}}, {3});
  storeInvoice(101, 8, {{"N", 1, 1}}, {1});
  ASSERT_EQ(session->LoadFullInvoice(), 0);
  ASSERT_TRUE(model->DeleteInvoice());
  EXPECT_EQ(testing::invoiceRecords(*session), (Records{"99 7", "101 8"}));
  EXPECT_EQ(testing::itemRecords(*session), (Records{"99 N 1.00", "101 N 1.00"}));
  EXPECT_EQ(testing::paymentRecords(*session), (Records{"99 1.00", "101 1.00"}));
  EXPECT_EQ(session->CurInvoice, 2);  // 101 after the pack
}

TEST_F(DeleteTest, NeverStoredInvoiceTouchesNoRecord) {
  storeInvoice(99, 7, {{"N", 1, 1}}, {1});
  model->ClearInvoice();
  const data::InvoiceRecord unsaved = session->Invoice;
  ASSERT_EQ(unsaved.IvNo, 100);
  const long theirs = storeInvoice(100, 8, {{"X", 1, 2}}, {2});  // by another program
  const Records invoices = testing::invoiceRecords(*session);
  const Records items = testing::itemRecords(*session);
  const Records payments = testing::paymentRecords(*session);
  session->Invoice = unsaved;
  ASSERT_TRUE(model->DeleteInvoice());
  EXPECT_EQ(testing::invoiceRecords(*session), invoices);
  EXPECT_EQ(testing::itemRecords(*session), items);
  EXPECT_EQ(testing::paymentRecords(*session), payments);
  EXPECT_EQ(session->CurInvoice, theirs);
}

}  // namespace
}  // namespace vt::invoicing
