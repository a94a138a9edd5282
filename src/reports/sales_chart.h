// Sales Chart: the span's sales and payments month by month, as a bar chart
// across the first page and a table of the months under it.
#pragma once

#include "base/convert.h"
#include "reports/report_frame.h"

namespace vt::reports {

// Under the page header a bar chart (half a page tall, bar_chart.h) with one
// group per month of the span: the items sold, Ship, Tax and the payments
// received; then one row per month with the same figures (month, items,
// Ship, Tax, payments) and a row of totals. The figures are
// CollectMonthSales's. 0 when the document is built, kNoInvoices when the
// span holds neither an invoice nor a payment, or a negative engine status.
// Every table of the session is closed afterwards.
int SalesChart(ReportContext& context, const base::DateTime& from, const base::DateTime& to);

// "Jan 2026": the label of a month in the chart and the table.
std::string MonthLabel(int year, int month);

}  // namespace vt::reports
