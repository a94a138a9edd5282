// Dates and their "yyyymmdd" keys: the century window, blank and malformed
// keys, and leap days moved across a century.
#include <gtest/gtest.h>

#include "base/convert.h"

namespace vt::base {
namespace {

const DateTime kNow{2026, 4, 17, 15, 30, 12};

TEST(DateKeys, DateToKeyIsEightDigitsWithoutSeparators) {
  EXPECT_EQ(DateToKey(MakeDate(1998, 3, 5), 2026), "19980305");
  EXPECT_EQ(DateToKey(MakeDate(2026, 12, 31), 2026), "20261231");
}

TEST(DateKeys, DateToKeyDropsTheTimeOfDay) {
  EXPECT_EQ(DateToKey(DateTime{2001, 2, 3, 23, 59, 59}, 2026), "20010203");
}

TEST(DateKeys, CenturyWindowRunsFromFortyYearsBackToFiftyNineAhead) {
  EXPECT_EQ(DateToKey(MakeDate(1985, 6, 1), 2026), "20850601");
  EXPECT_EQ(DateToKey(MakeDate(1986, 6, 1), 2026), "19860601");
  EXPECT_EQ(DateToKey(MakeDate(2085, 6, 1), 2026), "20850601");
  EXPECT_EQ(DateToKey(MakeDate(2086, 6, 1), 2026), "19860601");
  // A two-digit year read in the first century lands in the window.
  EXPECT_EQ(FixCentury(MakeDate(1926, 1, 1), 2026).year, 2026);
}

TEST(DateKeys, FixCenturyDropsTheTimeOfDay) {
  EXPECT_EQ(FixCentury(DateTime{2020, 5, 6, 7, 8, 9}, 2026), MakeDate(2020, 5, 6));
}

TEST(DateKeys, LeapDayShiftedIntoAYearWithoutOneBecomesThe28th) {
  // 2100 is no leap year; 2000 is.
  EXPECT_EQ(FixCentury(MakeDate(2000, 2, 29), 2140), MakeDate(2100, 2, 28));
  EXPECT_EQ(FixCentury(MakeDate(2096, 2, 29), 2026), MakeDate(1996, 2, 29));
}

TEST(DateKeys, NoDateStoresAsBlanks) {
  EXPECT_EQ(DateToKey(DateTime{}, 2026), "        ");
  EXPECT_EQ(DateToKey(MakeDate(2023, 2, 29), 2026), "        ");
  EXPECT_EQ(DateToKey(MakeDate(2023, 13, 1), 2026), "        ");
}

TEST(DateKeys, KeyToDateReadsAtMidnight) {
  EXPECT_EQ(KeyToDate("19980305", kNow), MakeDate(1998, 3, 5));
  EXPECT_EQ(KeyToDate("20240229", kNow), MakeDate(2024, 2, 29));
  EXPECT_EQ(KeyToDate(" 19980305 ", kNow), MakeDate(1998, 3, 5));
}

TEST(DateKeys, BlankKeyIsTheCurrentDateAndTime) {
  EXPECT_EQ(KeyToDate("", kNow), kNow);
  EXPECT_EQ(KeyToDate("        ", kNow), kNow);
}

TEST(DateKeys, MalformedKeyIsTheCurrentDateAndTime) {
  for (const char* key : {"2023", "2023010", "202301011", "2023-1-1", "20231301", "20230230",
                          "00000101", "2023010x", "abcdefgh"}) {
    EXPECT_EQ(KeyToDate(key, kNow), kNow) << key;
    EXPECT_FALSE(DateFromKey(key).has_value()) << key;
  }
}

TEST(DateKeys, KeysRoundTripInsideTheWindow) {
  for (int year = 1986; year <= 2085; year += 3) {
    for (int month = 1; month <= 12; ++month) {
      const DateTime date = MakeDate(year, month, DaysInMonth(year, month));
      ASSERT_EQ(KeyToDate(DateToKey(date, 2026), kNow), date) << year << "-" << month;
    }
  }
}

}  // namespace
}  // namespace vt::base
