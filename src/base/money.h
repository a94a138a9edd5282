// Exact money arithmetic. Amounts, quantities, prices and rates travel
// through the program as doubles, but each of them holds a decimal text: a
// numeric field of a table, or what was typed. Every calculation here takes
// a double back to the decimal it holds (15 significant digits, the way the
// tables store numbers) and works on whole numbers, so 7.25% of 30.00 is
// exactly 2.175 and rounds to 2.18, and 0.50 x 56.93 is 28.465 and gives
// 28.47. Results leave as whole cents, or as the double nearest to them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vt::base {

// An amount in whole cents.
using Cents = std::int64_t;

// How an exact value is taken to whole cents. Each rule works on the
// magnitude, so an amount and its negative round to opposite cents.
enum class CentRounding {
  HalfAway,   // nearest cent, halves away from zero
  UpFromBit,  // away from zero when at least 0.0001 past a whole cent
  Truncate,   // toward zero
};

// The largest magnitude any calculation here returns: results beyond it
// are held at it, which is far wider than any amount field, so a caller's
// check that an amount fits its field refuses them.
constexpr Cents kCentsLimit = 100'000'000'000'000'000;  // 10^17 cents

// The decimal `value` holds, in units of 10^-places (0 to 18), rounded half
// away from zero. Nothing when the value is not finite or the units do not
// fit in 64 bits.
std::optional<std::int64_t> DecimalUnits(double value, int places);

// An amount in whole cents, halves away from zero (held at kCentsLimit).
Cents ToCents(double value);
// The double nearest to an amount of whole cents; +0 for zero.
double FromCents(Cents cents);

// `value` to whole cents by `rounding`.
Cents RoundToCents(double value, CentRounding rounding);

// Quantity times unit price, to the cent, halves away from zero.
Cents LineCents(double quantity, double unitPrice);

// `ratePercent` percent of `base`, to the cent by `rounding`.
Cents PercentOf(double ratePercent, Cents base, CentRounding rounding);

// The decimal digits of `units` with the point `places` from the right
// ("-12.50" for -1250 at 2 places, "0.05" for 5).
std::string UnitsText(std::int64_t units, int places);

// A running total of amounts, kept in whole cents, so that a column of any
// length adds up to the cent.
class MoneyTotal {
 public:
  MoneyTotal() = default;
  explicit MoneyTotal(double amount) : cents_(ToCents(amount)) {}
  MoneyTotal& operator+=(double amount) {
    cents_ += ToCents(amount);
    return *this;
  }
  MoneyTotal& operator+=(const MoneyTotal& other) {
    cents_ += other.cents_;
    return *this;
  }
  MoneyTotal& operator-=(const MoneyTotal& other) {
    cents_ -= other.cents_;
    return *this;
  }
  friend MoneyTotal operator+(MoneyTotal a, const MoneyTotal& b) { return a += b; }
  friend MoneyTotal operator-(MoneyTotal a, const MoneyTotal& b) { return a -= b; }
  Cents cents() const { return cents_; }
  double value() const { return FromCents(cents_); }

 private:
  Cents cents_ = 0;
};

}  // namespace vt::base
