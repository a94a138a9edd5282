// Numbers as numeric fields hold them: right-aligned ASCII text, "." as the
// decimal point whatever the process locale.
#pragma once

#include <cstddef>

namespace vt::engine {

// Parses field text (leading/trailing blanks allowed; all blanks = 0).
// Returns 0 for text that is not a number.
double parseNumber(const char* text, size_t n);
long parseLong(const char* text, size_t n);
// Writes `value` right-aligned in exactly `width` bytes with `decimals`
// digits after the point, rounded half away from zero on its decimal digits
// (2.675 gives "2.68": the double is read to 15 significant digits, not as
// its binary neighbour); fills with '*' when it does not fit. Str() of a
// double in a key gives the same text.
void formatNumber(double value, int width, int decimals, char* out);
void formatLong(long value, int width, char* out);

}  // namespace vt::engine
