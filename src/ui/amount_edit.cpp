#include "ui/amount_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>

#include "ui/locale_format.h"

namespace vt::ui {

AmountEdit::AmountEdit(QWidget* parent) : MaskedEdit(parent) {
  setAlignment(Qt::AlignRight);
  connect(this, &QLineEdit::textChanged, this, &AmountEdit::updateColour);
  updateColour();
}

void AmountEdit::setAmountFormat(int integerDigits, const char* cFormat) {
  format_ = cFormat;
  valueSet_.reset();
  setEditMask(amountMask(integerDigits));
  setStopAtLiteral(decimalSeparator());
}

void AmountEdit::setDesignFormat(const QString& mask, const char* cFormat) {
  format_ = cFormat;
  valueSet_.reset();
  redWhenNegative_ = false;
  setEditMask(mask);
  setStopAtLiteral(QLatin1Char('.'));
  updateColour();
}

double AmountEdit::value() const {
  if (valueSet_ && text() == textSet_) return *valueSet_;
  return shownValue();
}

bool AmountEdit::isBlank() const {
  QString cleaned = text();
  cleaned.remove(QLatin1Char(' ')).remove(decimalSeparator());
  return cleaned.isEmpty();
}

double AmountEdit::shownValue() const {
  if (isBlank()) return 0;
  QString cleaned = text();
  cleaned.remove(QLatin1Char(' '));
  return ParseAmount(cleaned);
}

QString AmountEdit::reformatted() const {
  if (isBlank()) return FormatAmount(0, format_.constData());
  return ReformatAmount(text(), format_.constData());
}

void AmountEdit::setValue(double v) {
  setText(FormatAmount(v, format_.constData()));
  valueSet_ = v;
  textSet_ = text();
}

bool AmountEdit::holdsNoValue() const {
  if (MaskedEdit::holdsNoValue()) return true;
  try {
    return shownValue() == 0;
  } catch (const ConversionError&) {
    return false;
  }
}

void AmountEdit::keyPressEvent(QKeyEvent* event) {
  if (hasMask() && event->text() == QString(decimalSeparator())) {
    reformat();
    event->accept();
  } else {
    MaskedEdit::keyPressEvent(event);
  }
  updateColour();
}

// The typed integer part goes before the decimals; the cursor waits after
// the separator for the cents.
void AmountEdit::reformat() {
  try {
    setText(reformatted());
  } catch (const ConversionError&) {
    if (dialogs()) {
      dialogs()->information("", AmountHint());
    } else {
      QApplication::beep();
    }
    return;
  }
  const int separator = QLineEdit::text().indexOf(decimalSeparator());
  setCursorPosition(separator < 0 ? 0 : separator + 1);
}

void AmountEdit::setRedWhenNegative(bool red) {
  redWhenNegative_ = red;
  updateColour();
}

// A disabled field keeps the style's disabled colour.
void AmountEdit::updateColour() {
  negative_ = text().contains(QLatin1Char('-'));
  const QColor colour = negative_ && redWhenNegative_ ? Qt::red : Qt::black;
  QPalette colours = palette();
  if (colours.color(QPalette::Active, QPalette::Text) == colour &&
      colours.color(QPalette::Inactive, QPalette::Text) == colour) {
    return;
  }
  colours.setColor(QPalette::Active, QPalette::Text, colour);
  colours.setColor(QPalette::Inactive, QPalette::Text, colour);
  setPalette(colours);
}

std::string AmountHint() {
  return "Please enter an amount such as 12" + QString(decimalSeparator()).toStdString() + "50";
}

}  // namespace vt::ui
