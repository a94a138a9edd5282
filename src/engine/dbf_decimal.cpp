#include "dbf_decimal.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "dbf_bytes.h"

namespace vt::engine {
namespace {

constexpr int kMaxFormatDecimals = 255;

void fillStars(char* out, int width) {
  std::memset(out, '*', static_cast<size_t>(width));
}

// Integer digits plus `decimals` fraction digits of `v`, rounded half away
// from zero, into work[1..]; work[0] takes a carry out of the top digit.
// Returns the number of integer digits in work (carry digit included).
int roundedDigits(const Decimal& v, int decimals, char* work) {
  const int total = v.intLen + decimals;
  work[0] = '0';
  std::memcpy(work + 1, v.digits, static_cast<size_t>(v.intLen));
  for (int k = 0; k < decimals; ++k) {
    work[1 + v.intLen + k] = k < v.fracLen ? v.digits[v.intLen + k] : '0';
  }
  const bool up = v.fracLen > decimals && v.digits[v.intLen + decimals] >= '5';
  for (int k = total; up && k >= 0; --k) {
    if (work[k] != '9') {
      ++work[k];
      break;
    }
    work[k] = '0';
  }
  return v.intLen + 1;
}

}  // namespace

void parseDecimal(const char* text, size_t n, Decimal* out) {
  Decimal& d = *out;
  d.negative = false;
  d.intLen = 0;
  d.fracLen = 0;
  size_t i = 0;
  while (i < n && text[i] == ' ') ++i;
  if (i < n && (text[i] == '-' || text[i] == '+')) d.negative = text[i++] == '-';
  for (; i < n && isAsciiDigit(text[i]); ++i) {
    if (d.intLen == 0 && text[i] == '0') continue;  // leading zero
    if (d.intLen < Decimal::kMaxDigits) d.digits[d.intLen++] = text[i];
  }
  if (i >= n || text[i] != '.') return;
  for (++i; i < n && isAsciiDigit(text[i]) && d.intLen + d.fracLen < Decimal::kMaxDigits; ++i) {
    d.digits[d.intLen + d.fracLen++] = text[i];
  }
}

bool decimalFromDouble(double value, Decimal* out) {
  if (!std::isfinite(value)) return false;
  Decimal& d = *out;
  d.negative = value < 0;
  d.intLen = 0;
  d.fracLen = 0;
  if (value == 0) return true;
  char buf[40];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific,
                           14);  // d.dddddddddddddde+XX
  char mant[20];
  int m = 0;
  const char* p = buf;
  for (; p < res.ptr && *p != 'e'; ++p) {
    if (isAsciiDigit(*p) && m < 20) mant[m++] = *p;
  }
  int exp = 0;
  if (p < res.ptr) std::from_chars(p + (p[1] == '+' ? 2 : 1), res.ptr, exp);
  if (exp >= 0) {
    const int intLen = exp + 1;
    if (intLen + m > Decimal::kMaxDigits) return false;
    for (int k = 0; k < intLen; ++k) d.digits[k] = k < m ? mant[k] : '0';
    d.intLen = intLen;
    for (int k = intLen; k < m; ++k) d.digits[d.intLen + d.fracLen++] = mant[k];
    return true;
  }
  const int zeros = -exp - 1;
  if (zeros + m > Decimal::kMaxDigits) {  // far below any decimals we format
    d.negative = false;
    return true;
  }
  std::memset(d.digits, '0', static_cast<size_t>(zeros));
  std::memcpy(d.digits + zeros, mant, static_cast<size_t>(m));
  d.fracLen = zeros + m;
  return true;
}

void formatDecimal(const Decimal& v, int width, int decimals, char* out) {
  if (width <= 0) return;
  if (decimals < 0) decimals = 0;
  const int pointLen = decimals > 0 ? decimals + 1 : 0;
  if (decimals > kMaxFormatDecimals || v.intLen + pointLen > width) {
    fillStars(out, width);
    return;
  }
  char work[Decimal::kMaxDigits + kMaxFormatDecimals + 2];
  const int intDigits = roundedDigits(v, decimals, work);
  const int total = intDigits + decimals;
  int first = 0;  // first integer digit to show: no leading zeros, keep one
  while (first < intDigits - 1 && work[first] == '0') ++first;
  bool zero = true;
  for (int k = 0; k < total && zero; ++k) zero = work[k] == '0';
  const bool sign = v.negative && !zero;
  const int len = (sign ? 1 : 0) + (intDigits - first) + pointLen;
  if (len > width) {
    fillStars(out, width);
    return;
  }
  char* p = out + (width - len);
  std::memset(out, ' ', static_cast<size_t>(width - len));
  if (sign) *p++ = '-';
  std::memcpy(p, work + first, static_cast<size_t>(intDigits - first));
  p += intDigits - first;
  if (decimals > 0) {
    *p++ = '.';
    std::memcpy(p, work + intDigits, static_cast<size_t>(decimals));
  }
}

bool isCanonicalNumber(const char* text, int width, int decimals) {
  int i = 0;
  while (i < width && text[i] == ' ') ++i;
  const bool negative = i < width && text[i] == '-';
  if (negative) ++i;
  const int intStart = i;
  bool nonzero = false;
  for (; i < width && isAsciiDigit(text[i]); ++i) nonzero |= text[i] != '0';
  const int intLen = i - intStart;
  if (intLen == 0 || (intLen > 1 && text[intStart] == '0')) return false;
  if (decimals > 0) {
    if (i >= width || text[i] != '.') return false;
    const int fracStart = ++i;
    for (; i < width && isAsciiDigit(text[i]); ++i) nonzero |= text[i] != '0';
    if (i - fracStart != decimals) return false;
  }
  return i == width && (nonzero || !negative);
}

void numericKey(const char* text, int width, int decimals, char* out) {
  Decimal d;
  parseDecimal(text, static_cast<size_t>(width), &d);
  const bool negative = d.negative;
  d.negative = false;
  formatDecimal(d, width, decimals, out);
  if (out[0] == '*') return;
  for (int i = 0; i < width; ++i) {
    if (out[i] == ' ') out[i] = '0';
    if (negative && isAsciiDigit(out[i])) out[i] = static_cast<char>('0' - (out[i] - '0'));
  }
}

}  // namespace vt::engine
