#include "ui/record_access.h"

#include <QPushButton>
#include <QWidget>

#include "engine/status.h"

namespace vt::ui {

int GoToRecord(vt::data::DataSession& session, engine::Table* table, long recNo) {
  if (!table) return engine::kErrOpen;
  session.engine().errorCode();
  session.EngineResult = table->go(static_cast<uint32_t>(recNo));
  const int status = session.engine().errorCode();
  if (status < 0) return status;
  return session.EngineResult == engine::Result::Success ? 0 : engine::kErrRecord;
}

bool LoadRecord(vt::data::DataSession& session, engine::Table* table, long recNo,
                int (vt::data::DataSession::*load)(), vt::base::Dialogs& dialogs,
                const std::string& what) {
  int status = GoToRecord(session, table, recNo);
  if (status == 0) status = (session.*load)();
  return status < 0 ? ReportTableFailure(dialogs, session.engine(), what, status) : true;
}

bool ReportTableFailure(vt::base::Dialogs& dialogs, const engine::Engine& engine,
                        const std::string& what, int status) {
  dialogs.information("", "Unable to " + what + ": " + engine.errorText(status));
  return false;
}

void SetUpEditorButtons(QWidget* window) {
  for (QPushButton* button : window->findChildren<QPushButton*>()) {
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoDefault(false);
    button->setDefault(false);
  }
}

}  // namespace vt::ui
