#include "base/codepage.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <string>

namespace vt::base {
namespace {

// One byte converted by the C library's iconv; nothing when it has no
// character for it in `to`.
std::optional<std::string> libcConvert(const char* from, const char* to, char byte) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    ADD_FAILURE() << "iconv cannot convert " << from << " to " << to;
    return std::nullopt;
  }
  char out[8];
  char* in = &byte;
  size_t inLeft = 1;
  char* outAt = out;
  size_t outLeft = sizeof out;
  const size_t done = iconv(cd, &in, &inLeft, &outAt, &outLeft);
  iconv_close(cd);
  if (done == static_cast<size_t>(-1)) return std::nullopt;
  return std::string(out, outAt);
}

TEST(CodePage, UpperHalvesAgreeWithTheCLibrary) {
  const struct {
    CodePage page;
    const char* name;
  } pages[] = {{CodePage::Dos437, "CP437"}, {CodePage::Dos850, "CP850"}};
  for (const auto& p : pages) {
    for (int b = 0x80; b <= 0xFF; ++b) {
      const std::string byte(1, static_cast<char>(b));
      SCOPED_TRACE(std::string(p.name) + " byte " + std::to_string(b));
      EXPECT_EQ(CodePageToUtf8(byte, p.page), libcConvert(p.name, "UTF-8", byte[0]));
      EXPECT_EQ(CodePageTo1252(byte, p.page), libcConvert(p.name, "CP1252", byte[0]).value_or("?"));
    }
  }
  EXPECT_EQ(CodePageToUtf8("M\x81ller", CodePage::Dos437), "Müller");
  EXPECT_EQ(CodePageTo1252("M\x81ller", CodePage::Windows1252), "M\x81ller");
}

TEST(CodePage, LanguageDriverNamesTheCodePage) {
  const struct {
    uint8_t driver;
    CodePage page;
  } cases[] = {{0x01, CodePage::Dos437},      {0x1B, CodePage::Dos437},
               {0x02, CodePage::Dos850},      {0x37, CodePage::Dos850},
               {0x00, CodePage::Windows1252}, {0x03, CodePage::Windows1252},
               {0x57, CodePage::Windows1252}, {0x64, CodePage::Windows1252}};
  for (const auto& c : cases) EXPECT_EQ(CodePageOfDriver(c.driver), c.page) << int{c.driver};
}

}  // namespace
}  // namespace vt::base
