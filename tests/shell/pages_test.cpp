// The five pages: every button a picture with its caption and hint, the ones whose
// windows are not there yet disabled, the report pop-up menus, the Help
// buttons and menus, and the keyboard reaching and pressing the buttons.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "shell/main_pages.h"
#include "shell/picture_button.h"
#include "shell/shell_test_support.h"

namespace vt::shell::testing {
namespace {

class Pages : public ::testing::Test {
 protected:
  void SetUp() override { run.startUp(); }

  QList<PictureButton*> allButtons() const { return run.main->findChildren<PictureButton*>(); }
  // The captions of a menu's items, sub-menus as "title>item", separators
  // as "-".
  static QStringList captions(const QMenu* menu, const QString& prefix = {}) {
    QStringList list;
    for (const QAction* action : menu->actions()) {
      if (action->isSeparator()) {
        list << "-";
      } else if (action->menu()) {
        list << captions(action->menu(), prefix + action->text() + ">");
      } else {
        list << prefix + action->text();
      }
    }
    return list;
  }

  DataDir dir;
  ProgramRun run{dir.path()};
};

TEST_F(Pages, TheFivePagesInOrder) {
  QStringList titles;
  for (int i = 0; i < run.main->pageTabs->count(); ++i) {
    titles << run.main->pageTabs->tabText(i);
  }
  EXPECT_EQ(titles, QStringList({"Invoices", "Customers and Products", "Report Generation",
                                 "Preferences", "File Maintenance"}));
}

TEST_F(Pages, EveryButtonShowsItsCaptionUnderItsPictureAndItsHintAsTooltip) {
  const QList<PictureButton*> buttons = allButtons();
  ASSERT_EQ(buttons.size(), 27);
  for (const PictureButton* button : buttons) {
    SCOPED_TRACE(button->objectName().toStdString());
    EXPECT_FALSE(button->text().isEmpty());
    EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_FALSE(button->toolTip().isEmpty());
    EXPECT_EQ(button->accessibleDescription(), button->toolTip());
    EXPECT_FALSE(button->icon().isNull());
    EXPECT_EQ(button->focusPolicy(), Qt::StrongFocus);
  }
  EXPECT_EQ(run.main->button("invoicesButton")->text(), "Invoices");
  EXPECT_EQ(run.main->button("invoicesButton")->toolTip(), "Create & Edit Invoices");
  EXPECT_EQ(run.main->button("salesReportsButton")->text(), "Sales and Tax");
  EXPECT_EQ(run.main->button("salesReportsButton")->toolTip(), "Print Sales & Tax Reports");
  EXPECT_EQ(run.main->button("importButton")->toolTip(), "Import Data from VESKA version 4 or 5");
  EXPECT_EQ(run.main->button("reportFontButton")->text(), "Report Font");
  EXPECT_EQ(run.main->button("reportFontButton")->toolTip(), "Select a Font for printing reports");
}

TEST_F(Pages, ACaptionStaysReadableUnderTheMouse) {
  PictureButton* button = run.main->button("invoicesButton");
  button->setAttribute(Qt::WA_UnderMouse, true);
  const QImage shown = button->grab().toImage();
  // The strip of the caption, under the picture: its background is the
  // colour seen most, its letters the lightest.
  const int top = shown.height() - QFontMetrics(button->font()).height();
  std::map<QRgb, int> seen;
  int lightest = 0;
  for (int y = top; y < shown.height() - 2; ++y) {
    for (int x = 2; x < shown.width() - 2; ++x) {
      ++seen[shown.pixel(x, y)];
      lightest = std::max(lightest, qGray(shown.pixel(x, y)));
    }
  }
  ASSERT_FALSE(seen.empty());
  const auto most = std::max_element(seen.begin(), seen.end(),
                                     [](auto& a, auto& b) { return a.second < b.second; });
  EXPECT_GT(lightest - qGray(most->first), 100) << "caption against its background";
}

TEST_F(Pages, EveryPictureLoads) {
  for (const PictureButton* button : allButtons()) {
    SCOPED_TRACE(button->objectName().toStdString());
    EXPECT_FALSE(button->icon().pixmap(48, 48).isNull());
  }
}

// Every picture and every item of the report pop-up menus is connected to
// its work once the program has started.
TEST_F(Pages, EveryButtonAndMenuItemIsEnabled) {
  for (const PictureButton* button : allButtons()) {
    EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();
  }
  for (const QAction* action : run.main->findChildren<QAction*>()) {
    if (!action->isSeparator() && !action->menu()) {
      EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
    }
  }
}

TEST_F(Pages, PagesWaitForTheStartUp) {
  ProgramRun fresh(dir.path());
  EXPECT_FALSE(fresh.main->pageTabs->isEnabled());
}

TEST_F(Pages, ReportMenusCarryEveryItem) {
  auto menu = [&](const char* name) {
    const QMenu* found = run.main->findChild<QMenu*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found ? captions(found) : QStringList();
  };
  EXPECT_EQ(menu("statementsMenu"),
            QStringList({"&Invoices>Selected &Date(s)", "&Invoices>Selected &Invoices",
                         "&Bills>&With Balances Due", "&Bills>Selected &Bills",
                         "&Statements>With &Balances", "&Statements>Selected &Customers", "-",
                         "Sent &Mail"}));
  EXPECT_EQ(menu("profileMenu"), QStringList({"Selected &Customers", "Selected &Groups"}));
  EXPECT_EQ(menu("salesReportsMenu"),
            QStringList({"&Sales Summary", "&Product Summary", "Product &Buyers", "-",
                         "&Income Summary", "&Receivable Income", "Receivables &Aging\u2026",
                         "Sales &Chart\u2026", "-", "&Tax Summary"}));
  EXPECT_EQ(menu("addressLabelsMenu"),
            QStringList({"&Selected Customers", "&Invoices Dated", "&Past Due Billing",
                         "&Balance Due Statement", "&Customer Group(s)"}));
  EXPECT_EQ(menu("inventoryReportsMenu"),
            QStringList({"&Inventory", "&Cost of Goods Sold", "&Stock On-Hand"}));
}

TEST_F(Pages, EachHelpButtonOpensItsPageTopic) {
  const int contexts[] = {300, 400, 500, 600, 700};
  for (int page = 0; page < static_cast<int>(std::size(contexts)); ++page) {
    const int context = contexts[page];
    auto* help = run.main->pageTabs->widget(page)->findChild<QPushButton*>("helpButton");
    ASSERT_NE(help, nullptr) << context;
    help->click();
    EXPECT_EQ(run.help.currentTopic(), QString::number(context));
  }
  EXPECT_TRUE(run.help.window()->isVisible());
}

TEST_F(Pages, MenusOfTheMainWindow) {
  QStringList bar;
  for (const QAction* action : run.main->menuBar()->actions()) bar << action->text();
  EXPECT_EQ(bar, QStringList({"&File", "&Help"}));
  EXPECT_EQ(captions(run.main->findChild<QMenu*>("fileMenu")), QStringList({"E&xit"}));
  EXPECT_EQ(captions(run.main->findChild<QMenu*>("helpMenu")),
            QStringList({"&About Vantrell && Inventory", "-", "Help &Contents"}));

  run.main->findChild<QAction*>("helpContentsAction")->trigger();
  EXPECT_EQ(run.help.currentTopic(), "contents");
}

TEST_F(Pages, F1OpensTheMainWindowTopic) {
  run.showActive();
  QTest::keyClick(run.main.get(), Qt::Key_F1);
  EXPECT_EQ(run.help.currentTopic(), "10");
}

TEST_F(Pages, ExitClosesTheWindowAndEndsTheRun) {
  run.showActive();
  QSignalSpy ended(run.main.get(), &TMain::runEnded);
  run.main->findChild<QAction*>("exitAction")->trigger();
  EXPECT_FALSE(run.main->isVisible());
  EXPECT_EQ(ended.count(), 1);
  EXPECT_EQ(run.state.session(), nullptr);
}

TEST_F(Pages, TabReachesAButtonAndSpacePressesIt) {
  run.showActive();
  run.main->pageTabs->setCurrentIndex(kMaintenancePage);
  PictureButton* reindex = run.main->button("reindexButton");
  for (int presses = 0; presses < 30 && QApplication::focusWidget() != reindex; ++presses) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : run.main.get(),
                    Qt::Key_Tab);
  }
  ASSERT_EQ(QApplication::focusWidget(), reindex);

  std::filesystem::remove(dir.file("czip.ntx"));
  QTest::keyClick(reindex, Qt::Key_Space);
  EXPECT_TRUE(fileExists(dir.file("czip.ntx")));
}

TEST_F(Pages, EnterPressesTheFocusedButton) {
  run.showActive();
  run.main->pageTabs->setCurrentIndex(kMaintenancePage);
  PictureButton* pack = run.main->button("packButton");
  pack->setFocus(Qt::TabFocusReason);
  QSignalSpy clicked(pack, &QToolButton::clicked);
  QTest::keyClick(pack, Qt::Key_Return);
  QTest::keyClick(pack, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(clicked.count(), 2);
}

}  // namespace
}  // namespace vt::shell::testing
