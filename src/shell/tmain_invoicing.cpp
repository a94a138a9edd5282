// The Invoices page's "Create & Edit Invoices" button: the invoice cycle on
// every table an invoice touches, then a pack of everything when the cycle
// deleted something.
#include "invoicing/tinvoice.h"
#include "invoicing/tpickinv.h"
#include "shell/app_state.h"
#include "shell/catalog_windows.h"
#include "shell/tmain.h"

namespace vt::shell {

void TMain::invoicesClicked() {
  data::DataSession* session = state_.session();
  if (!session || !catalog_) return;
  if (!session->OpenCustomers() || !session->OpenGroups() || !session->OpenInvoices() ||
      !session->OpenItems() || !session->OpenPayments() || !session->OpenProducts()) {
    return;
  }
  engine::Table* invoices = session->invoices();
  invoices->selectTag(invoices->tag("Inv"));
  session->StartAtBottom(data::RecordKind::Invoice);
  session->AddAndEdit(data::RecordKind::Invoice, *catalog_->PickInv, *catalog_->Invoice);
  session->CloseAll();
  if (session->NeedsPack) PackDataFiles();
}

}  // namespace vt::shell
