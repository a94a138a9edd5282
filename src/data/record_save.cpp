#include "data/record_save.h"

namespace vt::data {

namespace {

using engine::Result;

// The engine's pending error, or `status` when none is pending.
int pendingOr(engine::Engine& engine, int status) {
  const int pending = engine.errorCode();
  return pending < 0 ? pending : status;
}

int storeAt(engine::Engine& engine, engine::Table& table, long recNo,
            const std::function<int()>& store) {
  engine.errorCode();
  if (table.go(static_cast<uint32_t>(recNo)) != Result::Success) {
    return pendingOr(engine, engine::kErrRecord);
  }
  return store();
}

// Marks the record appended for a failed store deleted. A record that never
// reached the file (an exclusive table writes an append with its first
// store) needs nothing.
int takeBack(DataSession& session, engine::Table& table, uint32_t appended) {
  engine::Engine& engine = session.engine();
  engine.errorCode();
  if (table.go(appended) != Result::Success) {
    const int status = pendingOr(engine, engine::kErrRecord);
    const uint32_t count = table.recCount();
    if (const int counted = engine.errorCode(); counted < 0) return counted;
    return appended > count ? 0 : status;
  }
  table.deleteRecord();
  const int flushed = table.flush();
  if (const int status = pendingOr(engine, flushed); status < 0) return status;
  session.NeedsPack = true;
  return 0;
}

}  // namespace

SaveOutcome SaveRecord(DataSession& session, TableId id, long& recNo,
                       const std::function<int()>& store) {
  engine::Engine& engine = session.engine();
  engine::Table* table = session.table(id);
  if (!table) return {engine::kErrOpen};
  if (recNo > 0) return {storeAt(engine, *table, recNo, store)};
  engine.errorCode();
  if (const int status = table->appendBlank(); status < 0) {
    return {pendingOr(engine, status), true};
  }
  const uint32_t appended = table->recNo();
  if (const int status = store(); status < 0) {
    return {status, false, takeBack(session, *table, appended)};
  }
  recNo = static_cast<long>(appended);
  return {};
}

}  // namespace vt::data
