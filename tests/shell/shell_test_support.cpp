#include "shell/shell_test_support.h"

#include <gtest/gtest.h>

#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "data/data_session.h"
#include "data/init.h"

namespace vt::shell::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vt-shell-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary directory");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

DataDir::DataDir() {
  const data::InitOutcome outcome = data::InitDataDir(path());
  if (!outcome.ok) throw std::runtime_error("cannot make the data files: " + outcome.message);
}

void FakeSplashClock::after(qint64 ms, QObject* context, std::function<void()> done) {
  requested_.push_back(ms);
  waits_.push_back({now_ + ms, context, std::move(done)});
}

void FakeSplashClock::advance(qint64 ms) {
  now_ += ms;
  std::vector<Wait> due;
  std::erase_if(waits_, [&](Wait& wait) {
    if (wait.due > now_) return false;
    due.push_back(std::move(wait));
    return true;
  });
  for (Wait& wait : due) {
    if (wait.context) wait.done();
  }
}

ProgramRun::ProgramRun(const std::string& dir)
    : state(dir, ui::UiContext{dialogs, printers, help}, exit, clock),
      main(std::make_unique<TMain>(state)) {}

void ProgramRun::startUp() {
  main->FormShow();
  clock.advance(1728);
}

void ProgramRun::showActive() {
  main->show();
  QApplication::setActiveWindow(main.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
}

data::Settings readSettings(const std::string& dir) {
  base::ScriptedDialogs dialogs;
  base::ThrowingExit exit;
  data::DataSession session(dir, dialogs, exit);
  session.OpenSettings();
  EXPECT_EQ(session.ReadSettings(), 0);
  session.CloseAll();
  return session.settings;
}

void changeSettings(const std::string& dir, const std::function<void(data::Settings&)>& change) {
  base::ScriptedDialogs dialogs;
  base::ThrowingExit exit;
  data::DataSession session(dir, dialogs, exit);
  session.OpenSettings();
  ASSERT_EQ(session.ReadSettings(), 0);
  change(session.settings);
  ASSERT_EQ(session.WriteSettings(), 0);
  session.CloseAll();
}

bool fileExists(const std::string& path) {
  return std::filesystem::exists(path);
}

}  // namespace vt::shell::testing
