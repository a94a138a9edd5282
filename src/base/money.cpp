#include "base/money.h"

#include <charconv>
#include <cmath>

namespace vt::base {

namespace {

// Whole numbers wide enough for a product of two 15-digit decimals.
__extension__ typedef __int128 Wide;

constexpr int kMaxPow = 38;  // 10^38 still fits a Wide
constexpr Wide kWideMax = ((static_cast<Wide>(1) << 126) - 1) * 2 + 1;

Wide Pow10(int n) {
  Wide p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

Wide Magnitude(Wide v) {
  return v < 0 ? -v : v;
}

// A decimal value: digits x 10^-scale.
struct Exact {
  Wide digits = 0;
  int scale = 0;
};

// Magnitudes from here on are outside what the exact routines take.
constexpr double kExactLimit = 1e15;

// The decimal a finite double holds, to 15 significant digits.
Exact ExactOf(double value) {
  char text[40];
  const auto result =
      std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 14);
  Exact exact;
  bool negative = false;
  const char* p = text;
  if (*p == '-') {
    negative = true;
    ++p;
  }
  for (; p < result.ptr && *p != 'e'; ++p) {
    if (*p != '.') exact.digits = exact.digits * 10 + (*p - '0');
  }
  int exponent = 0;
  const char* sign = p + 1;  // "e+05", "e-01"
  std::from_chars(sign + (*sign == '+' ? 1 : 0), result.ptr, exponent);
  exact.scale = 14 - exponent;
  if (negative) exact.digits = -exact.digits;
  return exact;
}

// digits / 10^shift to a whole number by `rounding`; a negative shift
// multiplies. Nothing when the result does not fit a Wide.
std::optional<Wide> Shifted(Wide digits, int shift, CentRounding rounding) {
  if (shift <= 0) {
    if (digits == 0) return 0;
    if (-shift > kMaxPow || Magnitude(digits) > kWideMax / Pow10(-shift)) return std::nullopt;
    return digits * Pow10(-shift);
  }
  if (shift > kMaxPow) return 0;  // far below any rounding step of these values
  const Wide divisor = Pow10(shift);
  const Wide magnitude = Magnitude(digits);
  Wide whole = magnitude / divisor;
  const Wide rest = magnitude % divisor;
  switch (rounding) {
    case CentRounding::HalfAway:
      if (rest >= divisor - rest) ++whole;
      break;
    case CentRounding::UpFromBit:
      // One hundredth of the step: 0.0001 when the step is a cent.
      if (shift >= 2 ? rest >= divisor / 100 : rest * 100 >= divisor) ++whole;
      break;
    case CentRounding::Truncate:
      break;
  }
  return digits < 0 ? -whole : whole;
}

Cents Held(Wide cents) {
  if (cents > kCentsLimit) return kCentsLimit;
  if (cents < -kCentsLimit) return -kCentsLimit;
  return static_cast<Cents>(cents);
}

Cents HeldSign(bool negative) {
  return negative ? -kCentsLimit : kCentsLimit;
}

bool Exactable(double value) {
  return std::isfinite(value) && std::fabs(value) < kExactLimit;
}

Cents ExactToCents(const Exact& exact, CentRounding rounding) {
  const std::optional<Wide> cents = Shifted(exact.digits, exact.scale - 2, rounding);
  return cents ? Held(*cents) : HeldSign(exact.digits < 0);
}

}  // namespace

std::optional<std::int64_t> DecimalUnits(double value, int places) {
  if (!std::isfinite(value) || places < 0 || places > 18) return std::nullopt;
  if (value == 0) return 0;
  const Exact exact = ExactOf(value);
  const std::optional<Wide> units =
      Shifted(exact.digits, exact.scale - places, CentRounding::HalfAway);
  constexpr Wide kMax = INT64_MAX;
  if (!units || Magnitude(*units) > kMax) return std::nullopt;
  return static_cast<std::int64_t>(*units);
}

Cents ToCents(double value) {
  return RoundToCents(value, CentRounding::HalfAway);
}

double FromCents(Cents cents) {
  // Division by 100 gives the double nearest to the decimal (both exact
  // integers, one correctly rounded operation).
  return cents == 0 ? 0.0 : static_cast<double>(cents) / 100.0;
}

Cents RoundToCents(double value, CentRounding rounding) {
  if (std::isnan(value) || value == 0) return 0;
  if (!Exactable(value)) return HeldSign(value < 0);
  return ExactToCents(ExactOf(value), rounding);
}

Cents LineCents(double quantity, double unitPrice) {
  if (std::isnan(quantity) || std::isnan(unitPrice) || quantity == 0 || unitPrice == 0) return 0;
  if (!Exactable(quantity) || !Exactable(unitPrice))
    return HeldSign((quantity < 0) != (unitPrice < 0));
  const Exact q = ExactOf(quantity);
  const Exact p = ExactOf(unitPrice);
  return ExactToCents({q.digits * p.digits, q.scale + p.scale}, CentRounding::HalfAway);
}

Cents PercentOf(double ratePercent, Cents base, CentRounding rounding) {
  if (std::isnan(ratePercent) || ratePercent == 0 || base == 0) return 0;
  if (!Exactable(ratePercent)) return HeldSign((ratePercent < 0) != (base < 0));
  const Exact rate = ExactOf(ratePercent);
  // rate / 100 x base cents.
  const std::optional<Wide> cents =
      Shifted(rate.digits * static_cast<Wide>(Held(base)), rate.scale + 2, rounding);
  return cents ? Held(*cents) : HeldSign((ratePercent < 0) != (base < 0));
}

std::string UnitsText(std::int64_t units, int places) {
  const bool negative = units < 0;
  // The magnitude as unsigned, so the most negative value has one too.
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
  std::string digits = std::to_string(magnitude);
  if (places > 0) {
    if (digits.size() <= static_cast<size_t>(places)) {
      digits.insert(0, static_cast<size_t>(places) + 1 - digits.size(), '0');
    }
    digits.insert(digits.size() - static_cast<size_t>(places), 1, '.');
  }
  return negative ? "-" + digits : digits;
}

}  // namespace vt::base
