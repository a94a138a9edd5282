// Number and text helpers: padded numbers for index keys, fixed-point text
// with "." decimals, seek keys and positions.
#include <gtest/gtest.h>

#include "base/convert.h"

namespace vt::base {
namespace {

TEST(PadNumber, PadsOnTheLeftToTheWidth) {
  EXPECT_EQ(PadNumber(42, 6), "    42");
  EXPECT_EQ(PadNumber(0, 2), " 0");
  EXPECT_EQ(PadNumber(-7, 4), "  -7");
}

TEST(PadNumber, NeverCutsALongerNumber) {
  EXPECT_EQ(PadNumber(1234567, 6), "1234567");
  EXPECT_EQ(PadNumber(-12345, 3), "-12345");
  EXPECT_EQ(PadNumber(5, 0), "5");
}

TEST(FloatText, RightAlignedWithPointDecimals) {
  EXPECT_EQ(FloatText(3.5, 9, 2), "     3.50");
  EXPECT_EQ(FloatText(-12.345, 8, 2), "  -12.35");  // binary value just above
  EXPECT_EQ(FloatText(1234567.891, 10, 2), "1234567.89");
  EXPECT_EQ(FloatText(123456789.0, 8, 2), "123456789.00");
  EXPECT_EQ(FloatText(7, 3, 0), "  7");
}

TEST(KeyText, ConvertsAndCutsToSixtyCharacters) {
  EXPECT_EQ(KeyText("M\xC3\xBCller"), "M\xFCller");
  EXPECT_EQ(KeyText(std::string(70, 'a')), std::string(60, 'a'));
}

TEST(LastPos, OneBasedPositionOfTheLastOccurrence) {
  EXPECT_EQ(LastPos(".", "a.b.c"), 4);
  EXPECT_EQ(LastPos("ab", "abxab"), 4);
  EXPECT_EQ(LastPos("z", "abc"), 0);
  EXPECT_EQ(LastPos("", "abc"), 0);
}

TEST(Utf8Length, CountsCharactersNotBytes) {
  EXPECT_EQ(Utf8Length("M\xC3\xBCller"), 6u);
  EXPECT_EQ(Utf8Length("\xE2\x82\xAC"), 1u);
}

}  // namespace
}  // namespace vt::base
