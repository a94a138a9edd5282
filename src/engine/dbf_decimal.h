// Exact decimal numbers as digit text, for Str() keys and numeric field
// text: parsing field bytes or a double, rounding half away from zero on
// the decimal digits, and fixed-width formatting. No heap allocation.
#pragma once

#include <cstddef>

namespace vt::engine {

struct Decimal {
  static constexpr int kMaxDigits = 400;
  bool negative = false;
  int intLen = 0;           // integer digits (no leading zeros; 0 for values below 1)
  int fracLen = 0;          // fraction digits as given
  char digits[kMaxDigits];  // intLen integer digits, then fracLen fraction digits
};

// Parses numeric field text: leading blanks, an optional sign, digits, an
// optional '.' and digits. Parsing stops at the first other byte, so blank
// or foreign text reads as 0.
void parseDecimal(const char* text, size_t n, Decimal* out);

// The decimal value of a double to 15 significant digits, so 2.675 is taken
// as 2.675 rather than its binary neighbour. False for NaN, infinity and
// values too large to hold.
bool decimalFromDouble(double value, Decimal* out);

// Writes the value rounded to `decimals` digits (half away from zero),
// right-aligned in exactly `width` bytes, '-' just before the first digit,
// "0" before the point of values below 1. Fills `width` asterisks when it
// does not fit. A value that rounds to zero has no sign.
void formatDecimal(const Decimal& value, int width, int decimals, char* out);

// True when `text` is exactly what formatDecimal would write for its own
// value at this width and decimals (so it can be copied as is).
bool isCanonicalNumber(const char* text, int width, int decimals);

// Order-preserving key bytes of a numeric field used bare in a key: the value
// at the field's width and decimals with leading zeros instead of blanks and
// no sign; for negative values every digit d becomes the byte '0' - d, so
// that bytewise order is numeric order.
void numericKey(const char* text, int width, int decimals, char* out);

}  // namespace vt::engine
