// The start-up when the main window is first shown: the data-file check,
// the silent index rebuild, the settings, the caption and the splash.
#include <gtest/gtest.h>

#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <filesystem>
#include <fstream>

#include "shell/about_form.h"
#include "shell/shell_test_support.h"
#include "ui/report_font.h"

namespace vt::shell::testing {
namespace {

const char* const kMissingMessage =
    "Database files not found in startup directory\r\n"
    "Program must be started from the directory containing the data files.";

TEST(StartUp, WithoutTheDataFilesTellsWhyAndEndsWithoutAnEngine) {
  TempDir empty;
  ProgramRun run(empty.path());
  QSignalSpy ended(run.main.get(), &TMain::runEnded);

  run.main->FormShow();

  ASSERT_EQ(run.dialogs.shown().size(), 1u);
  EXPECT_EQ(run.dialogs.shown()[0].kind, base::DialogKind::Information);
  EXPECT_EQ(run.dialogs.shown()[0].text, kMissingMessage);
  EXPECT_EQ(run.state.session(), nullptr);
  ASSERT_EQ(ended.count(), 1);
  EXPECT_EQ(ended[0][0].toInt(), 0);
  EXPECT_FALSE(run.exit.called());
  EXPECT_FALSE(run.main->AboutForm->isVisible());
  // Nothing was written into the directory.
  EXPECT_TRUE(std::filesystem::is_empty(empty.path()));
}

TEST(StartUp, OneDataFileMissingIsEnoughToEnd) {
  DataDir dir;
  std::filesystem::remove(dir.file("VTR1.dbf"));
  ProgramRun run(dir.path());
  run.main->FormShow();
  ASSERT_EQ(run.dialogs.shown().size(), 1u);
  EXPECT_EQ(run.dialogs.shown()[0].text, kMissingMessage);
  EXPECT_EQ(run.state.session(), nullptr);
}

TEST(StartUp, RebuildsAMissingIndexFileSilently) {
  DataDir dir;
  std::filesystem::remove(dir.file("czip.ntx"));
  ProgramRun run(dir.path());
  QSignalSpy progress(run.main->progressBar, &QProgressBar::valueChanged);
  run.startUp();
  EXPECT_TRUE(run.dialogs.shown().empty());
  EXPECT_TRUE(fileExists(dir.file("czip.ntx")));
  ASSERT_NE(run.state.session(), nullptr);
  EXPECT_TRUE(run.main->pageTabs->isEnabled());
  // Silent: the progress bar never moved.
  EXPECT_EQ(progress.count(), 0);
}

TEST(StartUp, CaptionNamesTheDataDirectory) {
  DataDir dir;
  ProgramRun run(dir.path());
  EXPECT_EQ(run.main->windowTitle(), "Vantrell");
  run.startUp();
  EXPECT_EQ(run.main->windowTitle(), "Vantrell & Inventory 1.03 - " +
                                         QDir(QString::fromStdString(dir.path())).absolutePath());
}

TEST(StartUp, ClearsThePendingPackAndLeavesNoTableOpen) {
  DataDir dir;
  ProgramRun run(dir.path());
  run.startUp();
  EXPECT_FALSE(run.state.session()->NeedsPack);
  EXPECT_TRUE(run.state.session()->engine().openTables().empty());
}

TEST(StartUp, StoredFontNameAndSizeBecomeTheReportFont) {
  DataDir dir;
  changeSettings(dir.path(), [](data::Settings& s) {
    s.FontName = "DejaVu Serif";
    s.FontSize = 14;
  });
  ProgramRun run(dir.path());
  run.startUp();
  EXPECT_EQ(run.state.ReportFont.family(), "DejaVu Serif");
  EXPECT_EQ(run.state.ReportFont.pointSize(), 14);
  EXPECT_EQ(run.main->reportFontEdit->text(), "DejaVu Serif@14");
}

TEST(StartUp, FontSizeZeroKeepsTheDesignSize) {
  DataDir dir;
  changeSettings(dir.path(), [](data::Settings& s) {
    s.FontName = "DejaVu Serif";
    s.FontSize = 0;
  });
  ProgramRun run(dir.path());
  run.startUp();
  EXPECT_EQ(run.state.ReportFont.family(), "DejaVu Serif");
  EXPECT_EQ(run.state.ReportFont.pointSize(), 8);
}

TEST(StartUp, BlankFontNameKeepsTheDesignFont) {
  DataDir dir;  // the installed record has no font
  ProgramRun run(dir.path());
  run.startUp();
  EXPECT_EQ(run.state.ReportFont.family(), ui::DesignReportFont().family());
  EXPECT_EQ(run.state.ReportFont.pointSize(), 8);
  EXPECT_EQ(run.main->reportFontEdit->text(), ui::DesignReportFont().family() + "@8");
}

TEST(StartUp, PreferencesShowTheStoredChoices) {
  DataDir dir;
  changeSettings(dir.path(), [](data::Settings& s) {
    s.ByCust = false;
    s.fifo = false;
  });
  ProgramRun run(dir.path());
  run.startUp();
  EXPECT_TRUE(run.main->sortByCompanyRadio->isChecked());
  EXPECT_TRUE(run.main->lifoRadio->isChecked());
}

TEST(StartUp, WithoutAPrinterThePrinterBoxKeepsItsText) {
  DataDir dir;
  ProgramRun run(dir.path());
  ASSERT_FALSE(run.printers.available());
  run.main->printerEdit->setText("as it was");
  run.startUp();
  EXPECT_EQ(run.main->printerEdit->text(), "as it was");
  EXPECT_NE(run.state.session(), nullptr);
}

TEST(StartUp, AnUnreadableSettingsTableEndsTheProgram) {
  DataDir dir;
  std::ofstream(dir.file("VTR1.dbf"), std::ios::trunc) << "not a table";
  ProgramRun run(dir.path());
  EXPECT_THROW(run.main->FormShow(), base::ProgramExited);
  EXPECT_EQ(run.exit.lastCode(), 1);
  ASSERT_FALSE(run.dialogs.shown().empty());
  EXPECT_NE(run.dialogs.shown().back().text.find("Unable to open file VTR1.DBF"),
            std::string::npos);
}

TEST(Splash, ShowsWithoutOkWhileStartingAndStaysTheMinimumTime) {
  DataDir dir;
  ProgramRun run(dir.path());
  TAboutForm* about = run.main->AboutForm;
  run.main->FormShow();

  EXPECT_TRUE(about->isVisible());
  EXPECT_EQ(about->windowTitle(), "About Vantrell & Inventory 1.03");
  EXPECT_TRUE(about->okButton->isHidden());
  EXPECT_TRUE(run.state.Starting);
  // The checks are done and the pages usable while the splash waits.
  EXPECT_NE(run.state.session(), nullptr);

  run.clock.advance(1727);
  EXPECT_TRUE(about->isVisible());
  EXPECT_TRUE(run.state.Starting);
  run.clock.advance(1);
  EXPECT_FALSE(about->isVisible());
  EXPECT_FALSE(run.state.Starting);
}

TEST(Splash, WaitsOnlyForWhatIsLeftOfTheMinimum) {
  DataDir dir;
  ProgramRun run(dir.path());
  // The clock moves 500 ms while the checks run: 1228 ms are left.
  QObject::connect(run.main.get(), &QWidget::windowTitleChanged, [&] { run.clock.advance(500); });
  run.main->FormShow();
  ASSERT_EQ(run.clock.requested().size(), 1u);
  EXPECT_EQ(run.clock.requested()[0], 1228);
}

TEST(Splash, SlowChecksHideItAtOnce) {
  DataDir dir;
  ProgramRun run(dir.path());
  QObject::connect(run.main.get(), &QWidget::windowTitleChanged, [&] { run.clock.advance(5000); });
  run.main->FormShow();
  ASSERT_EQ(run.clock.requested().size(), 1u);
  EXPECT_EQ(run.clock.requested()[0], 0);
}

TEST(Splash, TheAboutBoxFromTheMenuHasItsOkButton) {
  DataDir dir;
  ProgramRun run(dir.path());
  run.startUp();
  run.main->AboutForm->show();
  EXPECT_FALSE(run.main->AboutForm->okButton->isHidden());
  EXPECT_EQ(run.main->AboutForm->size(), QSize(400, 241));
  run.main->AboutForm->okButton->click();
  EXPECT_FALSE(run.main->AboutForm->isVisible());
}

TEST(StartUp, RunsOnceHoweverOftenTheWindowIsShown) {
  DataDir dir;
  ProgramRun run(dir.path());
  run.startUp();
  data::DataSession* session = run.state.session();
  run.main->FormShow();
  EXPECT_EQ(run.state.session(), session);
  EXPECT_EQ(run.clock.requested().size(), 1u);
}

}  // namespace
}  // namespace vt::shell::testing
