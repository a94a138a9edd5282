// Receivables Aging: what every customer owed on a day, split by the age of
// the invoices it is owed on.
#pragma once

#include "base/convert.h"
#include "reports/report_frame.h"

namespace vt::reports {

// As of `asOf`: for every invoice dated on or before it, its total (items,
// Ship and Tax as stored) less its payments dated on or before it; invoices
// owing nothing then are left out. One row per customer in the customer
// order the settings choose (by name or by company; customer numbers not on
// file last, as UNKNOWN), with the balance in each bracket and the total,
// then a row of totals and a row of each bracket's share of the total in
// percent. Credits stay in their bracket with their sign. With `detail`,
// each customer's invoices (number, date, age) follow the customer's row,
// each balance in its bracket.
//
// 0 when the document is built, kNoInvoices when nothing is owed, or a
// negative engine status. Every table of the session is closed afterwards.
int ReceivablesAging(ReportContext& context, const base::DateTime& asOf, bool detail);

}  // namespace vt::reports
