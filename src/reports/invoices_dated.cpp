#include "reports/invoices_dated.h"

#include "data/live_records.h"

namespace vt::reports {

using engine::Result;

int ForInvoicesDated(data::DataSession& session, const base::DateTime& from,
                     const base::DateTime& to, const std::function<int(long recno)>& each) {
  engine::Engine& engine = session.engine();
  engine.errorCode();
  engine::Table* invoices = session.invoices();
  if (!invoices) return engine::kErrOpen;
  engine::Tag* byDate = invoices->tag("InvD");
  if (!byDate) return engine::kErrTag;
  invoices->selectTag(byDate);
  Result at = data::LiveSeek(*invoices, base::DateToKey(from));
  for (; at == Result::Success || at == Result::After; at = data::LiveNext(*invoices)) {
    if (const int status = session.LoadInvoice(); status < 0) return status;
    if (session.Invoice.IDate.date() > to.date()) break;
    if (const int stop = each(static_cast<long>(invoices->recNo())); stop != 0) return stop;
  }
  return engine.errorCode();
}

int AnyInvoiceDated(data::DataSession& session, const base::DateTime& from,
                    const base::DateTime& to, bool invoiceMode) {
  return ForInvoicesDated(session, from, to, [&session, invoiceMode](long) {
    return invoiceMode || session.Invoice.Due > 0 ? 1 : 0;
  });
}

int AnyStatementOwing(data::DataSession& session, const base::DateTime& to) {
  engine::Table* customers = session.customers();
  if (!customers) return engine::kErrOpen;
  engine::Tag* byNumber = customers->tag("CCNO");
  if (!byNumber) return engine::kErrTag;
  const base::DateTime earliest = base::MakeDate(1, 1, 1);
  return ForInvoicesDated(session, earliest, to, [&session, customers, byNumber](long) {
    if (session.Invoice.Due == 0) return 0;
    customers->selectTag(byNumber);
    const bool onFile =
        customers->seek(base::PadNumber(session.Invoice.CuNo, 6)) == Result::Success;
    if (const int status = session.engine().errorCode(); status < 0) return status;
    return onFile ? 1 : 0;
  });
}

}  // namespace vt::reports
