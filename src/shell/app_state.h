// What one run of the program shares between its windows: the data
// directory, the dialogs, printer and help every window receives,
// the way a fatal error ends the run, the engine session with its settings
// and NeedsPack (made by the start-up once the data files are found), the
// report font and the start-up flag. main() makes one; each test makes its
// own, so nothing carries over from one run to the next.
#pragma once

#include <QFont>
#include <memory>
#include <string>

#include "base/program_exit.h"
#include "base/progress.h"
#include "data/data_session.h"
#include "shell/splash_clock.h"
#include "ui/context.h"

namespace vt::shell {

class AppState {
 public:
  AppState(std::string directory, ui::UiContext ui, base::ProgramExit& exit, SplashClock& clock);
  AppState(const AppState&) = delete;
  AppState& operator=(const AppState&) = delete;
  ~AppState();

  // The directory holding the data files, as given.
  const std::string& directory() const { return directory_; }

  ui::UiContext ui;
  base::ProgramExit& exit;
  SplashClock& clock;

  // The font reports and labels are drawn in.
  QFont ReportFont;
  // True while the main window is being prepared.
  bool Starting = false;

  // The engine session: null before the start-up creates it and after the
  // run has released it.
  data::DataSession* session() { return session_.get(); }
  // Creates the engine session on the data directory; long work reports to
  // `progress`. Dates shown in lists use the system's short date format.
  data::DataSession& createSession(base::Progress* progress);
  void releaseSession();

 private:
  std::string directory_;
  std::unique_ptr<data::DataSession> session_;
};

}  // namespace vt::shell
