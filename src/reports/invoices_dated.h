// The live invoices dated within a span, in date order: what invoices and
// bills by date print, and what the date window asks for before it accepts
// a span for them.
#pragma once

#include <functional>

#include "base/convert.h"
#include "data/data_session.h"

namespace vt::reports {

// Walks the live invoices of INV5 (open in `session`) dated from the day of
// `from` to the day of `to`, in date order, each loaded into the invoice
// buffer; `each` gets its record number and gives 0 to go on, or a positive
// number or a negative status to stop with. 0 when the walk ran to its end,
// what `each` stopped with, or a negative engine status.
int ForInvoicesDated(data::DataSession& session, const base::DateTime& from,
                     const base::DateTime& to, const std::function<int(long recno)>& each);

// Whether a run of invoices (`invoiceMode`) or of bills, which print only the
// invoices with something due, finds anything dated in the span: 1 when it
// does, 0 when not, or a negative engine status.
int AnyInvoiceDated(data::DataSession& session, const base::DateTime& from,
                    const base::DateTime& to, bool invoiceMode);

// Whether statements with balances up to `to` have anything to show: a live
// invoice dated on or before that day with something due or a credit, of a
// customer on file (CUST5 open too). 1, 0 or a negative engine status.
int AnyStatementOwing(data::DataSession& session, const base::DateTime& to);

}  // namespace vt::reports
