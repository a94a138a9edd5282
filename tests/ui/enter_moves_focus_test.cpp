// Enter in a one-line field moves the focus on as Tab does, in the window it
// was enabled for only.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

#include "ui/amount_edit.h"
#include "ui/field_behaviour.h"
#include "window_test_support.h"

namespace vt::ui {
namespace {

struct SmallWindow {
  SmallWindow() {
    auto* layout = new QVBoxLayout(&window);
    for (QWidget* w : std::initializer_list<QWidget*>{first, amount, spin, memo, button}) {
      layout->addWidget(w);
    }
  }
  QWidget window;
  QLineEdit* first = new QLineEdit;
  AmountEdit* amount = new AmountEdit;
  QSpinBox* spin = new QSpinBox;
  QPlainTextEdit* memo = new QPlainTextEdit;
  QPushButton* button = new QPushButton("OK");
};

TEST(EnterMovesFocus, EnterAndReturnGoToTheNextControl) {
  SmallWindow w;
  enableEnterMovesFocus(&w.window);
  ASSERT_TRUE(testing::showActive(&w.window));
  w.first->setFocus();
  QTest::keyClick(w.first, Qt::Key_Return);
  EXPECT_TRUE(w.amount->hasFocus());
  QTest::keyClick(w.amount, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_TRUE(w.spin->hasFocus());
  QTest::keyClick(w.spin, Qt::Key_Return);
  EXPECT_TRUE(w.memo->hasFocus());
}

TEST(EnterMovesFocus, MultiLineFieldsKeepTheirEnter) {
  SmallWindow w;
  enableEnterMovesFocus(&w.window);
  ASSERT_TRUE(testing::showActive(&w.window));
  w.memo->setFocus();
  QTest::keyClicks(w.memo, "a");
  QTest::keyClick(w.memo, Qt::Key_Return);
  EXPECT_TRUE(w.memo->hasFocus());
  EXPECT_EQ(w.memo->toPlainText(), "a\n");
}

TEST(EnterMovesFocus, OtherWindowsAreLeftAlone) {
  SmallWindow enabled;
  SmallWindow other;
  enableEnterMovesFocus(&enabled.window);
  bool returnPressed = false;
  QObject::connect(other.first, &QLineEdit::returnPressed, [&] { returnPressed = true; });
  ASSERT_TRUE(testing::showActive(&other.window));
  other.first->setFocus();
  QTest::keyClick(other.first, Qt::Key_Return);
  EXPECT_TRUE(other.first->hasFocus());
  EXPECT_TRUE(returnPressed);
}

}  // namespace
}  // namespace vt::ui
