// The File Maintenance page's work that runs on the data files directly:
// rebuilding every index, packing every table, backup, restore and erasing
// all data. The session's tables are closed first; the windows opened
// afterwards open them again as usual.
#include <QApplication>
#include <QDir>

#include "data/datafiles.h"
#include "data/import_older.h"
#include "data/maintenance.h"
#include "engine/status.h"
#include "shell/app_state.h"
#include "shell/tmain.h"
#include "ui/file_count.h"
#include "ui/wait_cursor.h"

namespace vt::shell {

namespace {

// The data files were replaced or emptied: no record the session noted as
// current is known to be there, and no deletion waits for a pack.
void forgetRecords(data::DataSession& session) {
  for (long* current : {&session.CurCustomer, &session.CurGroup, &session.CurProduct,
                        &session.CurInvoice, &session.CurPurchase, &session.CurLabel}) {
    *current = 0;
  }
  session.NeedsPack = false;
}

// Where the older program's data most likely are: a "vek_bus" or else a
// "vek" folder holding its product table, in the home directory or at the
// root of the file system; empty when there is none.
std::string OlderDataGuess() {
  const QString home = QDir::homePath();
  for (const char* folder : {"vek_bus", "vek"}) {
    for (const QString& root : {home, QStringLiteral("/")}) {
      const QDir dir(QDir(root).filePath(QString::fromLatin1(folder)));
      if (!dir.entryList({QStringLiteral("prod4.dbf")}, QDir::Files).isEmpty()) {
        return dir.absolutePath().toStdString();
      }
    }
  }
  return "";
}

}  // namespace

void TMain::reindexClicked() {
  data::DataSession* session = state_.session();
  if (!session) return;
  session->CloseAll();
  if (!data::DataFilesFree(session->engine(), state_.ui.dialogs)) return;
  const ui::WaitCursor busy;
  data::RebuildIndexes(session->engine(), false, &progress_, state_.ui.dialogs, state_.exit);
}

void TMain::packClicked() {
  data::DataSession* session = state_.session();
  if (!session) return;
  session->CloseAll();
  if (!data::DataFilesFree(session->engine(), state_.ui.dialogs)) return;
  PackDataFiles();
}

void TMain::PackDataFiles() {
  const ui::WaitCursor busy;
  if (const int status = state_.session()->PackAll(); status < 0) {
    state_.ui.dialogs.information(
        "", std::string("Unable to pack the data files: ") + engine::statusText(status));
  }
}

std::optional<std::string> TMain::chooseMaintenanceDir(const char* caption, const char* okCaption,
                                                       const std::string& startDir) {
  if (!state_.session()) return std::nullopt;
  const std::optional<std::string> dir =
      state_.ui.dialogs.chooseDirectory(caption, okCaption, startDir);
  repaint();
  if (!dir || dir->empty()) return std::nullopt;
  state_.session()->CloseAll();
  return dir;
}

// A folder refused as the data directory itself is told, and the chooser
// opens again for another.
void TMain::backupClicked() {
  for (;;) {
    const std::optional<std::string> dir =
        chooseMaintenanceDir("Choose Backup Drive & Directory", "Backup");
    if (!dir) return;
    engine::Engine& engine = state_.session()->engine();
    if (data::SameDirectory(*dir, engine.directory())) {
      state_.ui.dialogs.information("", "Backup must be to a different drive and/or directory");
      continue;
    }
    const ui::WaitCursor busy;
    if (data::BackupDataFiles(engine, *dir, state_.ui.dialogs, &progress_)) {
      const auto count = static_cast<int>(data::BackupFiles().size());
      state_.ui.dialogs.information("", ui::FilesWentLine(count, "backed up to", *dir));
    }
    return;
  }
}

void TMain::restoreClicked() {
  const std::optional<std::string> dir =
      chooseMaintenanceDir("Choose Drive & Directory Containing BACKUP", "Restore");
  if (!dir) return;
  const ui::WaitCursor busy;
  data::DataSession& session = *state_.session();
  data::RestoreDataFiles(session.engine(), *dir, state_.ui.dialogs, &progress_, state_.exit);
  forgetRecords(session);
}

void TMain::importClicked() {
  const std::optional<std::string> dir = chooseMaintenanceDir(
      "Choose Drive & Directory Containing Old VESKA Data", "Upgrade", OlderDataGuess());
  if (!dir) return;
  const ui::WaitCursor busy;
  data::DataSession& session = *state_.session();
  if (data::ImportOlderData(session, *dir, state_.ui.dialogs, &progress_)) {
    data::FinishImport(session);
  }
  progress_.show(false, "");
  forgetRecords(session);
}

void TMain::eraseClicked() {
  data::DataSession* session = state_.session();
  if (!session) return;
  session->CloseAll();
  const ui::WaitCursor busy;
  if (data::EraseAll(session->engine(), state_.ui.dialogs, &progress_, state_.exit)) {
    forgetRecords(*session);
  }
}

}  // namespace vt::shell
