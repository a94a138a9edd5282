// RoundCents and FloatText: halves away from zero, on the decimal an amount
// holds (not on its binary neighbour).
#include <gtest/gtest.h>

#include <cmath>

#include "base/convert.h"

namespace vt::base {
namespace {

TEST(RoundCents, HalvesGoAwayFromZero) {
  EXPECT_EQ(RoundCents(0.125), 0.13);
  EXPECT_EQ(RoundCents(-0.125), -0.13);
  EXPECT_EQ(RoundCents(0.005), 0.01);
  EXPECT_EQ(RoundCents(-0.005), -0.01);
  EXPECT_EQ(RoundCents(2.5), 2.5);
}

TEST(RoundCents, BelowTheHalfRoundsDown) {
  EXPECT_EQ(RoundCents(1.004), 1.00);
  EXPECT_EQ(RoundCents(-1.004), -1.00);
  EXPECT_EQ(RoundCents(0.0049), 0.0);
}

TEST(RoundCents, WorksOnTheDecimalValue) {
  // Binary values just below the half cent, and just above.
  EXPECT_EQ(RoundCents(1.005), 1.01);
  EXPECT_EQ(RoundCents(2.675), 2.68);
  EXPECT_EQ(RoundCents(-1.005), -1.01);
  EXPECT_EQ(RoundCents(-2.675), -2.68);
  EXPECT_EQ(RoundCents(0.015), 0.02);
  EXPECT_EQ(RoundCents(10.005), 10.01);
  EXPECT_EQ(RoundCents(-1.236), -1.24);
}

TEST(FloatText, RoundsHalvesAwayFromZeroNeverToEven) {
  EXPECT_EQ(FloatText(28.465, 10, 2), "     28.47");
  EXPECT_EQ(FloatText(0.625, 10, 2), "      0.63");
  EXPECT_EQ(FloatText(-0.625, 6, 2), " -0.63");
  EXPECT_EQ(FloatText(-0.004, 6, 2), "  0.00");
  EXPECT_EQ(FloatText(2.5, 0, 0), "3");
  EXPECT_EQ(FloatText(999999999.99, 12, 2), "999999999.99");
  EXPECT_EQ(FloatText(1e30, 0, 2), "1000000000000000019884624838656.00");
}

TEST(RoundCents, ZeroIsPositiveZero) {
  EXPECT_EQ(RoundCents(0.0), 0.0);
  EXPECT_FALSE(std::signbit(RoundCents(0.0)));
  EXPECT_FALSE(std::signbit(RoundCents(-0.0)));
  EXPECT_FALSE(std::signbit(RoundCents(-0.004)));
}

TEST(RoundCents, LargeAmountsKeepTheirCents) {
  EXPECT_EQ(RoundCents(1234567.895), 1234567.90);
  EXPECT_EQ(RoundCents(99999999.994), 99999999.99);
  EXPECT_EQ(RoundCents(-99999999.996), -100000000.0);
  EXPECT_EQ(RoundCents(123456789012.34), 123456789012.34);
}

TEST(RoundCents, ResultIsTheNearestDoubleOfItsCents) {
  for (int cents = -100000; cents <= 100000; cents += 7) {
    const double exact = cents / 100.0;
    ASSERT_EQ(RoundCents(exact), exact) << cents;
    ASSERT_EQ(RoundCents(exact + 0.001), exact) << cents;
  }
}

}  // namespace
}  // namespace vt::base
