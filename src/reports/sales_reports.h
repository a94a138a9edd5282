// The reports that summarise invoices, their items and charges over a span
// of dates. Each opens the tables it needs, counts the invoices of the span,
// builds the document in `context.doc` under the progress box, and closes
// every table of the session. The caller shows the document and ends it.
//
// Each returns 0 when the document is built, kNoInvoices when no invoice is
// dated within the span (no document; the caller tells NothingMessage), or
// a negative engine status.
#pragma once

#include "base/convert.h"
#include "reports/report_frame.h"

namespace vt::reports {

// One row per invoice in date order: number, date, items (quantity times
// unit price of every line), Tax 1, Tax 2 and the invoice's total, and a
// row of totals.
int SalesSummary(ReportContext& context, const base::DateTime& from, const base::DateTime& to);

// The span's net item sales, the sales subject to each tax (Tax 1 only when
// its rate is above 0), the charges of each tax and the total.
int TaxSummary(ReportContext& context, const base::DateTime& from, const base::DateTime& to);

// One row per product sold in the span, in the product table's order, then
// codes no longer in the table as "Unknown Product": quantity and sales
// total, and the total of all sales.
int ProductSummary(ReportContext& context, const base::DateTime& from, const base::DateTime& to);

// One row per sale of product record `productRecno` (Prod5) in the span:
// customer, group, date and unit price; the last row underlined.
int ProductBuyers(ReportContext& context, long productRecno, const base::DateTime& from,
                  const base::DateTime& to);

// The payments of the span day by day: date on a day's first row, the
// invoice's check or card text, the amount, the day's total on its last row,
// and the total of all payments. kNoPayments when none is in the span.
int IncomeSummary(ReportContext& context, const base::DateTime& from, const base::DateTime& to);

// Every invoice with an amount due (credits included), in invoice-number
// order, with its customer, its age in days and the amount, and the total.
// No span; kNoInvoices when INV5 has no record.
int Receivables(ReportContext& context);

// Every message sent from the data directory by e-mail, oldest first: when,
// the document, the address and what the server said. kNoMail when none was
// ever sent.
int SentMail(ReportContext& context);

}  // namespace vt::reports
