// ReformatAmount, the number reading under it and the amount mask, with the
// system's decimal separator: "." in the US, "," in Germany.
#include <gtest/gtest.h>

#include "ui/locale_format.h"
#include "window_test_support.h"

namespace vt::ui {
namespace {

using testing::LocaleScope;

TEST(ReformatAmount, TypedIntegerMovesInFrontOfTheDecimals) {
  LocaleScope us("en_US");
  EXPECT_EQ(ReformatAmount("12     .  ", "%8.2f"), "   12.00");
  EXPECT_EQ(ReformatAmount("     12.5 ", "%8.2f"), "   12.50");
  EXPECT_EQ(ReformatAmount("1234567.89", "%10.2f"), "1234567.89");
}

TEST(ReformatAmount, BlanksAnywhereAreRemovedFirst) {
  LocaleScope us("en_US");
  EXPECT_EQ(ReformatAmount("1 2 3  .4 ", "%8.2f"), "  123.40");
}

TEST(ReformatAmount, NegativeNumbersKeepTheFormat) {
  LocaleScope us("en_US");
  EXPECT_EQ(ReformatAmount("-12    .  ", "%8.2f"), "  -12.00");
  EXPECT_EQ(ReformatAmount("-0     .5 ", "%8.2f"), "   -0.50");
}

TEST(ReformatAmount, MinusBeforeAnyNonZeroDigitIsKept) {
  LocaleScope us("en_US");
  EXPECT_EQ(ReformatAmount("-0     .  ", "%8.2f"), "     -0.00");
  EXPECT_EQ(ReformatAmount("-00    .00", "%9.2f"), "     -0.00");
  EXPECT_EQ(ReformatAmount("-0.", "%8.2f"), "-0.00") << "padded only to the text's length";
}

TEST(ReformatAmount, GermanSeparatorIsReadAndShown) {
  LocaleScope german("de_DE");
  EXPECT_EQ(ReformatAmount("12     ,  ", "%8.2f"), "   12,00");
  EXPECT_EQ(ReformatAmount("-0     ,  ", "%8.2f"), "     -0,00");
  EXPECT_THROW(ReformatAmount("12.5", "%8.2f"), ConversionError);
}

TEST(ReformatAmount, TextThatIsNoNumberRaisesTheConversionError) {
  LocaleScope us("en_US");
  try {
    ReformatAmount("  1-2  .  ", "%8.2f");
    FAIL() << "no error";
  } catch (const ConversionError& error) {
    EXPECT_STREQ(error.what(), "'1-2.' is not a valid floating point value");
  }
  EXPECT_THROW(ReformatAmount("       .  ", "%8.2f"), ConversionError);
  EXPECT_THROW(ReformatAmount("-      .  ", "%8.2f"), ConversionError);
  EXPECT_THROW(ReformatAmount("--5", "%8.2f"), ConversionError);
}

TEST(ParseAmount, AcceptsTheFormsOfATypedNumber) {
  LocaleScope us("en_US");
  EXPECT_DOUBLE_EQ(ParseAmount("12."), 12.0);
  EXPECT_DOUBLE_EQ(ParseAmount(".5"), 0.5);
  EXPECT_DOUBLE_EQ(ParseAmount("+3.25"), 3.25);
  EXPECT_DOUBLE_EQ(ParseAmount("  -7.1 "), -7.1);
  EXPECT_DOUBLE_EQ(ParseAmount("1.5e2"), 150.0);
  EXPECT_THROW(ParseAmount("1 000"), ConversionError);
  EXPECT_THROW(ParseAmount("1e"), ConversionError);
  EXPECT_THROW(ParseAmount("1.2.3"), ConversionError);
  EXPECT_THROW(ParseAmount(""), ConversionError);
  EXPECT_THROW(ParseAmount("١٢"), ConversionError) << "digits of other scripts";
}

TEST(FormatAmount, CFormatWithTheSystemSeparator) {
  LocaleScope german("de_DE");
  EXPECT_EQ(FormatAmount(1234.5, "%10.2f"), "   1234,50");
  EXPECT_EQ(FormatAmount(-0.125, "%8.3f"), "  -0,125");
}

TEST(AmountMask, BuiltWithTheSystemSeparator) {
  {
    LocaleScope us("en_US");
    EXPECT_EQ(amountMask(7), "!#######.99;1;_");
    EXPECT_EQ(decimalSeparator(), QChar('.'));
  }
  LocaleScope german("de_DE");
  EXPECT_EQ(amountMask(2), "!##,99;1;_");
}

}  // namespace
}  // namespace vt::ui
