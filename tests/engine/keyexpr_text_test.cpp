// Windows-1252 upper case and Str() of doubles, as keys and seek texts use
// them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/key_expr.h"

namespace vt::engine {
namespace {

std::string str(double value, int width, int decimals = 0) {
  std::string out(static_cast<size_t>(width), '\x01');
  formatStr(value, width, decimals, out.data());
  return out;
}

std::string upper(std::string text) {
  upper1252(text.data(), text.size());
  return text;
}

TEST(Upper1252, AsciiLetters) {
  EXPECT_EQ(upper("abc xyz ABC 019 _-@[`{"), "ABC XYZ ABC 019 _-@[`{");
}

TEST(Upper1252, AccentedLettersWithAnUpperCaseForm) {
  EXPECT_EQ(upper("M\xFCller"), "M\xDCLLER");                // Müller
  EXPECT_EQ(upper("\x9A\x9C\x9E\xFF"), "\x8A\x8C\x8E\x9F");  // š œ ž ÿ
  EXPECT_EQ(upper1252(0xE0), 0xC0);                          // à
  EXPECT_EQ(upper1252(0xF6), 0xD6);                          // ö
  EXPECT_EQ(upper1252(0xF8), 0xD8);                          // ø
  EXPECT_EQ(upper1252(0xFE), 0xDE);                          // þ
}

TEST(Upper1252, EverythingElseStays) {
  EXPECT_EQ(upper1252(0xDF), 0xDF);  // ß
  EXPECT_EQ(upper1252(0xB5), 0xB5);  // µ
  EXPECT_EQ(upper1252(0xF7), 0xF7);  // ÷
  EXPECT_EQ(upper1252(0xD7), 0xD7);  // ×
  int changed = 0;
  for (int c = 0; c < 256; ++c) {
    if (upper1252(static_cast<unsigned char>(c)) != c) ++changed;
  }
  EXPECT_EQ(changed, 26 + 4 + 23 + 7);
}

TEST(FormatStr, RightAlignedWithLeadingBlanks) {
  EXPECT_EQ(str(42, 6), "    42");
  EXPECT_EQ(str(5, 6), "     5");
  EXPECT_EQ(str(0, 3), "  0");
  EXPECT_EQ(str(112.25, 10, 2), "    112.25");
  EXPECT_EQ(str(0.5, 6, 2), "  0.50");
}

TEST(FormatStr, RoundsHalfAwayFromZero) {
  EXPECT_EQ(str(2.675, 8, 2), "    2.68") << "2.675 is not taken as 2.67499999...";
  EXPECT_EQ(str(-2.675, 8, 2), "   -2.68");
  EXPECT_EQ(str(0.5, 3), "  1");
  EXPECT_EQ(str(-0.5, 3), " -1");
  EXPECT_EQ(str(1.005, 6, 2), "  1.01");
  EXPECT_EQ(str(9.995, 5, 2), "10.00");
  EXPECT_EQ(str(2.4999, 4), "   2");
  EXPECT_EQ(str(-0.001, 6, 2), "  0.00");
}

TEST(FormatStr, NegativeNumbers) {
  EXPECT_EQ(str(-12.5, 10, 2), "    -12.50");
  EXPECT_EQ(str(-42, 3), "-42");
}

TEST(FormatStr, AsterisksWhenItDoesNotFit) {
  EXPECT_EQ(str(1000, 3), "***");
  EXPECT_EQ(str(-100, 3), "***");
  EXPECT_EQ(str(999.995, 6, 2), "******") << "rounding carries into a new digit";
  EXPECT_EQ(str(1e300, 10), "**********");
  EXPECT_EQ(str(std::numeric_limits<double>::quiet_NaN(), 4), "****");
  EXPECT_EQ(str(std::numeric_limits<double>::infinity(), 4), "****");
}

TEST(FormatStr, TinyAndLargeValues) {
  EXPECT_EQ(str(1e-300, 6, 2), "  0.00");
  EXPECT_EQ(str(123456789012.0, 12), "123456789012");
  EXPECT_EQ(str(0.000005, 8, 5), " 0.00001");
}

}  // namespace
}  // namespace vt::engine
