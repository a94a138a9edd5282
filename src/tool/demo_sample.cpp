#include "tool/demo_sample.h"

#include <numeric>

#include "engine/status.h"

namespace vt::tool::demo {
namespace {

// Days since 1 January 1970 of a date of the Gregorian calendar, and back.
long dayNumber(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const long era = (year >= 0 ? year : year - 399) / 400;
  const long yearOfEra = year - era * 400;
  const long dayOfYear = (153L * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

base::DateTime dateOfDayNumber(long number) {
  number += 719468;
  const long era = (number >= 0 ? number : number - 146096) / 146097;
  const long dayOfEra = number - era * 146097;
  const long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long shifted = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
  const int month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
  const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  return base::MakeDate(year, month, day);
}

}  // namespace

uint64_t Random::next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

int Random::between(int low, int high) {
  const auto span = static_cast<uint64_t>(high - low) + 1;
  return low + static_cast<int>(next() % span);
}

bool Random::chance(int percent) {
  return between(0, 99) < percent;
}

size_t Random::weighted(const std::vector<int>& weights) {
  int draw = between(1, std::accumulate(weights.begin(), weights.end(), 0));
  for (size_t i = 0; i < weights.size(); ++i) {
    draw -= weights[i];
    if (draw <= 0) return i;
  }
  return weights.size() - 1;
}

base::DateTime Sample::date(int day) const {
  return dateOfDayNumber(dayNumber(today.year, today.month, today.day) - (kLastDay - day));
}

int AppendRecord(engine::Table* table, data::DataSession& session,
                 int (data::DataSession::*store)()) {
  if (table == nullptr) return engine::kErrOpen;
  if (const int status = table->appendBlank(); status != 0) {
    return status < 0 ? status : engine::kErrWrite;
  }
  return (session.*store)();
}

}  // namespace vt::tool::demo
