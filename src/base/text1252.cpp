#include "base/text1252.h"

#include <array>
#include <cstdint>

namespace vt::base {
namespace {

// Code points of the bytes 0x80-0x9F; the rest of the code page equals
// Latin-1 (byte value = code point).
constexpr std::array<char32_t, 32> kHighBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char32_t codePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighBlock[byte - 0x80];
  return byte;
}

void appendUtf8(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The byte for a code point, or '?' when the code page has none.
char byteOf(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (size_t i = 0; i < kHighBlock.size(); ++i) {
    if (kHighBlock[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Decodes one UTF-8 sequence at text[pos]. Returns the number of bytes it
// takes (at least 1) and sets *cp, or U+FFFD for a malformed sequence.
size_t decodeOne(std::string_view text, size_t pos, char32_t* cp) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  size_t length;
  char32_t value;
  char32_t minimum;
  if (lead < 0x80) {
    *cp = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07, minimum = 0x10000;
  } else {
    *cp = 0xFFFD;
    return 1;
  }
  for (size_t i = 1; i < length; ++i) {
    if (pos + i >= text.size()) {
      *cp = 0xFFFD;
      return i;
    }
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) {
      *cp = 0xFFFD;
      return i;
    }
    value = (value << 6) | (next & 0x3F);
  }
  const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
  *cp = (value < minimum || value > 0x10FFFF || surrogate) ? 0xFFFD : value;
  return length;
}

constexpr std::array<unsigned char, 256> makeUpperTable() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = static_cast<unsigned char>(c);
  for (int c = 'a'; c <= 'z'; ++c) table[c] = static_cast<unsigned char>(c - 0x20);
  for (int c = 0xE0; c <= 0xFE; ++c) {
    if (c != 0xF7) table[c] = static_cast<unsigned char>(c - 0x20);
  }
  table[0x9A] = 0x8A;  // š
  table[0x9C] = 0x8C;  // œ
  table[0x9E] = 0x8E;  // ž
  table[0xFF] = 0x9F;  // ÿ
  return table;
}

constexpr std::array<unsigned char, 256> kUpper = makeUpperTable();

bool isBlank(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

}  // namespace

std::string toUtf8(std::string_view bytes1252) {
  std::string out;
  out.reserve(bytes1252.size());
  for (char c : bytes1252) appendUtf8(codePointOf(static_cast<unsigned char>(c)), out);
  return out;
}

std::string fromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    char32_t cp;
    pos += decodeOne(utf8, pos, &cp);
    out += byteOf(cp);
  }
  return out;
}

std::string upper1252(std::string_view bytes1252) {
  std::string out(bytes1252);
  for (char& c : out) c = static_cast<char>(kUpper[static_cast<unsigned char>(c)]);
  return out;
}

std::string trimRight(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && isBlank(text[end - 1])) --end;
  return std::string(text.substr(0, end));
}

std::string trimLeft(std::string_view text) {
  size_t begin = 0;
  while (begin < text.size() && isBlank(text[begin])) ++begin;
  return std::string(text.substr(begin));
}

std::string trim(std::string_view text) {
  return trimLeft(trimRight(text));
}

std::string blankSeparators(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

}  // namespace vt::base
