// Money rounding, fixed-width number text and small text helpers.
#include "base/convert.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/money.h"
#include "base/text1252.h"

namespace vt::base {

double RoundCents(double value) {
  return FromCents(ToCents(value));
}

std::string PadNumber(long value, int width) {
  const std::string digits = std::to_string(value);
  const auto size = static_cast<int>(digits.size());
  return size >= width ? digits : Spaces(width - size) + digits;
}

std::string Spaces(int count) {
  return count > 0 ? std::string(static_cast<size_t>(count), ' ') : std::string();
}

std::string KeyText(std::string_view utf8) {
  std::string key = fromUtf8(utf8);
  if (key.size() > kMaxKeyLength) key.resize(kMaxKeyLength);
  return key;
}

std::string FloatText(double value, int width, int decimals) {
  std::string digits;
  if (const std::optional<std::int64_t> units = DecimalUnits(value, decimals)) {
    digits = UnitsText(*units, decimals);
  } else {
    // Beyond what whole units hold: written out by the library, in full.
    char text[400];
    const int places = std::clamp(decimals, 0, 40);
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, places);
    digits.assign(text, result.ptr);
  }
  const auto size = static_cast<int>(digits.size());
  return size >= width ? digits : Spaces(width - size) + digits;
}

int FindInList(const std::vector<std::string>& list, std::string_view text) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i] == text) return static_cast<int>(i);
  }
  return -1;
}

int LastPos(std::string_view needle, std::string_view text) {
  if (needle.empty()) return 0;
  const size_t at = text.rfind(needle);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

size_t Utf8Length(std::string_view utf8) {
  size_t count = 0;
  for (char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace vt::base
