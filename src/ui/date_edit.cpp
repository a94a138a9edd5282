#include "ui/date_edit.h"

#include <QFocusEvent>
#include <QTimer>

#include "ui/locale_format.h"

namespace vt::ui {

DateEdit::DateEdit(QWidget* parent) : MaskedEdit(parent) {
  setEditMask(QString::fromLatin1(kDateMask));
}

QDate DateEdit::date() const {
  return ParseShortDate(text());
}

void DateEdit::setDate(const QDate& date) {
  MaskedEdit::setText(FormatShortDate(date));
}

void DateEdit::setText(const QString& text) {
  const QDate date = ParseShortDate(text);
  MaskedEdit::setText(date.isValid() ? FormatShortDate(date) : text);
}

bool DateEdit::check() {
  if (!dialogs()) return ParseShortDate(text()).isValid();
  QString value = text();
  const bool valid = CheckDate(&value, *dialogs());
  if (valid) setText(value);
  return valid;
}

// Leaving the field checks it; switching to another program, opening a menu
// or closing the window does not leave it. The focus comes back once the move in progress has
// ended.
void DateEdit::focusOutEvent(QFocusEvent* event) {
  MaskedEdit::focusOutEvent(event);
  if (checking_ || !dialogs() || !window()->isVisible() ||
      event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) {
    return;
  }
  checking_ = true;
  const bool valid = check();
  checking_ = false;
  if (valid) return;
  emit dateRefused();
  QTimer::singleShot(0, this, [this] {
    setFocus(Qt::OtherFocusReason);
    selectAll();
  });
}

}  // namespace vt::ui
