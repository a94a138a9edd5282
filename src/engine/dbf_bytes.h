// Small byte helpers shared by the file formats: little-endian integers and
// ASCII-only case folding (names in files are ASCII; text is not touched).
#pragma once

#include <cstdint>
#include <string_view>

namespace vt::engine {

inline uint16_t getLe16(const unsigned char* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t getLe32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline void putLe16(unsigned char* p, uint32_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
}

inline void putLe32(unsigned char* p, uint32_t v) {
  putLe16(p, v);
  putLe16(p + 2, v >> 16);
}

inline bool isAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

inline char upperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline bool equalNoCaseAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (upperAscii(a[i]) != upperAscii(b[i])) return false;
  }
  return true;
}

}  // namespace vt::engine
