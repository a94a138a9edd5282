#include "ui/list_failure.h"

namespace vt::ui {

void ReportListFailure(base::Dialogs& dialogs, const engine::Engine* engine, int status) {
  const std::string reason = engine ? engine->errorText(status) : engine::statusText(status);
  dialogs.information("", "Unable to read the list: " + reason + ".");
}

}  // namespace vt::ui
