// What every window receives: the dialogs, the current printer and the help.
// (Not named "ui_context.h": Qt's AUTOUIC takes every "ui_*.h" include for a form.)
#pragma once

#include "base/dialogs.h"
#include "ui/help_viewer.h"
#include "ui/printer_state.h"

namespace vt::ui {

struct UiContext {
  vt::base::Dialogs& dialogs;
  PrinterState& printers;
  HelpViewer& help;
};

}  // namespace vt::ui
