// The invoice arithmetic on exact decimals: line totals and the three
// rounding rules at their ties, Tax 2 charged on Tax 1, charges typed by
// hand, and a million random lines and charges against whole-number sums.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "invoicing/invoice_arithmetic.h"

namespace vt::invoicing {
namespace {

TEST(LineTotal, HalfCentsGoAwayFromZero) {
  struct Case {
    double quantity, price, total;
  };
  const Case cases[] = {
      {0.50, 56.93, 28.47}, {0.50, 821.79, 410.90},
      {2.50, 0.25, 0.63},   {-2.50, 0.25, -0.63},
      {0.50, 0.01, 0.01},   {0.49, 0.01, 0.00},
      {3, 0.1, 0.30},       {1.005, 1, 1.01},
      {-1.005, 1, -1.01},   {999999.99, 99999.99, 99999989000.00},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LineTotal(c.quantity, c.price), c.total) << c.quantity << " x " << c.price;
  }
}

TEST(RoundTax, EachRuleOnTheExactAmount) {
  struct Case {
    int rule;
    double amount, rounded;
  };
  const Case cases[] = {
      {kRoundNormal, 2.175, 2.18},   {kRoundNormal, 31.755, 31.76},
      {kRoundNormal, 1.005, 1.01},   {kRoundNormal, 1.234, 1.23},
      {kRoundNormal, -1.236, -1.24}, {kRoundNormal, -1.235, -1.24},
      {kRoundUp, 1.235, 1.24},       {kRoundUp, 1.23001, 1.23},
      {kRoundUp, 1.2301, 1.24},      {kRoundUp, 0.06, 0.06},
      {kRoundUp, -1.2301, -1.24},    {kRoundDown, 1.239, 1.23},
      {kRoundDown, 0.06, 0.06},      {kRoundDown, 0.15, 0.15},
      {kRoundDown, -1.239, -1.23},   {0, 1.239, 1.23},  // an unknown rule rounds down
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RoundTax(c.amount, c.rule), c.rounded) << c.rule << " " << c.amount;
  }
}

data::Settings Rates(double rate1, double rate2, int shipTax, int rule = kRoundNormal) {
  data::Settings s;
  s.TaxRate1 = rate1;
  s.TaxRate2 = rate2;
  s.ShipTax = shipTax;
  s.TaxRound = rule;
  return s;
}

TEST(ComputeCharges, RatesOfExactAmountsAndTaxTwoOnTaxOne) {
  struct Case {
    data::Settings settings;
    std::vector<TaxedLine> lines;
    double ship, tax;
  };
  const Case cases[] = {
      {Rates(0, 7.25, kTaxOnTaxNo), {{30.00, false, true}}, 0, 2.18},
      {Rates(0, 7.25, kTaxOnTaxNo), {{438.00, false, true}}, 0, 31.76},
      {Rates(6, 0, kTaxOnTaxNo, kRoundDown), {{1.00, true, false}}, 0.06, 0},
      {Rates(10, 0, kTaxOnTaxNo, kRoundDown), {{1.50, true, false}}, 0.15, 0},
      {Rates(10, 5, kTaxOnTaxWhenTaxed), {{100, true, false}}, 10, 0},
      {Rates(10, 5, kTaxOnTaxWhenTaxed), {{100, true, true}}, 10, 5.50},
      {Rates(10, 5, kTaxOnTaxNo), {{100, true, true}}, 10, 5},
      {Rates(10, 5, kTaxOnTaxYes), {{100, true, false}}, 10, 0.50},
      {Rates(7.25, 7.25, kTaxOnTaxYes), {{30, true, true}}, 2.18, 2.33},  // 7.25% of 32.18
      {Rates(8.25, 0, kTaxOnTaxNo), {{-30, true, false}}, -2.48, 0},      // a credit mirrors
      {Rates(10, 5, kTaxOnTaxYes), {}, 0, 0},                             // the last item removed
  };
  for (const Case& c : cases) {
    const Charges charges = ComputeCharges(c.settings, c.lines, {0, 0});
    EXPECT_EQ(charges.Ship, c.ship) << c.settings.TaxRate1 << " " << c.settings.TaxRate2;
    EXPECT_EQ(charges.Tax, c.tax) << c.settings.TaxRate1 << " " << c.settings.TaxRate2;
  }
}

