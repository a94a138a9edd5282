// The date entry field: the mask kDateMask, the day and month shown in two
// digits, checked with CheckDate when the field is left; an invalid date is
// refused and the field takes the focus back.
#pragma once

#include <QDate>

#include "ui/masked_edit.h"

namespace vt::ui {

class DateEdit : public MaskedEdit {
  Q_OBJECT

 public:
  explicit DateEdit(QWidget* parent = nullptr);

  // Where "Invalid Date Entered" is shown; a field without one does not
  // check on leaving.
  void setDialogs(vt::base::Dialogs* dialogs) { MaskedEdit::setDialogs(dialogs); }

  // The date in the field; an invalid QDate when it holds none.
  QDate date() const;
  // Writes the date as FormatShortDate shows it; an invalid date blanks it.
  void setDate(const QDate& date);
  // A text that is a short date is shown as FormatShortDate shows that
  // date; any other text goes into the mask as it is. Hides
  // MaskedEdit::setText.
  void setText(const QString& text);
  // CheckDate on the field's text now: rewrites a valid date, shows the
  // warning for an invalid one. The result is CheckDate's.
  bool check();

 signals:
  // A date that failed the check when the field was left.
  void dateRefused();

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool checking_ = false;
};

}  // namespace vt::ui
