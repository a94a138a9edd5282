// Telling the user that a picker could not read its list.
#pragma once

#include "base/dialogs.h"
#include "engine/engine.h"

namespace vt::ui {

// "Unable to read the list: " and the failure, naming its file when the
// engine (null when there is none) knows it.
void ReportListFailure(base::Dialogs& dialogs, const engine::Engine* engine, int status);

}  // namespace vt::ui
