// The help window: a context opens its topic, an unknown context the
// contents, links lead between topics and Back returns, and it stays usable
// while a modal window is up.
#include "ui/help_viewer.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

namespace vt::ui {
namespace {

void writePage(const QTemporaryDir& dir, const QString& name, const QString& body) {
  QFile file(dir.filePath(name + ".html"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(("<html><body>" + body + "</body></html>").toUtf8());
}

class HelpViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    writePage(dir_, "contents", "<h1>Contents</h1><a href=\"300.html\">Invoices</a>");
    writePage(dir_, "300", "<h1>Invoices</h1><a href=\"10.html\">Start</a>");
    writePage(dir_, "10", "<h1>Start</h1>");
  }

  QTextBrowser* browser(HelpViewer& help) {
    return help.window()->findChild<QTextBrowser*>("topicBrowser");
  }
  QPushButton* button(HelpViewer& help, const char* name) {
    return help.window()->findChild<QPushButton*>(name);
  }

  // Clicks the link whose text is `label`, as a user would.
  static void clickLink(QTextBrowser* browser, const QString& label) {
    QTextCursor cursor = browser->document()->find(label);
    ASSERT_FALSE(cursor.isNull()) << label.toStdString();
    cursor.setPosition(cursor.selectionStart() + 1);
    const QPoint at = browser->cursorRect(cursor).center();
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
  }

  QTemporaryDir dir_;
};

TEST_F(HelpViewerTest, KnownContextShowsItsTopic) {
  HelpViewer help(nullptr, QUrl::fromLocalFile(dir_.path() + "/"));
  help.showContext(300);
  EXPECT_EQ(help.currentTopic(), "300");
  EXPECT_TRUE(help.window()->isVisible());
  EXPECT_EQ(help.window()->windowTitle(), "Vantrell & Inventory Help");
  EXPECT_TRUE(browser(help)->toPlainText().contains("Invoices"));
}

TEST_F(HelpViewerTest, UnknownContextShowsTheContents) {
  HelpViewer help(nullptr, QUrl::fromLocalFile(dir_.path() + "/"));
  help.showContext(12345);
  EXPECT_EQ(help.currentTopic(), "contents");
}

TEST_F(HelpViewerTest, LinksLeadBetweenTopicsAndBackReturns) {
  HelpViewer help(nullptr, QUrl::fromLocalFile(dir_.path() + "/"));
  help.showContents();
  QPushButton* back = button(help, "backButton");
  ASSERT_NE(back, nullptr);
  EXPECT_FALSE(back->isEnabled());
  clickLink(browser(help), "Invoices");
  EXPECT_EQ(help.currentTopic(), "300");
  EXPECT_TRUE(back->isEnabled());
  QTest::mouseClick(back, Qt::LeftButton);
  EXPECT_EQ(help.currentTopic(), "contents");
  help.showContext(10);
  QTest::mouseClick(button(help, "contentsButton"), Qt::LeftButton);
  EXPECT_EQ(help.currentTopic(), "contents");
}

// The click goes through the window system's path, where a window blocked
// by a modal one drops it (as it drops the title bar's close).
TEST_F(HelpViewerTest, HelpOpenedFromAModalWindowTakesClicks) {
  QWidget owner;
  HelpViewer help(&owner, QUrl::fromLocalFile(dir_.path() + "/"));
  owner.show();
  QDialog editor(&owner);
  QString topic;
  QTimer::singleShot(0, &editor, [&] {
    help.showContext(300);
    QWidget* window = help.window();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    QPushButton* contents = button(help, "contentsButton");
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      contents->mapTo(window, contents->rect().center()));
    topic = help.currentTopic();
    editor.reject();
  });
  editor.exec();
  EXPECT_EQ(topic, "contents");
  // Back with its owner once the modal window has closed, still shown.
  EXPECT_EQ(help.window()->parentWidget(), &owner);
  EXPECT_TRUE(help.window()->isVisible());
}

TEST_F(HelpViewerTest, EveryControlIsNamedForAccessibility) {
  HelpViewer help(nullptr, QUrl::fromLocalFile(dir_.path() + "/"));
  for (QWidget* w : help.window()->findChildren<QWidget*>()) {
    if (w->focusPolicy() == Qt::NoFocus) continue;
    EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
  }
}

TEST(ProgramHelp, ContextsOfTheProgramHaveTopics) {
  HelpViewer help(nullptr);
  if (!QFile::exists(":/help/contents.html")) GTEST_SKIP() << "help topics not compiled in";
  for (int context : {10, 300, 310, 400, 410, 420, 430, 450, 500, 600, 610, 630, 700, 1120}) {
    help.showContext(context);
    EXPECT_EQ(help.currentTopic(), QString::number(context));
  }
  help.showContext(11);
  EXPECT_EQ(help.currentTopic(), "contents");
}

}  // namespace
}  // namespace vt::ui
