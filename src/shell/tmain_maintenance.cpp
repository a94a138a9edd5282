// The File Maintenance page's work that runs on the data files directly:
// rebuilding every index and packing every table.
#include <QApplication>

#include "data/datafiles.h"
#include "engine/status.h"
#include "shell/app_state.h"
#include "shell/tmain.h"
#include "ui/wait_cursor.h"

namespace vt::shell {

namespace {}  // namespace

void TMain::reindexClicked() {
  data::DataSession* session = state_.session();
  if (!session) return;
  session->CloseAll();
  const ui::WaitCursor busy;
  data::RebuildIndexes(session->engine(), false, &progress_, state_.ui.dialogs, state_.exit);
}

void TMain::packClicked() {
  data::DataSession* session = state_.session();
  if (!session) return;
  session->CloseAll();
  PackDataFiles();
}

void TMain::PackDataFiles() {
  const ui::WaitCursor busy;
  if (const int status = state_.session()->PackAll(); status < 0) {
    state_.ui.dialogs.information(
        "", std::string("Unable to pack the data files: ") + engine::statusText(status));
  }
}

}  // namespace vt::shell
