// Deleting the invoice being edited with its items and payments.
#include "data/invoice_journal.h"
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

// The invoice's items, payments and header marked deleted (the items and
// payments counted into `deleted`); false at the first failure.
bool InvoiceModel::removeStored(int (&deleted)[2]) {
  const int ivNo = session_.Invoice.IvNo;
  int i = 0;
  for (auto [table, tagName] :
       {std::pair{session_.items(), "Itm"}, std::pair{session_.payments(), "Pmt"}}) {
    const LinesRewritten removed = RewriteInvoiceLines(*table, tagName, ivNo, 0, nullptr);
    deleted[i++] = removed.deleted;
    if (removed.status < 0) return false;
  }
  engine::Table& invoices = *session_.invoices();
  engine::Engine& engine = session_.engine();
  engine.errorCode();
  if (invoices.go(static_cast<uint32_t>(session_.CurInvoice)) != engine::Result::Success) {
    return false;
  }
  invoices.deleteRecord();
  return invoices.flush() == 0 && engine.errorCode() == 0;
}

bool InvoiceModel::DeleteInvoice() {
  if (!tablesOpen() || data::RecoverInvoiceWork(session_) < 0) {
    return fail(messages::kDeleteFailed);
  }
  engine::Table& invoices = *session_.invoices();
  // A never-stored invoice has no record: its provisional number may by now
  // be another invoice's, whose items and payments must stay.
  if (session_.CurInvoice > 0) {
    data::InvoiceJournal journal(session_, session_.Invoice.IvNo);
    int deleted[2] = {0, 0};
    bool done = journal.Begin(session_.CurInvoice, 0) == 0 && removeStored(deleted);
    if (done && journal.Finish() < 0) done = false;
    if (!done) {
      journal.RollBack();
      session_.engine().errorCode();
      return fail(messages::kDeleteFailed);
    }
    if (deleted[0] > 0) pack(*session_.items());
    if (deleted[1] > 0) pack(*session_.payments());
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
