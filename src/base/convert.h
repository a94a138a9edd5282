// The conversions every layer shares that need no locale: dates to and from
// the stored "yyyymmdd" keys with the fixed century window, money rounded to
// cents, numbers as fixed-width key text, and small text helpers. The date
// routines that read the clock have a form taking the current date, for
// callers (and tests) that hold their own clock.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt::base {

// A calendar date with a time of day, in local time. A default-made value
// (year 0) is no date at all.
struct DateTime {
  int year = 0;
  int month = 0;  // 1-12
  int day = 0;    // 1-31
  int hour = 0;
  int minute = 0;
  int second = 0;

  auto operator<=>(const DateTime&) const = default;
  // Year 1-9999 with a month and day that exist in it.
  bool isValidDate() const;
  // The same day at midnight.
  DateTime date() const { return {year, month, day, 0, 0, 0}; }
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // 0 for a month outside 1-12
DateTime MakeDate(int year, int month, int day);

// The local date and time from the system clock.
DateTime Now();

// Moves a date into the window of the current year Y: a year below Y-40 gets
// 100 years added, a year of Y+60 or more loses 100, so every stored date
// lies in Y-40 to Y+59. Month and day stay (29 February becomes the 28th
// when the shifted year has none); the time of day is dropped.
DateTime FixCentury(const DateTime& value, int currentYear);
DateTime FixCentury(const DateTime& value);

// "yyyymmdd" of the date brought into the century window; eight blanks (a
// blank date field) for a value that is no date.
std::string DateToKey(const DateTime& value, int currentYear);
std::string DateToKey(const DateTime& value);

// The date a stored key holds, at midnight: the text, trimmed, must be
// eight digits giving a date that exists. Nothing otherwise.
std::optional<DateTime> DateFromKey(std::string_view key);

// A stored key as a date at midnight. A blank key gives `now` (the current
// date and time); so does a key that is not eight digits of a real date,
// which the program never writes.
DateTime KeyToDate(std::string_view key, const DateTime& now);
DateTime KeyToDate(std::string_view key);

// "yyyy-mm-dd": the short date of the layers that know no locale (the
// command-line tool); the windows use the system's short date format.
std::string IsoDate(const DateTime& value);

// Money to cents, halves away from zero, on the decimal the amount holds
// (money.h): 1.005 and 2.675 give 1.01 and 2.68, -1.236 gives -1.24. A zero
// result is +0, never -0.
double RoundCents(double value);

// The decimal digits of n (with "-" when negative), blank-padded on the left
// to at least `width`; longer numbers are not cut. The form of Str(n, w) in
// the index keys.
std::string PadNumber(long value, int width);

// `count` blanks (none for a count below 1).
std::string Spaces(int count);

// Keys are at most this many characters.
constexpr size_t kMaxKeyLength = 60;
// A UTF-8 text as a seek key: Windows-1252 bytes, cut to 60 characters.
std::string KeyText(std::string_view utf8);

// The value right-aligned in `width` with `decimals` decimals and "." as the
// decimal point, whatever the locale, like the C format "%width.decimalsf"
// but rounded on the decimal the value holds, halves away from zero (28.465
// gives "28.47", 0.625 "0.63"); a value that rounds to zero has no sign.
std::string FloatText(double value, int width, int decimals);

// Index of the first element equal to `text`, or -1.
int FindInList(const std::vector<std::string>& list, std::string_view text);

// 1-based position of the last occurrence of `needle` in `text`; 0 if none
// (or when the needle is empty).
int LastPos(std::string_view needle, std::string_view text);

// Characters in a UTF-8 text (continuation bytes not counted).
size_t Utf8Length(std::string_view utf8);

}  // namespace vt::base
