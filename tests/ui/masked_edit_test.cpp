// Typing into the fixed positions of the original platform's masks: digits
// overtype, literals are skipped, Backspace and Delete blank a position, and
// text set into a "!" mask is right-aligned.
#include "ui/masked_edit.h"

#include <gtest/gtest.h>

#include <QTest>

#include "ui/locale_format.h"
#include "window_test_support.h"

namespace vt::ui {
namespace {

using testing::LocaleScope;

class MaskedEditTest : public ::testing::Test {
 protected:
  LocaleScope locale_{"en_US"};
  MaskedEdit edit_;
};

TEST_F(MaskedEditTest, EmptyAmountFieldIsBlanksAroundTheSeparator) {
  edit_.setEditMask("!#######.99;1;_");
  EXPECT_EQ(edit_.editMask(), "!#######.99;1;_");
  EXPECT_EQ(edit_.text(), "       .  ");
}

TEST_F(MaskedEditTest, TypingOvertypesFromTheCursorAndSkipsTheLiteral) {
  edit_.setEditMask("!#######.99;1;_");
  edit_.setCursorPosition(5);
  QTest::keyClicks(&edit_, "12345");
  EXPECT_EQ(edit_.text(), "     12.34");
  EXPECT_EQ(edit_.text().size(), 10) << "the field never grows";
}

TEST_F(MaskedEditTest, SignGoesIntoHashPositionsOnly) {
  edit_.setEditMask("!#######.99;1;_");
  QTest::keyClicks(&edit_, "-5");
  EXPECT_EQ(edit_.text(), "-5     .  ");
  edit_.setCursorPosition(8);
  QTest::keyClicks(&edit_, "-");
  EXPECT_EQ(edit_.text(), "-5     .  ") << "'9' takes digits only";
  QTest::keyClicks(&edit_, "x7");
  EXPECT_EQ(edit_.text(), "-5     .7 ");
}

TEST_F(MaskedEditTest, BackspaceBlanksThePositionBeforeTheCursorAcrossLiterals) {
  edit_.setEditMask("!#######.99;1;_");
  edit_.setText("   12.50");
  EXPECT_EQ(edit_.text(), "     12.50");
  edit_.setCursorPosition(8);  // just after the separator
  QTest::keyClick(&edit_, Qt::Key_Backspace);
  EXPECT_EQ(edit_.text(), "     1 .50");
  EXPECT_EQ(edit_.cursorPosition(), 6);
}

TEST_F(MaskedEditTest, DeleteBlanksThePositionAtTheCursor) {
  edit_.setEditMask("!#######.99;1;_");
  edit_.setText("   12.50");
  edit_.setCursorPosition(8);
  QTest::keyClick(&edit_, Qt::Key_Delete);
  EXPECT_EQ(edit_.text(), "     12. 0");
  EXPECT_EQ(edit_.cursorPosition(), 8);
}

TEST_F(MaskedEditTest, TypingOverASelectionBlanksItFirst) {
  edit_.setEditMask("!#######.99;1;_");
  edit_.setText("  1234.56");
  edit_.selectAll();
  QTest::keyClicks(&edit_, "9");
  EXPECT_EQ(edit_.text(), "9      .  ");
}

TEST_F(MaskedEditTest, UnhandledEditingKeysLeaveThePositionsAlone) {
  edit_.setEditMask("!#######.99;1;_");
  edit_.setText("12.50");
  edit_.setCursorPosition(6);
  QTest::keyClick(&edit_, Qt::Key_K, Qt::ControlModifier);  // delete to the end
  QTest::keyClick(&edit_, Qt::Key_Z, Qt::ControlModifier);  // undo
  EXPECT_EQ(edit_.text(), "     12.50");
  EXPECT_EQ(edit_.QLineEdit::text().size(), 10);
}

TEST_F(MaskedEditTest, DateMaskTakesTheSystemSeparatorAndRightAlignsText) {
  edit_.setEditMask(kDateMask);
  EXPECT_EQ(edit_.text(), "  /  /  ");
  edit_.setText("3/5/26");
  EXPECT_EQ(edit_.text(), " 3/ 5/26");
  LocaleScope german("de_DE");
  MaskedEdit germanEdit;
  germanEdit.setEditMask(kDateMask);
  germanEdit.setText("05.03.26");
  EXPECT_EQ(germanEdit.text(), "05.03.26");
}

TEST_F(MaskedEditTest, TypingASeparatorJumpsToTheNextPart) {
  edit_.setEditMask(kDateMask);
  QTest::keyClicks(&edit_, "3/5/26");
  EXPECT_EQ(edit_.text(), "3 /5 /26");
  edit_.setText("");
  edit_.setCursorPosition(0);
  QTest::keyClicks(&edit_, "120526");
  EXPECT_EQ(edit_.text(), "12/05/26");
  edit_.setText("");
  edit_.setCursorPosition(0);
  QTest::keyClicks(&edit_, "12/05/26");
  EXPECT_EQ(edit_.text(), "12/05/26") << "a separator right after its place is taken as typed";
}

TEST_F(MaskedEditTest, BackspaceInADateStepsOverTheSeparators) {
  edit_.setEditMask(kDateMask);
  edit_.setText("12/05/26");
  edit_.setCursorPosition(6);
  QTest::keyClick(&edit_, Qt::Key_Backspace);
  EXPECT_EQ(edit_.text(), "12/0 /26");
  EXPECT_EQ(edit_.cursorPosition(), 4);
  edit_.setCursorPosition(3);
  QTest::keyClick(&edit_, Qt::Key_Backspace);
  EXPECT_EQ(edit_.text(), "1 /0 /26");
  EXPECT_EQ(edit_.cursorPosition(), 1);
}

TEST_F(MaskedEditTest, RequiredPositionsMakeTheFieldComplete) {
  edit_.setEditMask(kDateMask);
  edit_.setText("3/5/");
  EXPECT_FALSE(edit_.isComplete());
  edit_.setText("3/5/26");
  EXPECT_TRUE(edit_.isComplete());
}

TEST_F(MaskedEditTest, BlankCharacterShowsOnlyWhileEditing) {
  QWidget window;
  auto* edit = new MaskedEdit(&window);
  auto* other = new MaskedEdit(&window);
  edit->setEditMask(kDateMask);
  other->setEditMask("!99;1;*");
  ASSERT_TRUE(testing::showActive(&window));
  edit->setFocus();
  EXPECT_EQ(edit->QLineEdit::text(), "__/__/__");
  EXPECT_EQ(edit->text(), "  /  /  ");
  other->setFocus();
  EXPECT_EQ(edit->QLineEdit::text(), "  /  /  ");
  EXPECT_EQ(other->QLineEdit::text(), "**");
}

TEST_F(MaskedEditTest, TextChangedBehindTheFieldsBackIsPutIntoTheMask) {
  edit_.setEditMask("!#######.99;1;_");
  QLineEdit& plain = edit_;
  plain.setText("42.10");
  EXPECT_EQ(edit_.text(), "     42.10");
}

TEST_F(MaskedEditTest, LiteralsLeftOutWhenTheMaskSaysSo) {
  edit_.setEditMask("!99/99/00;0;_");
  edit_.setText("3/5/26");
  EXPECT_EQ(edit_.text(), " 3 526");
}

}  // namespace
}  // namespace vt::ui
