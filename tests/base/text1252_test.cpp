// Windows-1252 <-> UTF-8: every byte survives a round trip, the 0x80-0x9F
// block maps to its typographic characters, and what the code page cannot
// hold becomes '?'.
#include "base/text1252.h"

#include <gtest/gtest.h>

#include <string>

namespace vt::base {
namespace {

TEST(Text1252, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = toUtf8(all);
  EXPECT_EQ(fromUtf8(utf8), all);
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(fromUtf8(toUtf8(one)), one) << "byte " << b;
  }
}

TEST(Text1252, HighBlockMapsToTypographicCharacters) {
  struct Case {
    unsigned char byte;
    const char* utf8;
  };
  const Case cases[] = {
      {0x80, "€"}, {0x82, "‚"}, {0x83, "ƒ"}, {0x84, "„"}, {0x85, "…"}, {0x86, "†"}, {0x87, "‡"},
      {0x88, "ˆ"}, {0x89, "‰"}, {0x8A, "Š"}, {0x8B, "‹"}, {0x8C, "Œ"}, {0x8E, "Ž"}, {0x91, "‘"},
      {0x92, "’"}, {0x93, "“"}, {0x94, "”"}, {0x95, "•"}, {0x96, "–"}, {0x97, "—"}, {0x98, "˜"},
      {0x99, "™"}, {0x9A, "š"}, {0x9B, "›"}, {0x9C, "œ"}, {0x9E, "ž"}, {0x9F, "Ÿ"},
  };
  for (const Case& c : cases) {
    const std::string byte(1, static_cast<char>(c.byte));
    EXPECT_EQ(toUtf8(byte), c.utf8) << "byte " << int(c.byte);
    EXPECT_EQ(fromUtf8(c.utf8), byte) << c.utf8;
  }
}

TEST(Text1252, UndefinedBytesMapToControlCharacters) {
  for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    const std::string utf8 = toUtf8(std::string(1, static_cast<char>(b)));
    ASSERT_EQ(utf8.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(utf8[0]), 0xC2);
    EXPECT_EQ(static_cast<unsigned char>(utf8[1]), b);
  }
  // U+0080 has no byte: 0x80 is the euro sign.
  EXPECT_EQ(fromUtf8("\xC2\x80"), "?");
}

TEST(Text1252, Latin1RangeIsItself) {
  EXPECT_EQ(toUtf8("M\xFCller"), "Müller");
  EXPECT_EQ(fromUtf8("Müller & Söhne, Straße 5 ©"),
            "M\xFCller & S\xF6hne, Stra\xDF"
            "e 5 \xA9");
  EXPECT_EQ(toUtf8("\xA0\xFF"), "\u00A0ÿ");
}

TEST(Text1252, UnmappableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(fromUtf8("Ωmega"), "?mega");
  EXPECT_EQ(fromUtf8("a😀b"), "a?b");
  EXPECT_EQ(fromUtf8("日本"), "??");
}

TEST(Text1252, MalformedUtf8BecomesQuestionMarks) {
  EXPECT_EQ(fromUtf8("a\xFF"
                     "b"),
            "a?b");                          // byte that never starts a sequence
  EXPECT_EQ(fromUtf8("a\xC3"), "a?");        // cut short at the end
  EXPECT_EQ(fromUtf8("\xC3(x"), "?(x");      // continuation missing
  EXPECT_EQ(fromUtf8("\xC0\xAF"), "??");     // overlong form of '/'
  EXPECT_EQ(fromUtf8("\xED\xA0\x80"), "?");  // surrogate
  EXPECT_EQ(fromUtf8("\x80x"), "?x");        // stray continuation byte
}

TEST(Text1252, TrimRemovesBlanksAndControlCharacters) {
  EXPECT_EQ(trimRight("Smith     "), "Smith");
  EXPECT_EQ(trimRight("  two words \r\n\t"), "  two words");
  EXPECT_EQ(trimLeft("    42"), "42");
  EXPECT_EQ(trim("   12.50  "), "12.50");
  EXPECT_EQ(trim("      "), "");
  EXPECT_EQ(trim(""), "");
  EXPECT_EQ(trimRight("Müller  "), "Müller");
  EXPECT_EQ(trimRight("caf\xE9 "), "caf\xE9");  // a high byte is not a blank
}

}  // namespace
}  // namespace vt::base
