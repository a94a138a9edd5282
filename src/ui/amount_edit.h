// The amount entry field every editing window uses: the mask built with the
// system's decimal separator, typing the separator moves the typed integer
// part into place before the decimals, the text is red while it holds a
// minus sign, and a value set into it is given back unchanged until the user
// edits it.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

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
  // blanks are removed. Throws ConversionError when it is none. While the
  // field shows what setValue put there, it is the value set, unchanged (a
  // stored value the user did not edit is written back as it was, even one
  // rounded for showing or wider than the mask).
  double value() const;
  void setValue(double v);

  // True while the text is shown red (it holds "-").
  bool showsNegative() const { return negative_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // Blank, or zero.
  bool holdsNoValue() const override;

 private:
  double shownValue() const;  // throws ConversionError
  void reformat();
  void updateColour();

  QByteArray format_ = "%8.2f";
  bool negative_ = false;
  bool redWhenNegative_ = true;
  std::optional<double> valueSet_;
  QString textSet_;  // the text setValue showed
};

}  // namespace vt::ui
