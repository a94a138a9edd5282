// What the main-window tests share: a fresh data directory, a splash clock
// moved by hand, and one run of the program (its state and main window)
// with scripted answers, no printer and an exit that throws.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/dialogs.h"
#include "base/program_exit.h"
#include "data/settings_record.h"
#include "shell/app_state.h"
#include "shell/splash_clock.h"
#include "shell/tmain.h"
#include "ui/help_viewer.h"
#include "ui/printer_state.h"

namespace vt::shell::testing {

// A directory under the system's temporary directory, removed at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// A TempDir holding the data files of a new installation.
class DataDir : public TempDir {
 public:
  DataDir();
};

// Time passes only when advance() is called; waits that fall due run then.
class FakeSplashClock : public SplashClock {
 public:
  void start() override { started_ = now_; }
  qint64 elapsedMs() const override { return now_ - started_; }
  void after(qint64 ms, QObject* context, std::function<void()> done) override;
  void advance(qint64 ms);
  // The delays asked for, in order.
  const std::vector<qint64>& requested() const { return requested_; }

 private:
  struct Wait {
    qint64 due;
    QPointer<QObject> context;
    std::function<void()> done;
  };
  qint64 now_ = 0;
  qint64 started_ = 0;
  std::vector<qint64> requested_;
  std::vector<Wait> waits_;
};

// One run of the program on `dir`.
struct ProgramRun {
  explicit ProgramRun(const std::string& dir);

  // The start-up, with the splash time let pass at once.
  void startUp();
  // Shows the main window, makes it the active window and waits for it.
  void showActive();

  base::ScriptedDialogs dialogs;
  ui::PrinterState printers;
  ui::HelpViewer help{nullptr};
  base::ThrowingExit exit;
  FakeSplashClock clock;
  AppState state;
  // Declared last: the window goes before the state it works on.
  std::unique_ptr<TMain> main;
};

// The settings record as a fresh session reads it.
data::Settings readSettings(const std::string& dir);
// Changes the settings record behind the program's back.
void changeSettings(const std::string& dir, const std::function<void(data::Settings&)>& change);

bool fileExists(const std::string& path);

}  // namespace vt::shell::testing
