// Packing: removing the records marked deleted, table by table or all of
// them at the end of a run.
#include "data/data_session.h"
#include "data/invoice_journal.h"
#include "data/table_defs.h"

namespace vt::data {

namespace {

struct PackStep {
  const char* table;
  bool compressMemo;
  int progressAfter;  // -1: the bar is not moved
};

// The order PackAll takes the tables in, with the progress after each.
constexpr PackStep kPackOrder[] = {
    {"CUST5", true, 30},   {"GROUPS", false, 35}, {"INV5", true, 50},   {"ITM5", false, 70},
    {"LABELS", false, 75}, {"PMT", false, 85},    {"Pur5", false, 100}, {"Prod5", true, -1},
};

}  // namespace

int DataSession::PackTable(const std::string& name, bool compressMemo) {
  // A pack moves records: an invoice save a stop cut short is put back first.
  if (const int status = RecoverInvoiceWork(*this); status < 0) return status;
  for (size_t i = 0; i < kTableIdCount; ++i) {
    const auto id = static_cast<TableId>(i);
    if (engine::Table* open = table(id); open && sameName(open->name(), name)) CloseTable(id);
  }
  const engine::AccessMode mode = engine_.accessMode;
  engine_.accessMode = engine::AccessMode::DenyWrite;
  engine_.errorCode();
  // The index group opens with the table, so the indexes follow the pack.
  engine::Table* table = engine_.open(name);
  int status = table ? 0 : engine::kErrOpen;
  if (table) {
    status = table->pack();
    if (status == 0 && compressMemo) status = table->memoCompress();
    table->close();
  }
  engine_.accessMode = mode;
  const int pending = engine_.errorCode();
  return pending < 0 ? pending : status;
}

int DataSession::PackAll() {
  base::Progress* progress = options_.progress;
  const engine::AccessMode mode = engine_.accessMode;
  engine_.accessMode = engine::AccessMode::DenyWrite;
  if (progress) {
    progress->show(true, "Packing Data Files");
    progress->set(10);
  }
  int first = 0;
  for (const PackStep& step : kPackOrder) {
    const int status = PackTable(step.table, step.compressMemo);
    if (first == 0 && status < 0) first = status;
    if (progress && step.progressAfter >= 0) progress->set(step.progressAfter);
  }
  if (progress) progress->show(false, "");
  engine_.accessMode = mode;
  if (first == 0) NeedsPack = false;
  return first;
}

}  // namespace vt::data
