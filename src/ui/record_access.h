// What every editing window does with its table's records: going to one,
// loading it, telling the user when the engine refuses, and buttons that
// leave the field being edited alone.
#pragma once

#include <string>

#include "data/data_session.h"

class QWidget;

namespace vt::ui {

// Goes to record `recNo` of `table`: 0, or a negative status (kErrRecord
// when there is no such record, kErrOpen when the table is not open).
int GoToRecord(vt::data::DataSession& session, vt::engine::Table* table, long recNo);

// Goes to record `recNo` of `table` and loads it with `load`. False, after
// telling the user, when it cannot be read.
bool LoadRecord(vt::data::DataSession& session, vt::engine::Table* table, long recNo,
                int (vt::data::DataSession::*load)(), vt::base::Dialogs& dialogs,
                const std::string& what);

// Tells the user that `what` ("read the product", ...) failed with an engine
// status, naming its file when the engine knows it. Always false, so callers
// can return it.
bool ReportTableFailure(vt::base::Dialogs& dialogs, const vt::engine::Engine& engine,
                        const std::string& what, int status);

// Leaves every push button of `window` out of click focus (so a click on
// Save or Cancel does not first leave the field being edited: Save checks
// the fields itself) and stops Enter from pressing one.
void SetUpEditorButtons(QWidget* window);

}  // namespace vt::ui
