// Saving a record buffer into its table so that a save that fails leaves
// nothing behind: every editor that adds records saves through here.
#pragma once

#include <functional>

#include "data/data_session.h"

namespace vt::data {

struct SaveOutcome {
  int status = 0;              // 0, or the negative status of what failed
  bool appendRefused = false;  // the failure was the append of the new record
  int takeBackStatus = 0;      // negative when a record appended for a failed
                               // store could not be marked deleted
};

// Writes a record buffer with `store` (a Store routine: the buffer into the
// current record, 0 or a negative status) into record `recNo` of table `id`
// when `recNo` is above 0. Otherwise a blank record is appended first, and
// `recNo` becomes its number only when the store succeeded. A store that
// fails after the append takes the record back (marked deleted, NeedsPack
// set), so no blank or half-written record stays live and `recNo` still says
// the record was not saved, which the selection cycle reads as not saved.
SaveOutcome SaveRecord(DataSession& session, TableId id, long& recNo,
                       const std::function<int()>& store);

}  // namespace vt::data