TEST(ComputeCharges, AChargeWithoutRateKeepsWhatWasTyped) {
  const Charges typed{12.50, 3.00};
  const std::vector<TaxedLine> lines = {{100, true, true}};
  const Charges none = ComputeCharges(Rates(0, 0, kTaxOnTaxNo), lines, typed);
  EXPECT_EQ(none.Ship, 12.50);
  EXPECT_EQ(none.Tax, 3.00);
  const Charges taxOnly = ComputeCharges(Rates(0, 8, kTaxOnTaxNo), lines, typed);
  EXPECT_EQ(taxOnly.Ship, 12.50);  // shipping typed, sales tax computed
  EXPECT_EQ(taxOnly.Tax, 8.00);
  EXPECT_EQ(ComputeCharges(Rates(0, 8, kTaxOnTaxNo), {}, typed).Ship, 12.50);
}

TEST(TaxOnTypedShip, FollowsTheTypedShipOnlyWhenTaxedOnIt) {
  const std::vector<TaxedLine> lines = {{100, false, true}};
  EXPECT_EQ(TaxOnTypedShip(Rates(0, 10, kTaxOnTaxYes), lines, {20, 0}), 12.00);
  EXPECT_EQ(TaxOnTypedShip(Rates(0, 10, kTaxOnTaxWhenTaxed), lines, {20, 0}), 12.00);
  EXPECT_EQ(TaxOnTypedShip(Rates(0, 10, kTaxOnTaxNo), lines, {20, 7}), 7.00);
  EXPECT_EQ(TaxOnTypedShip(Rates(5, 0, kTaxOnTaxYes), lines, {20, 7}), 7.00);
}

// Whole hundredths q and p and a rate of r hundredths of a percent make
// exact sums in whole numbers: q x p ten-thousandths, r x base
// ten-thousandths of a cent.
long long Rounded(long long numerator, long long step, int rule) {
  const long long magnitude = std::llabs(numerator);
  long long whole = magnitude / step;
  const long long rest = magnitude % step;
  if ((rule == kRoundNormal && 2 * rest >= step) || (rule == kRoundUp && 100 * rest >= step)) {
    ++whole;
  }
  return numerator < 0 ? -whole : whole;
}

TEST(ExactArithmetic, AMillionRandomLinesAndChargesAgreeWithWholeNumbers) {
  std::mt19937_64 random(20261207);
  std::uniform_int_distribution<long long> hundredths(-99'999'999, 99'999'999);
  std::uniform_int_distribution<long long> rates(0, 9'999);
  std::uniform_int_distribution<int> rules(1, 3);
  for (int i = 0; i < 1'000'000; ++i) {
    const long long q = hundredths(random) / (i % 3 == 0 ? 1 : 1000);
    const long long p = hundredths(random) / (i % 2 == 0 ? 1 : 100);
    const long long lineCents = Rounded(q * p, 100, kRoundNormal);
    ASSERT_EQ(base::LineCents(q / 100.0, p / 100.0), lineCents) << q << " " << p;
    const long long r = rates(random);
    const int rule = rules(random);
    const base::Cents tax =
        base::ToCents(ComputeCharges(Rates(r / 100.0, 0, kTaxOnTaxNo, rule),
                                     {{base::FromCents(lineCents), true, false}}, {})
                          .Ship);
    ASSERT_EQ(tax, Rounded(r * lineCents, 10'000, rule)) << r << " " << lineCents << " " << rule;
  }
}

}  // namespace
}  // namespace vt::invoicing
