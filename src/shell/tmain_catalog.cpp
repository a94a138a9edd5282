// The Customers and Products page's "Add & Edit" buttons: each opens its
// tables, runs its selection cycle, closes everything and packs its one table
// when the cycle deleted something.
#include "catalog/tcustomer.h"
#include "catalog/tgroupdef.h"
#include "catalog/tpickcust.h"
#include "catalog/tpickgroup.h"
#include "catalog/tpickprod.h"
#include "catalog/tpickpur.h"
#include "catalog/tproddef.h"
#include "catalog/tpurdef.h"
#include "engine/status.h"
#include "shell/app_state.h"
#include "shell/catalog_windows.h"
#include "shell/tmain.h"

namespace vt::shell {

using data::RecordKind;

void TMain::customersClicked() {
  data::DataSession* session = state_.session();
  if (!session || !catalog_) return;
  session->NeedsPack = false;
  if (!session->OpenCustomers() || !session->OpenGroups()) return;
  engine::Table* customers = session->customers();
  customers->selectTag(customers->tag(session->settings.ByCust ? "cname" : "cComp"));
  session->StartAtTop(RecordKind::Customer);
  session->AddAndEdit(RecordKind::Customer, *catalog_->PickCust, *catalog_->Customer);
  FinishCatalogWork("CUST5");
}

void TMain::groupsClicked() {
  data::DataSession* session = state_.session();
  if (!session || !catalog_) return;
  if (!session->OpenGroups() || !session->OpenCustomers()) return;
  engine::Table* groups = session->groups();
  groups->selectTag(groups->tag("cGroup"));
  session->StartAtTop(RecordKind::Group);
  session->AddAndEdit(RecordKind::Group, catalog_->pickGroup(), catalog_->groupDef());
  FinishCatalogWork("GROUPS");
}

void TMain::productsClicked() {
  data::DataSession* session = state_.session();
  if (!session || !catalog_) return;
  if (!session->OpenProducts()) return;
  session->StartAtTop(RecordKind::Product);
  session->AddAndEdit(RecordKind::Product, *catalog_->PickProd, *catalog_->ProdDef);
  FinishCatalogWork("Prod5");
}

void TMain::purchasesClicked() {
  data::DataSession* session = state_.session();
  if (!session || !catalog_) return;
  if (!session->OpenPurchases() || !session->OpenProducts()) return;
  session->StartAtTop(RecordKind::Purchase);
  session->AddAndEdit(RecordKind::Purchase, *catalog_->PickPur, *catalog_->PurDef);
  FinishCatalogWork("Pur5");
}

void TMain::FinishCatalogWork(const char* table) {
  data::DataSession& session = *state_.session();
  session.CloseAll();
  if (session.NeedsPack) {
    // Memo files are compressed by the full pack only.
    if (const int status = session.PackTable(table, false); status < 0) {
      state_.ui.dialogs.information(
          "", std::string("Unable to pack ") + table + ": " + engine::statusText(status));
    }
  }
  session.NeedsPack = false;
}

}  // namespace vt::shell
