// The amounts the editor shows: line totals rounded one by one, Due from the
// shown amounts, charges typed by hand kept until the items change.
#include <gtest/gtest.h>

#include "invoice_test_support.h"
#include "invoicing/invoice_arithmetic.h"

namespace vt::invoicing {
namespace {

class TotalsTest : public testing::InvoiceModelTest {};

TEST_F(TotalsTest, SubtotalAddsLineTotalsRoundedToCents) {
  setLines({{"A", 1, 0.10}, {"B", 1, 0.20}});
  EXPECT_EQ(model->ShowInvoice().subtotalText, "      0.30");
  setLines({{"A", 0.5, 0.25}, {"B", 0.5, 0.25}});  // 0.125 twice
  EXPECT_EQ(model->ShowInvoice().totalText, "      0.26");
}

TEST_F(TotalsTest, DueIsTheShownTotalLessTheShownPayments) {
  setLines({{"A", 1, 0.10}, {"B", 1, 0.20}}, {0.30});
  EXPECT_EQ(model->ShowInvoice().Due, 0.0);  // not 0.1 + 0.2 - 0.3
  EXPECT_EQ(session->Invoice.Due, 0.0);
}

TEST_F(TotalsTest, TypedChargesStandUntilTheItemsChange) {
  data::Settings& s = session->settings;
  s.TaxRate1 = 10;
  s.TaxRate2 = 5;
  s.ShipTax = kTaxOnTaxYes;
  s.TaxRound = kRoundNormal;
  setLines({{"A", 1, 100, true, true}});
  model->ShowInvoice();
  session->Invoice.Ship = 3;  // typed
  session->Invoice.Tax = 1;
  EXPECT_EQ(model->ShowTotalDue().dueText, "    104.00");  // Tax not recomputed
  model->ComputeTaxes();
  EXPECT_EQ(model->ShowInvoice().totalText, "    115.50");
  session->Invoice.Ship = 3;
  setLines({});
  model->ComputeTaxes();  // no item: nothing computed
  EXPECT_EQ(model->ShowInvoice().shipText, "      3.00");
  EXPECT_EQ(model->totals().taxText, "      5.50");
}

}  // namespace
}  // namespace vt::invoicing
