// Date fields in the US and German short date formats: a valid date is
// written again in the short format with the year in the current century (in
// a date field with two-digit day and month); an
// invalid one is refused with "Invalid Date Entered" and keeps the focus.
#include "ui/date_edit.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include "base/dialogs.h"
#include "ui/locale_format.h"
#include "ui/session_options.h"
#include "window_test_support.h"

namespace vt::ui {
namespace {

using testing::LocaleScope;

int century() {
  return QDate::currentDate().year() / 100 * 100;
}

TEST(CheckDate, UsDateIsWrittenAgainInTheShortFormat) {
  LocaleScope us("en_US");
  ASSERT_EQ(shortDateFormat(), "M/d/yy");
  base::ScriptedDialogs dialogs;
  QString text = "3/5/26";
  EXPECT_TRUE(CheckDate(&text, dialogs));
  EXPECT_EQ(text, "03/05/26");
  EXPECT_EQ(ParseShortDate(" 3/ 5/26"), QDate(century() + 26, 3, 5));
  EXPECT_TRUE(dialogs.shown().empty());
}

TEST(CheckDate, GermanDateIsWrittenAgainInTheShortFormat) {
  LocaleScope german("de_DE");
  ASSERT_EQ(shortDateFormat(), "dd.MM.yy");
  base::ScriptedDialogs dialogs;
  QString text = " 5. 3.99";
  EXPECT_TRUE(CheckDate(&text, dialogs));
  EXPECT_EQ(text, "05.03.99");
  EXPECT_EQ(ParseShortDate(text), QDate(century() + 99, 3, 5)) << "not 1999";
}

// Date fields, pickers, previews and printed pages show a date one way.
TEST(CheckDate, EveryPlaceShowsTheOneShortDateForm) {
  LocaleScope us("en_US");
  const base::DateTime date = base::MakeDate(2026, 12, 8);
  EXPECT_EQ(FormatShortDate(QDate(2026, 12, 8)), "12/08/26");
  const data::SessionOptions options = LocaleSessionOptions();
  EXPECT_EQ(options.shortDate(date), "12/08/26") << "previews and printed pages";
  EXPECT_EQ(options.viewDate(date), "12/08/26") << "the invoice's payments";
}

TEST(CheckDate, InvalidDatesAreRefused) {
  LocaleScope us("en_US");
  for (const char* typed : {"13/45/26", "2/30/26", "  /  /  ", "1/5/", "a/b/cc", "1/2/3/4"}) {
    base::ScriptedDialogs dialogs;
    QString text = typed;
    EXPECT_FALSE(CheckDate(&text, dialogs)) << typed;
    EXPECT_EQ(text, typed) << "left as typed";
    ASSERT_EQ(dialogs.shown().size(), 1u) << typed;
    EXPECT_EQ(dialogs.shown()[0].kind, base::DialogKind::Information);
    EXPECT_EQ(dialogs.shown()[0].text, "Invalid Date Entered");
  }
}

TEST(CheckDate, DayAndMonthFollowTheLocaleOrder) {
  LocaleScope german("de_DE");
  EXPECT_FALSE(ParseShortDate("12/13/26").isValid()) << "wrong separator";
  EXPECT_FALSE(ParseShortDate("12.13.26").isValid()) << "no 13th month";
  EXPECT_EQ(ParseShortDate("13.12.26"), QDate(century() + 26, 12, 13));
}

class DateEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&window_);
    date_ = new DateEdit;
    next_ = new QLineEdit;
    layout->addWidget(date_);
    layout->addWidget(next_);
    date_->setDialogs(&dialogs_);
    ASSERT_TRUE(testing::showActive(&window_));
    date_->setFocus();
  }

  void typeAndLeave(const char* text) {
    QTest::keyClicks(date_, text);
    QTest::keyClick(date_, Qt::Key_Tab);
    QApplication::processEvents();
  }

  base::ScriptedDialogs dialogs_;
  QWidget window_;
  DateEdit* date_ = nullptr;
  QLineEdit* next_ = nullptr;
};

TEST_F(DateEditTest, ValidUsDateIsRewrittenOnLeaving) {
  LocaleScope us("en_US");
  date_->setEditMask(kDateMask);
  typeAndLeave("3/5/26");
  EXPECT_EQ(date_->text(), "03/05/26") << "no blank where a leading zero reads better";
  EXPECT_EQ(date_->date(), QDate(century() + 26, 3, 5));
  EXPECT_TRUE(next_->hasFocus());
  EXPECT_TRUE(dialogs_.shown().empty());
}

TEST_F(DateEditTest, ValidGermanDateIsRewrittenOnLeaving) {
  LocaleScope german("de_DE");
  date_->setEditMask(kDateMask);
  typeAndLeave("5.3.26");
  EXPECT_EQ(date_->text(), "05.03.26");
  EXPECT_TRUE(next_->hasFocus());
}

TEST_F(DateEditTest, InvalidDateIsRefusedAndTakesTheFocusBack) {
  LocaleScope us("en_US");
  date_->setEditMask(kDateMask);
  typeAndLeave("13/45/26");
  ASSERT_EQ(dialogs_.shown().size(), 1u);
  EXPECT_EQ(dialogs_.shown()[0].text, "Invalid Date Entered");
  EXPECT_EQ(date_->text(), "13/45/26");
  EXPECT_TRUE(date_->hasFocus());
  EXPECT_FALSE(date_->date().isValid());
}

TEST_F(DateEditTest, SetDateWritesTheShortFormatWithTwoDigitDayAndMonth) {
  LocaleScope us("en_US");
  date_->setEditMask(kDateMask);
  date_->setDate(QDate(2026, 12, 31));
  EXPECT_EQ(date_->text(), "12/31/26");
  date_->setDate(QDate(2026, 12, 7));
  EXPECT_EQ(date_->text(), "12/07/26");
  date_->setText(FormatShortDate(QDate(2026, 3, 1)));
  EXPECT_EQ(date_->text(), "03/01/26");
  date_->setDate(QDate());
  EXPECT_EQ(date_->text(), "  /  /  ");
  EXPECT_FALSE(date_->check());
  EXPECT_EQ(dialogs_.shown().size(), 1u);
}

}  // namespace
}  // namespace vt::ui
