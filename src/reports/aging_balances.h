// What each customer owed on a day, invoice by invoice: the figures behind
// Receivables Aging.
#pragma once

#include <array>
#include <map>
#include <vector>

#include "base/convert.h"
#include "base/money.h"
#include "reports/report_frame.h"

namespace vt::reports {

constexpr int kAgingBrackets = 4;
// The bracket of an invoice `days` old: 0 for 0-30 days, 1 for 31-60, 2 for
// 61-90, 3 beyond.
int AgingBracket(long days);
// Whole days from the day of `since` to the day of `until`; an invalid date
// counts as older than any bracket.
long DaysBetween(const base::DateTime& since, const base::DateTime& until);

struct AgedInvoice {
  int ivNo = 0;
  base::DateTime date;
  long age = 0;
  base::Cents balance = 0;
};

struct CustomerAging {
  std::array<base::Cents, kAgingBrackets> brackets{};
  // In date order, then number order.
  std::vector<AgedInvoice> invoices;
};

// By customer number.
using AgingByCustomer = std::map<int, CustomerAging>;

// Reads the live invoices and payments of the open tables into `out`: each
// invoice dated on or before `asOf` with what was owed on it that day, its
// stored Due plus its payments dated after `asOf`, when that is not zero.
// As of today this is the Due the Receivables report lists, to the cent.
// 0 or a negative engine status.
int CollectAging(data::DataSession& session, const base::DateTime& asOf, AgingByCustomer& out);

}  // namespace vt::reports
