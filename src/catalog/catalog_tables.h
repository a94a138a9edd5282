// What the catalog windows share about their tables: having a table open for
// the piece of work, the next free record number of a numbered table, and
// telling the user when the engine refuses.
#pragma once

#include <functional>
#include <string>

#include "base/dialogs.h"
#include "data/data_session.h"
#include "data/record_save.h"
#include "engine/engine.h"

namespace vt::catalog {

// The table, opened through the session when this piece of work has not
// opened it yet. A table that cannot be opened ends the program (OpenFailed);
// null only if that returns.
vt::engine::Table* OpenedTable(vt::data::DataSession& session, vt::data::TableId id);

struct NextNumber {
  long value = 0;  // the number; 0 when status is negative
  int status = 0;  // 0, or the engine's negative status
};

// The next free number of a numbered table: walking `field` in the order of
// `tag` with a counter c from 0, the walk stops at the first record whose
// number is above c + 1, else c takes its number; the result is c + 1, so the
// lowest gap above 0 or one more than the highest. Records marked deleted
// count. 1 for an empty table. The table's selected tag is put back and the
// table left at its top.
NextNumber NextFreeNumber(vt::engine::Table& table, const char* tag, const char* field);

// The largest whole number the numeric field holds.
long LargestNumber(const vt::engine::Field& field);

// Information box naming the engine's refusal, and its file when known.
void ReportEngineFailure(vt::base::Dialogs& dialogs, const vt::engine::Engine& engine, int status);

// Tells the user why a save (vt::data::SaveRecord) failed: `appendRefused`
// for a refused append, any other failure through `report`, and also when
// the record appended for it could not be taken back. True when it saved.
bool SaveSucceeded(const vt::data::SaveOutcome& outcome, vt::base::Dialogs& dialogs,
                   const vt::engine::Engine& engine, const char* appendRefused,
                   const std::function<void(int)>& report);

// Saves the buffer with `store` into record `recNo` of table `id`, or into a
// new record whose number then goes into `recNo` (vt::data::SaveRecord: a
// failed save leaves no record behind), and recalls the record when it is
// marked deleted: saving a record deleted earlier in the same editing cycle
// restores it. False, after telling the user, when nothing was saved.
bool SaveAndRecall(vt::data::DataSession& session, vt::data::TableId id, long& recNo,
                   int (vt::data::DataSession::*store)(), vt::base::Dialogs& dialogs,
                   const char* appendRefused);

}  // namespace vt::catalog
