#include "catalog/catalog_tables.h"

namespace vt::catalog {

using vt::data::DataSession;
using vt::data::TableId;
using vt::engine::Result;

vt::engine::Table* OpenedTable(DataSession& session, TableId id) {
  if (vt::engine::Table* table = session.table(id)) return table;
  bool (DataSession::*open)() = nullptr;
  switch (id) {
    case TableId::Customers:
      open = &DataSession::OpenCustomers;
      break;
    case TableId::Groups:
      open = &DataSession::OpenGroups;
      break;
    case TableId::Invoices:
      open = &DataSession::OpenInvoices;
      break;
    case TableId::Items:
      open = &DataSession::OpenItems;
      break;
    case TableId::Labels:
      open = &DataSession::OpenLabels;
      break;
    case TableId::Payments:
      open = &DataSession::OpenPayments;
      break;
    case TableId::Products:
      open = &DataSession::OpenProducts;
      break;
    case TableId::Purchases:
      open = &DataSession::OpenPurchases;
      break;
    case TableId::Settings:
      open = &DataSession::OpenSettings;
      break;
  }
  return (session.*open)() ? session.table(id) : nullptr;
}

NextNumber NextFreeNumber(vt::engine::Table& table, const char* tag, const char* field) {
  vt::engine::Engine& engine = table.engine();
  engine.errorCode();
  if (table.recCount() == 0) return {1, engine.errorCode()};
  vt::engine::Tag* order = table.tag(tag);
  vt::engine::Field* number = table.field(field);
  if (!order || !number) return {0, order ? vt::engine::kErrField : vt::engine::kErrTag};
  vt::engine::Tag* saved = table.selectedTag();
  table.selectTag(order);
  long c = 0;
  for (Result r = table.top(); r == Result::Success; r = table.skip()) {
    const long value = number->asLong();
    if (value > c + 1) break;
    c = value;
  }
  table.selectTag(saved);
  table.top();
  const int status = engine.errorCode();
  if (status < 0) return {0, status};
  return {c + 1, 0};
}

long LargestNumber(const vt::engine::Field& field) {
  int digits = field.length();
  if (field.decimals() > 0) digits -= field.decimals() + 1;
  long largest = 0;
  for (int i = 0; i < digits && largest < 100000000L; ++i) largest = largest * 10 + 9;
  return largest;
}

void ReportEngineFailure(vt::base::Dialogs& dialogs, const vt::engine::Engine& engine, int status) {
  dialogs.information("", "The data file refused the change: " + engine.errorText(status) + ".");
}

bool SaveSucceeded(const vt::data::SaveOutcome& outcome, vt::base::Dialogs& dialogs,
                   const vt::engine::Engine& engine, const char* appendRefused,
                   const std::function<void(int)>& report) {
  if (outcome.status == 0) return true;
  if (outcome.appendRefused) {
    dialogs.information("", appendRefused);
  } else {
    report(outcome.status);
  }
  if (outcome.takeBackStatus < 0) {
    dialogs.information("", "The empty record added for this save could not be removed: " +
                                engine.errorText(outcome.takeBackStatus) + ".");
  }
  return false;
}

namespace {

// Stores the buffer into the current record of `table` and recalls it.
int storeRecalled(DataSession& session, vt::engine::Table& table, int (DataSession::*store)()) {
  const int status = (session.*store)();
  if (status < 0 || !table.deleted()) return status;
  vt::engine::Engine& engine = session.engine();
  engine.errorCode();
  table.recall();
  const int flushed = table.flush();
  const int pending = engine.errorCode();
  return pending < 0 ? pending : flushed;
}

}  // namespace

bool SaveAndRecall(DataSession& session, TableId id, long& recNo, int (DataSession::*store)(),
                   vt::base::Dialogs& dialogs, const char* appendRefused) {
  vt::engine::Engine& engine = session.engine();
  const vt::data::SaveOutcome outcome = vt::data::SaveRecord(
      session, id, recNo, [&] { return storeRecalled(session, *session.table(id), store); });
  return SaveSucceeded(outcome, dialogs, engine, appendRefused,
                       [&](int status) { ReportEngineFailure(dialogs, engine, status); });
}

}  // namespace vt::catalog
