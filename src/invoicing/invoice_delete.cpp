// Deleting the invoice being edited with its items and payments.
#include "invoicing/invoice_lines.h"
#include "invoicing/invoice_messages.h"
#include "invoicing/invoice_model.h"

namespace vt::invoicing {

namespace {

// The record number of the last record in the selected order, 0 if none.
long bottomRecord(engine::Table& table) {
  return table.bottom() == engine::Result::Success ? static_cast<long>(table.recNo()) : 0;
}

}  // namespace

bool InvoiceModel::DeleteInvoice() {
  if (!tablesOpen()) return fail(messages::kDeleteFailed);
  engine::Table& invoices = *session_.invoices();
  // A never-stored invoice has no record: its provisional number may by now
  // be another invoice's, whose items and payments must stay.
  if (session_.CurInvoice > 0) {
    const int ivNo = session_.Invoice.IvNo;
    for (auto [table, tagName] :
         {std::pair{session_.items(), "Itm"}, std::pair{session_.payments(), "Pmt"}}) {
      const LinesRewritten removed = RewriteInvoiceLines(*table, tagName, ivNo, 0, nullptr);
      if (removed.deleted > 0) pack(*table);
      if (removed.status < 0) return fail(messages::kDeleteFailed);
    }
    engine::Engine& engine = session_.engine();
    engine.errorCode();
    if (invoices.go(static_cast<uint32_t>(session_.CurInvoice)) == engine::Result::Success) {
      invoices.deleteRecord();
    }
    if (invoices.flush() < 0 || engine.errorCode() < 0) return fail(messages::kDeleteFailed);
  }
  pack(invoices);
  emptyViews();
  session_.CurCustomer = bottomRecord(*session_.customers());
  invoices.selectTag(invoices.tag("Inv"));
  session_.CurInvoice = bottomRecord(invoices);
  session_.engine().errorCode();
  return true;
}

}  // namespace vt::invoicing
