// Typing after a click into a masked field is as reliable as after Tab: a
// click into a field without a value, or beside the value, selects it all, so
// what is typed replaces it and is never mixed with the old digits.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include "ui/amount_edit.h"
#include "ui/date_edit.h"
#include "window_test_support.h"

namespace vt::ui {
namespace {

using testing::LocaleScope;

enum class Near { Left, Right };

// A shown window holding the field after a control that has the focus, so
// that a click is what brings the focus into the field.
class ClickThenType : public ::testing::Test {
 protected:
  void show(MaskedEdit* field) {
    auto* layout = new QVBoxLayout(&window_);
    layout->addWidget(other_);
    layout->addWidget(field);
    ASSERT_TRUE(testing::showActive(&window_));
  }

  // Clicks the field near one end, as a user aiming at it does, then types.
  void clickAndType(MaskedEdit* field, Near near, const char* typed) {
    other_->setFocus();
    const int x = near == Near::Left ? 3 : field->width() - 3;
    QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(x, field->height() / 2));
    QTest::keyClicks(field, typed);
  }

  LocaleScope us_{"en_US"};
  QWidget window_;
  QLineEdit* other_ = new QLineEdit(&window_);
};

TEST_F(ClickThenType, AmountIsWhatWasTyped) {
  auto* amount = new AmountEdit;
  amount->setAmountFormat(5, "%8.2f");
  show(amount);
  struct Case {
    double shown;
    Near near;
    const char* typed;
    double expected;
  };
  for (const Case& c : {Case{0, Near::Left, "12", 12}, Case{0, Near::Left, "-3", -3},
                        Case{0, Near::Right, "5", 5}, Case{45.1, Near::Left, "7", 7}}) {
    amount->setValue(c.shown);
    clickAndType(amount, c.near, c.typed);
    EXPECT_DOUBLE_EQ(amount->value(), c.expected)
        << c.typed << " typed after a click into " << c.shown << " shows "
        << amount->text().toStdString();
  }
}

TEST_F(ClickThenType, DateIsWhatWasTyped) {
  auto* date = new DateEdit;
  show(date);
  for (const QDate& shown : {QDate(2026, 3, 14), QDate()}) {
    date->setDate(shown);
    clickAndType(date, Near::Right, "123126");
    EXPECT_EQ(date->date(), QDate(2026, 12, 31))
        << "after a click beside " << date->text().toStdString();
  }
}

}  // namespace
}  // namespace vt::ui
