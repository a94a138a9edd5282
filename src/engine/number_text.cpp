#include "number_text.h"

#include <charconv>
#include <cstring>

#include "dbf_decimal.h"

namespace vt::engine {

namespace {

void trimSpan(const char*& text, size_t& n) {
  while (n > 0 && (*text == ' ' || *text == '\0')) {
    ++text;
    --n;
  }
  while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\0')) --n;
}

void rightAlign(const char* digits, size_t len, int width, char* out) {
  if (len > static_cast<size_t>(width)) {
    std::memset(out, '*', width);
    return;
  }
  std::memset(out, ' ', width - len);
  std::memcpy(out + (width - len), digits, len);
}

}  // namespace

double parseNumber(const char* text, size_t n) {
  trimSpan(text, n);
  if (n == 0) return 0.0;
  const char* begin = text;
  if (*begin == '+') ++begin;
  double value = 0.0;
  auto [ptr, ec] = std::from_chars(begin, text + n, value, std::chars_format::fixed);
  if (ec != std::errc() || ptr != text + n) return 0.0;
  return value;
}

long parseLong(const char* text, size_t n) {
  trimSpan(text, n);
  if (n == 0) return 0;
  const char* begin = text;
  if (*begin == '+') ++begin;
  long value = 0;
  auto [ptr, ec] = std::from_chars(begin, text + n, value);
  if (ec != std::errc()) return 0;
  if (ptr != text + n) {
    // "12.50" in a field read as a whole number: drop the fraction.
    double d = parseNumber(text, n);
    return static_cast<long>(d);
  }
  return value;
}

void formatNumber(double value, int width, int decimals, char* out) {
  Decimal d;
  if (!decimalFromDouble(value, &d)) {
    if (width > 0) std::memset(out, '*', static_cast<size_t>(width));
    return;
  }
  formatDecimal(d, width, decimals, out);
}

void formatLong(long value, int width, char* out) {
  char buf[32];
  auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
  rightAlign(buf, ec == std::errc() ? ptr - buf : sizeof buf + 1, width, out);
}

}  // namespace vt::engine
