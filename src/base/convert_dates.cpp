// Dates and their stored "yyyymmdd" keys.
#include <cstdio>
#include <ctime>

#include "base/convert.h"
#include "base/text1252.h"

namespace vt::base {

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool DateTime::isValidDate() const {
  return year >= 1 && year <= 9999 && day >= 1 && day <= DaysInMonth(year, month);
}

DateTime MakeDate(int year, int month, int day) {
  return {year, month, day, 0, 0, 0};
}

DateTime Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

DateTime FixCentury(const DateTime& value, int currentYear) {
  const int lowest = currentYear - 40;
  DateTime fixed = value.date();
  if (fixed.year < lowest) {
    fixed.year += 100;
  } else if (fixed.year >= lowest + 100) {
    fixed.year -= 100;
  }
  // 29 February of a leap year may land on a year without one.
  const int lastDay = DaysInMonth(fixed.year, fixed.month);
  if (lastDay > 0 && fixed.day > lastDay) fixed.day = lastDay;
  return fixed;
}

DateTime FixCentury(const DateTime& value) {
  return FixCentury(value, Now().year);
}

std::string DateToKey(const DateTime& value, int currentYear) {
  if (!value.isValidDate()) return std::string(8, ' ');
  const DateTime fixed = FixCentury(value, currentYear);
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", fixed.year, fixed.month, fixed.day);
  return text;
}

std::string DateToKey(const DateTime& value) {
  return DateToKey(value, Now().year);
}

namespace {

// The decimal value of digits text[from, from+count).
int digitsValue(std::string_view text, size_t from, size_t count) {
  int value = 0;
  for (size_t i = from; i < from + count; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

}  // namespace

std::optional<DateTime> DateFromKey(std::string_view key) {
  const std::string text = trim(key);
  if (text.size() != 8) return std::nullopt;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  const DateTime date =
      MakeDate(digitsValue(text, 0, 4), digitsValue(text, 4, 2), digitsValue(text, 6, 2));
  if (!date.isValidDate()) return std::nullopt;
  return date;
}

DateTime KeyToDate(std::string_view key, const DateTime& now) {
  return DateFromKey(key).value_or(now);
}

DateTime KeyToDate(std::string_view key) {
  return KeyToDate(key, Now());
}

std::string IsoDate(const DateTime& value) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", value.year, value.month, value.day);
  return text;
}

}  // namespace vt::base
