// Every window opens at its design size, which is also its least: made
// smaller it stays whole, made larger it gives the room to its grid, list or
// memo; and the progress box shows without moving the main window.
#include <gtest/gtest.h>

#include <QDialog>
#include <QProgressBar>
#include <QTest>
#include <utility>
#include <vector>

#include "shell/picture_button.h"
#include "shell/shell_test_support.h"

namespace vt::shell::testing {
namespace {

struct WindowSize {
  const char* window;  // object name
  QSize design;        // empty: the size its layout asks for
  const char* room;    // the control that takes a larger window's room
};

const WindowSize kWindows[] = {
    {"Main", {}, "pageTabs"},
    {"TCustomer", {}, "commentsMemo"},
    {"TPickGroup", {360, 320}, "namesList"},
    {"TGroupDef", {}, nullptr},
    {"TPickCust", {}, "recordsGrid"},
    {"TPickProd", {}, "recordsGrid"},
    {"TPickPur", {}, "recordsGrid"},
    {"TProdDef", {}, "productTextMemo"},
    {"TPurDef", {}, nullptr},
};

// The window's own controls, shown, that lie over one another.
QStringList overlapping(const QWidget* window) {
  QList<const QWidget*> controls;
  for (const QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_") && !w->isWindow() &&
        w->isVisibleTo(window))
      controls << w;
  }
  QStringList found;
  for (const QWidget* a : controls) {
    const QRect at(a->mapTo(window, QPoint()), a->size());
    for (const QWidget* b : controls) {
      if (a >= b || a->isAncestorOf(b) || b->isAncestorOf(a)) continue;
      if (at.intersects(QRect(b->mapTo(window, QPoint()), b->size())))
        found << a->objectName() + "/" + b->objectName();
    }
  }
  return found;
}

class WindowSizes : public ::testing::Test {
 protected:
  void SetUp() override {
    run.startUp();
    run.showActive();
  }

  QWidget* window(const char* name) {
    if (run.main->objectName() == name) return run.main.get();
    return run.main->findChild<QDialog*>(name);
  }

  DataDir dir;
  ProgramRun run{dir.path()};
};

TEST_F(WindowSizes, EachWindowOpensAtItsLeastSizeAndGivesMoreRoomToItsGridOrMemo) {
  for (const WindowSize& expected : kWindows) {
    SCOPED_TRACE(expected.window);
    QWidget* w = window(expected.window);
    ASSERT_NE(w, nullptr);
    w->show();
    const QSize design = w->size();
    EXPECT_EQ(w->minimumSize(), design);
    if (!expected.design.isEmpty()) {
      EXPECT_EQ(design, expected.design);
    }

    w->resize(design / 2);
    EXPECT_EQ(w->size(), design);
    EXPECT_EQ(overlapping(w), QStringList());

    if (expected.room) {
      const QWidget* room = w->findChild<QWidget*>(expected.room);
      ASSERT_NE(room, nullptr);
      const QSize before = room->size();
      w->resize(design + QSize(120, 90));
      QApplication::processEvents();
      EXPECT_EQ(room->size(), before + QSize(120, 90));
      EXPECT_EQ(overlapping(w), QStringList());
    }
    if (w != run.main.get()) w->hide();
  }
}

TEST_F(WindowSizes, TheProgressBoxMovesNothingInTheMainWindow) {
  const QSize size = run.main->size();
  const QRect pages = run.main->pageTabs->geometry();
  std::vector<std::pair<QSize, QRect>> seen;  // while the box shows
  QObject watch;
  QObject::connect(run.main->progressBar, &QProgressBar::valueChanged, &watch,
                   [&] { seen.emplace_back(run.main->size(), run.main->pageTabs->geometry()); });
  run.main->button("reindexButton")->click();
  run.main->button("packButton")->click();
  ASSERT_FALSE(seen.empty());
  for (const auto& [during, pagesDuring] : seen) {
    EXPECT_EQ(during, size);
    EXPECT_EQ(pagesDuring, pages);
  }
  QApplication::processEvents();
  EXPECT_EQ(run.main->size(), size);
}

}  // namespace
}  // namespace vt::shell::testing
