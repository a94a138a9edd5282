// The charges: the three rounding rules and Tax 2 charged on Tax 1.
#include <gtest/gtest.h>

#include "invoicing/invoice_arithmetic.h"

namespace vt::invoicing {
namespace {

TEST(RoundTax, EachRuleToTheCent) {
  struct Case {
    int rule;
    double amount, rounded;
  };
  const Case cases[] = {
      {kRoundUp, 1.235, 1.24},       {kRoundUp, 1.23001, 1.23},
      {kRoundDown, 1.239, 1.23},     {0, 1.239, 1.23},  // an unknown rule rounds down
      {kRoundNormal, 1.236, 1.24},   {kRoundNormal, 1.234, 1.23},
      {kRoundNormal, 1.005, 1.00},    // the binary value lies below the half cent
      {kRoundNormal, -1.236, -1.23},  // not mirrored
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RoundTax(c.amount, c.rule), c.rounded) << c.rule << " " << c.amount;
  }
}

TEST(ComputeCharges, TaxTwoOnTaxOne) {
  struct Case {
    double rate1, rate2;
    int shipTax;
    bool tax2;  // the one item of 100.00 bears Tax 1, and Tax 2 when set
    double ship, tax;
  };
  const Case cases[] = {
      {10, 5, kTaxOnTaxWhenTaxed, false, 10.00, 0.00},
      {10, 5, kTaxOnTaxWhenTaxed, true, 10.00, 5.50},
      {10, 5, kTaxOnTaxNo, true, 10.00, 5.00},
      {10, 5, kTaxOnTaxYes, false, 10.00, 0.50},
      {0, 7.25, kTaxOnTaxYes, true, 0.00, 7.25},
  };
  for (const Case& c : cases) {
    data::Settings s;
    s.TaxRate1 = c.rate1;
    s.TaxRate2 = c.rate2;
    s.ShipTax = c.shipTax;
    s.TaxRound = kRoundNormal;
    const std::optional<Charges> charges = ComputeCharges(s, {{100.00, true, c.tax2}});
    ASSERT_TRUE(charges);
    EXPECT_EQ(charges->Ship, c.ship) << c.shipTax << " " << c.tax2;
    EXPECT_EQ(charges->Tax, c.tax) << c.shipTax << " " << c.tax2;
  }
}

TEST(ComputeCharges, NothingWithoutRatesOrItems) {
  data::Settings s;
  s.TaxRound = kRoundNormal;
  EXPECT_FALSE(ComputeCharges(s, {{100.00, true, true}}));
  s.TaxRate1 = 10;
  EXPECT_FALSE(ComputeCharges(s, {}));
}

}  // namespace
}  // namespace vt::invoicing
