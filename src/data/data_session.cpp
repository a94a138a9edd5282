// The session itself: opening and closing the tables and the settings
// record, and the handles of the open tables.
#include "data/data_session.h"

#include <algorithm>

#include "data/datafiles.h"
#include "data/pending_work.h"
#include "data/record_bindings.h"
#include "data/table_defs.h"

namespace vt::data {
namespace {

// What each open routine opens, the tag it selects, and the names
// OpenFailed shows when the table or the tag cannot be had.
struct OpenPlan {
  const char* table;
  const char* dbfName;
  const char* tag;      // null: physical order, no index group
  const char* tagFile;  // shown when the tag is missing
};

const OpenPlan& openPlan(TableId id) {
  static constexpr OpenPlan kPlans[kTableIdCount] = {
      {"CUST5", "CUST5.DBF", "cname", "AccTag.Ntx"},
      {"GROUPS", "GROUPS.DBF", "nGroup", "AccTag.Ntx"},
      {"INV5", "INV5.DBF", "Inv", "Inv.Ntx"},
      {"ITM5", "ITM5.DBF", "Itm", "Itm.Ntx"},
      {"LABELS", "LABELS.DBF", "Labels", "Labels.Ntx"},
      {"PMT", "PMT.DBF", "Pmt", "Pmt.Ntx"},
      {"Prod5", "Prod5.DBF", "Prod", "Prod.Ntx"},
      {"Pur5", "Pur5.DBF", "Pur", "Pur.Ntx"},
      {"VTR1", "VTR1.DBF", nullptr, nullptr},
  };
  return kPlans[static_cast<size_t>(id)];
}

std::vector<FieldDecl> fieldDecls(TableId id) {
  using binding::DeclsOf;
  switch (id) {
    case TableId::Customers:
      return DeclsOf(CustomerBindings());
    case TableId::Groups:
      return DeclsOf(GroupBindings());
    case TableId::Invoices:
      return DeclsOf(InvoiceBindings());
    case TableId::Items:
      return DeclsOf(ItemBindings());
    case TableId::Labels:
      return DeclsOf(LabelBindings());
    case TableId::Payments:
      return DeclsOf(PaymentBindings());
    case TableId::Products:
      return DeclsOf(ProductBindings());
    case TableId::Purchases:
      return DeclsOf(PurchaseBindings());
    case TableId::Settings:
      return DeclsOf(SettingsBindings());
  }
  return {};
}

}  // namespace

DataSession::DataSession(std::string directory, base::Dialogs& dialogs, base::ProgramExit& exit,
                         SessionOptions options)
    : engine_(std::move(directory), options.fs),
      dialogs_(dialogs),
      exit_(exit),
      options_(std::move(options)) {}

base::DateTime DataSession::now() const {
  return options_.now ? options_.now() : base::Now();
}

long& DataSession::Current(RecordKind kind) {
  switch (kind) {
    case RecordKind::Customer:
      return CurCustomer;
    case RecordKind::Group:
      return CurGroup;
    case RecordKind::Product:
      return CurProduct;
    case RecordKind::Invoice:
      return CurInvoice;
    case RecordKind::Purchase:
      return CurPurchase;
    case RecordKind::Label:
      break;
  }
  return CurLabel;
}

bool DataSession::openFailed(const std::string& name, int status) {
  if (status == engine::kErrLocked && options_.tellTablesInUse) {
    dialogs_.information("", InUseText(name));
    exit_.exit(1);
    return false;
  }
  OpenFailed(name, dialogs_, exit_);
  return false;
}

bool DataSession::openTable(TableId id) {
  const OpenPlan& plan = openPlan(id);
  CloseTable(id);
  engine_.errorCode();
  // The settings table has no index group.
  const bool autoOpen = engine_.autoOpen;
  if (!plan.tag) engine_.autoOpen = false;
  engine::Table* table = engine_.open(plan.table);
  engine_.autoOpen = autoOpen;
  // A failed open leaves its error for the caller; a late failure is taken.
  if (const int status = table ? engine_.errorCode() : engine_.lastError(); !table || status < 0) {
    if (table) table->close();
    return openFailed(plan.dbfName, status);
  }
  if (plan.tag) {
    engine::Tag* tag = table->tag(plan.tag);
    if (!tag) {
      table->close();
      return openFailed(plan.tagFile, 0);
    }
    table->selectTag(tag);
  }
  EngineResult = table->top();
  MappedTable& slot = tables_[static_cast<size_t>(id)];
  if (engine_.errorCode() < 0 || !MapFields(*table, fieldDecls(id), &slot.fields)) {
    table->close();
    return openFailed(plan.dbfName, 0);
  }
  slot.table = table;
  return true;
}

bool DataSession::OpenCustomers() {
  return openTable(TableId::Customers);
}
bool DataSession::OpenGroups() {
  return openTable(TableId::Groups);
}
bool DataSession::OpenInvoices() {
  return openTable(TableId::Invoices);
}
bool DataSession::OpenItems() {
  return openTable(TableId::Items);
}
bool DataSession::OpenLabels() {
  return openTable(TableId::Labels);
}
bool DataSession::OpenPayments() {
  return openTable(TableId::Payments);
}
bool DataSession::OpenProducts() {
  return openTable(TableId::Products);
}
bool DataSession::OpenPurchases() {
  return openTable(TableId::Purchases);
}
bool DataSession::OpenSettings() {
  return openTable(TableId::Settings);
}

MappedTable* DataSession::live(TableId id) {
  MappedTable& slot = tables_[static_cast<size_t>(id)];
  if (!slot.table) return nullptr;
  // A table closed behind the session's back (engine().closeAll(), a
  // Table::close()) no longer counts as open here.
  const std::vector<engine::Table*> open = engine_.openTables();
  if (std::find(open.begin(), open.end(), slot.table) == open.end() ||
      !sameName(slot.table->name(), openPlan(id).table)) {
    slot = {};
    return nullptr;
  }
  return &slot;
}

const MappedTable& DataSession::mapped(TableId id) {
  static const MappedTable kClosed;
  const MappedTable* slot = live(id);
  return slot ? *slot : kClosed;
}

engine::Table* DataSession::table(TableId id) {
  const MappedTable* slot = live(id);
  return slot ? slot->table : nullptr;
}

void DataSession::CloseTable(TableId id) {
  if (MappedTable* slot = live(id)) slot->table->close();
  tables_[static_cast<size_t>(id)] = {};
}

int DataSession::HoldReads() {
  readsHeld_ = true;
  for (size_t i = 0; i < tables_.size(); ++i) {
    MappedTable* slot = live(static_cast<TableId>(i));
    if (!slot) continue;
    if (const int status = slot->table->holdReads(); status < 0) {
      ReleaseReads();
      return status;
    }
  }
  return 0;
}

void DataSession::ReleaseReads() {
  readsHeld_ = false;
  for (size_t i = 0; i < tables_.size(); ++i) {
    if (MappedTable* slot = live(static_cast<TableId>(i))) slot->table->releaseReads();
  }
}

void DataSession::PaceReads() {
  if (!readsHeld_ || ++readsPaced_ % 256 != 0) return;
  ReleaseReads();
  HoldReads();
}

void DataSession::CloseAll() {
  readsHeld_ = false;
  engine_.closeAll();
  for (MappedTable& slot : tables_) slot = {};
}

}  // namespace vt::data
