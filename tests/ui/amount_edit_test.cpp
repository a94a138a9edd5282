// The amount field as a user types into it: the separator key moves the
// integer part into place, the text turns red while it holds a minus sign,
// the value is read with the system's separator (0 when blank), and no digit
// goes past the integer places.
#include "ui/amount_edit.h"

#include <gtest/gtest.h>

#include <QPalette>
#include <QTest>

#include "base/dialogs.h"
#include "ui/locale_format.h"
#include "window_test_support.h"

namespace vt::ui {
namespace {

using testing::LocaleScope;

QColor textColour(const AmountEdit& edit) {
  return edit.palette().color(QPalette::Active, QPalette::Text);
}

TEST(AmountEdit, SeparatorKeyMovesTheTypedIntegerBeforeTheDecimals) {
  LocaleScope us("en_US");
  AmountEdit edit;
  edit.setAmountFormat(7, "%8.2f");
  EXPECT_EQ(edit.editMask(), "!#######.99;1;_");
  QTest::keyClicks(&edit, "12");
  EXPECT_EQ(edit.text(), "12     .  ");
  QTest::keyClicks(&edit, ".");
  EXPECT_EQ(edit.text(), "     12.00");
  EXPECT_EQ(edit.cursorPosition(), 8) << "ready for the cents";
  QTest::keyClicks(&edit, "75");
  EXPECT_EQ(edit.text(), "     12.75");
  EXPECT_DOUBLE_EQ(edit.value(), 12.75);
}

TEST(AmountEdit, GermanSeparatorKeyIsTheComma) {
  LocaleScope german("de_DE");
  AmountEdit edit;
  edit.setAmountFormat(2, "%5.2f");
  EXPECT_EQ(edit.editMask(), "!##,99;1;_");
  QTest::keyClicks(&edit, "7,5");
  EXPECT_EQ(edit.text(), " 7,50");
  EXPECT_DOUBLE_EQ(edit.value(), 7.5);
  edit.setValue(-3.25);
  EXPECT_EQ(edit.text(), "-3,25");
}

TEST(AmountEdit, RedWhileTheTextHoldsAMinus) {
  LocaleScope us("en_US");
  AmountEdit edit;
  edit.setAmountFormat(7, "%8.2f");
  EXPECT_EQ(textColour(edit), QColor(Qt::black));
  QTest::keyClicks(&edit, "-");
  EXPECT_EQ(textColour(edit), QColor(Qt::red));
  EXPECT_TRUE(edit.showsNegative());
  QTest::keyClicks(&edit, "0.");
  EXPECT_EQ(edit.text(), "     -0.00");
  EXPECT_EQ(textColour(edit), QColor(Qt::red)) << "the sign typed before a digit stays";
  edit.setCursorPosition(5);
  QTest::keyClick(&edit, Qt::Key_Delete);
  EXPECT_EQ(edit.text(), "      0.00");
  EXPECT_EQ(textColour(edit), QColor(Qt::black));
  edit.setValue(-1);
  EXPECT_EQ(textColour(edit), QColor(Qt::red));
}

TEST(AmountEdit, ValueOfTextThatIsNoNumberThrows) {
  LocaleScope us("en_US");
  AmountEdit edit;
  edit.setAmountFormat(7, "%8.2f");
  EXPECT_DOUBLE_EQ(edit.value(), 0) << "a blank field";
  QTest::keyClicks(&edit, "1-");
  EXPECT_THROW(edit.value(), ConversionError);
  edit.setValue(1234.5);
  EXPECT_EQ(edit.text(), "   1234.50");
  EXPECT_DOUBLE_EQ(edit.value(), 1234.5);
}

TEST(AmountEdit, SeparatorOnTextThatIsNoNumberShowsTheErrorAndKeepsTheText) {
  LocaleScope us("en_US");
  base::ScriptedDialogs dialogs;
  AmountEdit edit;
  edit.setDialogs(&dialogs);
  edit.setAmountFormat(7, "%8.2f");
  QTest::keyClicks(&edit, "1-2.");
  EXPECT_EQ(edit.text(), "1-2    .  ");
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].text, "Please enter an amount such as 12.50");
}

TEST(AmountEdit, ADigitBeyondTheIntegerPlacesIsRefused) {
  LocaleScope us("en_US");
  AmountEdit edit;
  edit.setAmountFormat(7, "%8.2f");
  QTest::keyClicks(&edit, "12345678");
  EXPECT_EQ(edit.text(), "1234567.  ") << "the eighth digit is not taken as cents";
  QTest::keyClicks(&edit, ".9");
  EXPECT_EQ(edit.text(), "1234567.90");
}

TEST(AmountEdit, SeparatorInABlankFieldStartsTheCentsOfZero) {
  LocaleScope us("en_US");
  AmountEdit edit;
  edit.setAmountFormat(7, "%8.2f");
  QTest::keyClicks(&edit, ".5");
  EXPECT_EQ(edit.text(), "      0.50");
}

}  // namespace
}  // namespace vt::ui
