// The amounts the editor shows: line totals rounded one by one, Due to the
// cent, charges typed by hand kept until the items change (for good when
// their rate is 0), and amounts too wide for an invoice refused.
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
  setLines({{"A", 2.5, 0.25}});
  EXPECT_EQ(model->ShowInvoice().totalText, "      0.63");
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
  EXPECT_EQ(model->ShowTotalDue().dueText, "    104.00");
  EXPECT_EQ(model->ShipTyped().taxText, "      5.15");  // 5% of 100 + 3
  model->ComputeTaxes();
  EXPECT_EQ(model->ShowInvoice().totalText, "    115.50");
  setLines({});
  model->ComputeTaxes();  // the last item removed
  EXPECT_EQ(model->ShowInvoice().shipText, "      0.00");
  EXPECT_EQ(model->totals().taxText, "      0.00");
}

TEST_F(TotalsTest, ATypedChargeWithoutRateStaysWhenItemsChange) {
  session->settings.TaxRate2 = 7.25;
  session->settings.TaxRound = kRoundNormal;
  setLines({{"A", 1, 30, false, true}});
  session->Invoice.Ship = 12.50;  // shipping typed; it has no rate
  model->ComputeTaxes();
  EXPECT_EQ(model->ShowInvoice().shipText, "     12.50");
  EXPECT_EQ(model->totals().taxText, "      2.18");
  EXPECT_EQ(model->totals().totalText, "     44.68");
}

TEST_F(TotalsTest, AnInvoiceTooLargeIsRefusedBeforeAnythingIsStored) {
  setLines({{"A", 999999.99, 99999.99}});
  session->Invoice.CuNo = 7;
  EXPECT_FALSE(model->SaveInvoice());
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].text, AmountTooLargeMessage("total of line 1"));
  EXPECT_EQ(session->invoices()->recCount(), 0u);
}

}  // namespace
}  // namespace vt::invoicing
