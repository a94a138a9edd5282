#include "shell/app_state.h"

#include <QApplication>
#include <QDate>

#include "ui/report_font.h"
#include "ui/session_options.h"

namespace vt::shell {

AppState::AppState(std::string directory, ui::UiContext uiContext, base::ProgramExit& programExit,
                   SplashClock& splashClock)
    : ui(uiContext),
      exit(programExit),
      clock(splashClock),
      ReportFont(ui::DesignReportFont()),
      directory_(std::move(directory)) {}

AppState::~AppState() = default;

data::DataSession& AppState::createSession(base::Progress* progress) {
  data::SessionOptions options = ui::LocaleSessionOptions();
  options.progress = progress;
  session_ = std::make_unique<data::DataSession>(directory_, ui.dialogs, exit, std::move(options));
  return *session_;
}

void AppState::releaseSession() {
  session_.reset();
}

}  // namespace vt::shell
