// The amount entry field every editing window uses: the mask built with the
// system's decimal separator, typing the separator moves the typed integer
// part into place before the decimals, the text is red while it holds a
// minus sign, and a value set into it is given back unchanged until the user
// edits it. Digits go no further than the mask's integer places (one more is
// refused with a beep), and a field left blank holds 0.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>

#include "ui/masked_edit.h"

namespace vt::ui {

class AmountEdit : public MaskedEdit {
  Q_OBJECT

 public:
  explicit AmountEdit(QWidget* parent = nullptr);

  // The mask amountMask(integerDigits) and the C format ("%8.2f") that the
  // separator key and setValue use.
  void setAmountFormat(int integerDigits, const char* cFormat);
  const char* amountFormat() const { return format_.constData(); }
  // A design mask kept as it is given ("!####.999;1;_": its "." stays
  // whatever the system's separator), with the format of the separator key,
  // and without the red colouring of negative amounts.
  void setDesignFormat(const QString& mask, const char* cFormat);

  // The number in the field, read with the system's separator after the
  // blanks are removed; 0 when nothing else is left. Throws ConversionError
  // when it is none. While the
  // field shows what setValue put there, it is the value set, unchanged (a
  // stored value the user did not edit is written back as it was, even one
  // rounded for showing or wider than the mask).
  double value() const;
  void setValue(double v);
  // The text in the field's own format (ReformatAmount; a blank field gives
  // 0). Throws ConversionError.
  QString reformatted() const;

  // True while the text holds "-" (shown red unless turned off below).
  bool showsNegative() const { return negative_; }
  // Whether a negative amount is shown red (it is unless turned off).
  void setRedWhenNegative(bool red);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // Blank, or zero.
  bool holdsNoValue() const override;

 private:
  double shownValue() const;  // throws ConversionError
  // Nothing but blanks and the decimal separator.
  bool isBlank() const;
  void reformat();
  void updateColour();

  QByteArray format_ = "%8.2f";
  bool negative_ = false;
  bool redWhenNegative_ = true;
  std::optional<double> valueSet_;
  QString textSet_;  // the text setValue showed
};

// What the user is told when an amount field holds no number: "Please enter
// an amount such as 12.50", with the system's decimal separator.
std::string AmountHint();

}  // namespace vt::ui
