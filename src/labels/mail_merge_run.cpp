#include "labels/mail_merge_run.h"

#include <QDir>
#include <QFileInfo>
#include <optional>
#include <string>

#include "labels/mail_merge.h"
#include "reports/tmultgroup.h"
#include "ui/record_access.h"
#include "ui/wait_cursor.h"

namespace vt::labels {

namespace {

// The dialog may leave the process in another directory; the data files
// are opened from the one the program works in, which is restored.
std::optional<std::string> chooseFile(vt::base::Dialogs& dialogs) {
  const QString workingDirectory = QDir::currentPath();
  const std::optional<std::string> chosen = dialogs.saveFile("", kMailMergeFilter, "");
  QDir::setCurrent(workingDirectory);
  if (!chosen || chosen->empty()) return std::nullopt;
  QString path = QString::fromStdString(*chosen);
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".") + kMailMergeExtension;
  return path.toStdString();
}

void writeFile(vt::data::DataSession& session, vt::ui::UiContext& ui,
               const vt::reports::ReportChoices& choices, const std::string& path,
               vt::base::Progress* progress) {
  const MailMergeOutcome outcome = [&] {
    const vt::ui::WaitCursor wait;
    return WriteMailMerge(session, choices.SelectedGroups, path, progress);
  }();
  if (outcome.status < 0) {
    vt::ui::ReportTableFailure(ui.dialogs, session.engine(), "read the customers", outcome.status);
  } else if (!outcome.saved) {
    ui.dialogs.information("", UnableToSave(path));
  }
}

}  // namespace

void RunMailMerge(vt::data::DataSession& session, vt::ui::UiContext& ui,
                  vt::reports::TMultGroup& groups, const vt::reports::ReportChoices& choices,
                  vt::base::Progress* progress) {
  if (session.OpenCustomers() && session.OpenGroups() && groups.Run()) {
    if (const std::optional<std::string> path = chooseFile(ui.dialogs))
      writeFile(session, ui, choices, *path, progress);
  }
  session.CloseAll();
}

}  // namespace vt::labels
