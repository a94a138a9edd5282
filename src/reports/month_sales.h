// The sales and payments of a span month by month: the figures behind the
// Sales Chart, walked as Sales Summary walks the invoices and Daily Income
// the payments, so the months add up to those reports to the cent.
#pragma once

#include <vector>

#include "base/convert.h"
#include "base/money.h"
#include "reports/report_frame.h"

namespace vt::reports {

struct MonthSales {
  int year = 0;
  int month = 0;           // 1-12
  base::MoneyTotal items;  // every line's total to the cent
  base::MoneyTotal ship;
  base::MoneyTotal tax;
  base::MoneyTotal payments;  // dated within the month
};

// One entry per month from the month of `from` to that of `to` (months
// with nothing included), filled from the invoices and the payments dated
// from the day of `from` to the day of `to`. Opens the tables it needs and
// closes every table of the session. 0, kNoInvoices when the span holds
// neither an invoice nor a payment, or a negative engine status.
int CollectMonthSales(ReportContext& context, const base::DateTime& from, const base::DateTime& to,
                      std::vector<MonthSales>& out);

}  // namespace vt::reports
