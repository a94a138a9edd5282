// What a screen reader says for each control of every window: the caption
// the control shows (or its label's), and never nothing.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAccessible>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextEdit>

#include "shell/shell_test_support.h"

namespace vt::shell::testing {
namespace {

// A caption as it is read: without its mnemonic marks, blanks at either end
// or a closing colon.
QString spoken(QString caption) {
  caption.replace(QRegularExpression("&(.)"), "\\1");
  caption = caption.trimmed();
  if (caption.endsWith(':')) caption.chop(1);
  return caption;
}

bool isControl(const QWidget* w) {
  if (w->objectName().isEmpty() || w->objectName().startsWith("qt_")) return false;
  return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QGroupBox*>(w) ||
         qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
         qobject_cast<const QTextEdit*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
         (qobject_cast<const QAbstractItemView*>(w) && !qobject_cast<const QHeaderView*>(w));
}

// The caption the user sees on the control or on the label shown for it;
// empty when there is none.
QString visibleCaption(const QWidget* control, const QWidget* window) {
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
  if (const auto* group = qobject_cast<const QGroupBox*>(control)) return group->title();
  for (const QLabel* label : window->findChildren<QLabel*>()) {
    if (label->buddy() == control && label->isVisibleTo(window)) return label->text();
  }
  return {};
}

class AccessibleNames : public ::testing::Test {
 protected:
  void SetUp() override { run.startUp(); }

  DataDir dir;
  ProgramRun run{dir.path()};
};

TEST_F(AccessibleNames, EveryControlIsNamedByTheCaptionItShows) {
  QList<QWidget*> windows = {run.main.get(), run.help.window()};
  for (QDialog* dialog : run.main->findChildren<QDialog*>()) windows << dialog;
  ASSERT_GE(windows.size(), 12);
  for (QWidget* window : windows) {
    window->show();
    for (QWidget* control : window->findChildren<QWidget*>()) {
      // A control hidden on purpose is not shown to a screen reader either.
      if (!isControl(control) || control->window() != window || control->isHidden()) continue;
      SCOPED_TRACE((window->objectName() + " " + control->objectName()).toStdString());
      const QString name = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
      EXPECT_FALSE(name.trimmed().isEmpty());
      const QString caption = visibleCaption(control, window);
      if (!caption.isEmpty()) {
        EXPECT_EQ(spoken(name), spoken(caption));
      }
    }
    window->hide();
  }
}

}  // namespace
}  // namespace vt::shell::testing
