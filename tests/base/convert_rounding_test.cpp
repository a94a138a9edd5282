// RoundCents: halves away from zero, on the binary value of the amount.
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

TEST(RoundCents, WorksOnTheBinaryValue) {
  // Stored just below the half cent.
  EXPECT_EQ(RoundCents(1.005), 1.00);
  EXPECT_EQ(RoundCents(2.675), 2.67);
  EXPECT_EQ(RoundCents(-1.005), -1.00);
  EXPECT_EQ(RoundCents(-2.675), -2.67);
  EXPECT_EQ(RoundCents(0.015), 0.01);
  // Stored just above.
  EXPECT_EQ(RoundCents(10.005), 10.01);
  EXPECT_EQ(RoundCents(-10.005), -10.01);
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
