// The Preferences page: the report font and the two display preferences go
// into the settings record at once, and the record always carries them all.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "base/text1252.h"
#include "shell/picture_button.h"
#include "shell/shell_test_support.h"
#include "ui/report_font.h"

namespace vt::shell::testing {
namespace {

class Preferences : public ::testing::Test {
 protected:
  void SetUp() override {
    run.startUp();
    ASSERT_TRUE(run.dialogs.shown().empty());
  }
  void chooseFont(std::optional<base::FontSpec> font) {
    run.dialogs.queueFont(std::move(font));
    run.main->button("reportFontButton")->click();
  }
  // Puts the focus on a control of the Preferences page (the window must
  // be active for the focus to move).
  void focus(QWidget* control) {
    control->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), control);
  }
  void showPreferences() {
    run.showActive();
    run.main->pageTabs->setCurrentIndex(kPreferencesPage);
  }

  DataDir dir;
  ProgramRun run{dir.path()};
};

TEST_F(Preferences, ChosenFontIsShownStoredAndInForceAtTheNextStart) {
  chooseFont(base::FontSpec{"DejaVu Serif", 14});

  ASSERT_EQ(run.dialogs.shown().size(), 1u);
  EXPECT_EQ(run.dialogs.shown()[0].kind, base::DialogKind::Font);
  EXPECT_EQ(run.dialogs.shown()[0].text, ui::DesignReportFont().family().toStdString());
  EXPECT_EQ(run.main->reportFontEdit->text(), "DejaVu Serif@14");
  EXPECT_EQ(run.state.ReportFont.family(), "DejaVu Serif");
  const data::Settings stored = readSettings(dir.path());
  EXPECT_EQ(base::trim(stored.FontName), "DejaVu Serif");
  EXPECT_EQ(stored.FontSize, 14);

  ProgramRun next(dir.path());
  next.startUp();
  EXPECT_EQ(next.state.ReportFont.family(), "DejaVu Serif");
  EXPECT_EQ(next.state.ReportFont.pointSize(), 14);
  EXPECT_EQ(next.main->reportFontEdit->text(), "DejaVu Serif@14");
}

TEST_F(Preferences, FontDialogStartsFromTheReportFont) {
  chooseFont(base::FontSpec{"DejaVu Serif", 14});
  chooseFont(std::nullopt);
  ASSERT_EQ(run.dialogs.shown().size(), 2u);
  EXPECT_EQ(run.dialogs.shown()[1].text, "DejaVu Serif");
}

TEST_F(Preferences, CancelledFontDialogStoresTheUnchangedFont) {
  changeSettings(dir.path(), [](data::Settings& s) {
    s.FontName = "Somebody Else's";
    s.FontSize = 30;
  });
  chooseFont(std::nullopt);
  const data::Settings stored = readSettings(dir.path());
  EXPECT_EQ(base::trim(stored.FontName), ui::DesignReportFont().family().toStdString());
  EXPECT_EQ(stored.FontSize, 8);
  EXPECT_EQ(run.main->reportFontEdit->text(), ui::DesignReportFont().family() + "@8");
}

TEST_F(Preferences, LeavingTheCustomerOrderGroupWritesTheRecordEvenUnchanged) {
  showPreferences();
  ASSERT_TRUE(run.main->sortByNameRadio->isChecked());  // the installed record: by name
  changeSettings(dir.path(), [](data::Settings& s) { s.ByCust = false; });

  focus(run.main->sortByNameRadio);
  EXPECT_FALSE(readSettings(dir.path()).ByCust);  // entering writes nothing
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);

  EXPECT_FALSE(run.main->customerSortGroup->isAncestorOf(QApplication::focusWidget()));
  EXPECT_TRUE(readSettings(dir.path()).ByCust);
}

TEST_F(Preferences, CustomerOrderChangeIsLiveAndStoredOnLeaving) {
  showPreferences();
  focus(run.main->sortByCompanyRadio);
  run.main->sortByCompanyRadio->setChecked(true);
  EXPECT_TRUE(readSettings(dir.path()).ByCust);  // not yet: still in the group
  focus(run.main->reportFontEdit);
  EXPECT_FALSE(run.state.session()->settings.ByCust);
  EXPECT_FALSE(readSettings(dir.path()).ByCust);
}

TEST_F(Preferences, LeavingTheInventoryMethodGroupStoresFifo) {
  showPreferences();
  focus(run.main->lifoRadio);
  run.main->lifoRadio->setChecked(true);
  focus(run.main->printerEdit);
  EXPECT_FALSE(run.state.session()->settings.fifo);
  EXPECT_FALSE(readSettings(dir.path()).fifo);
  // Moving between the two groups leaves the first.
  focus(run.main->fifoRadio);
  run.main->fifoRadio->setChecked(true);
  focus(run.main->sortByNameRadio);
  EXPECT_TRUE(readSettings(dir.path()).fifo);
}

TEST_F(Preferences, FocusLeavingTheWindowIsNotLeavingTheGroup) {
  showPreferences();
  focus(run.main->sortByCompanyRadio);
  run.main->sortByCompanyRadio->setChecked(true);
  QWidget other;
  other.show();
  QApplication::setActiveWindow(&other);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_TRUE(readSettings(dir.path()).ByCust);
}

TEST_F(Preferences, FontAndOrderAreBothInTheRecordAfterward) {
  showPreferences();
  chooseFont(base::FontSpec{"DejaVu Sans Mono", 11});
  focus(run.main->sortByCompanyRadio);
  run.main->sortByCompanyRadio->setChecked(true);
  focus(run.main->printerEdit);

  const data::Settings stored = readSettings(dir.path());
  EXPECT_EQ(base::trim(stored.FontName), "DejaVu Sans Mono");
  EXPECT_EQ(stored.FontSize, 11);
  EXPECT_FALSE(stored.ByCust);
  EXPECT_TRUE(stored.fifo);
}

TEST_F(Preferences, EachWriteRewritesTheWholeRecordFromTheVariables) {
  changeSettings(dir.path(), [](data::Settings& s) { s.Company = "Written elsewhere"; });
  chooseFont(base::FontSpec{"DejaVu Serif", 9});
  // The whole record is rewritten from the variables read at start.
  EXPECT_EQ(base::trim(readSettings(dir.path()).Company), "");
}

TEST_F(Preferences, PrinterSetupWithoutAPrinterLeavesThePrinterBox) {
  run.main->printerEdit->setText("unchanged");
  run.dialogs.queueChoice(true);
  run.main->button("printerSetupButton")->click();
  ASSERT_EQ(run.dialogs.shown().size(), 1u);
  EXPECT_EQ(run.dialogs.shown()[0].kind, base::DialogKind::Printer);
  EXPECT_EQ(run.main->printerEdit->text(), "unchanged");
}

}  // namespace
}  // namespace vt::shell::testing
