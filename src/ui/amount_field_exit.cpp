#include "ui/amount_field_exit.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>
#include <utility>

#include "ui/locale_format.h"

namespace vt::ui {

namespace {

bool focusMovedByUser(Qt::FocusReason reason) {
  return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
         reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason;
}

// Calls back when its field loses the focus to another control of a shown
// window.
class FieldExitWatch : public QObject {
 public:
  FieldExitWatch(QWidget* field, std::function<void()> onExit)
      : QObject(field), field_(field), onExit_(std::move(onExit)) {
    field->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (passing_ || watched != field_ || event->type() != QEvent::FocusOut ||
        !focusMovedByUser(static_cast<QFocusEvent*>(event)->reason()) ||
        !field_->window()->isVisible()) {
      return false;
    }
    // The field handles the event first, so the handler sees it left.
    passing_ = true;
    QCoreApplication::sendEvent(field_, event);
    passing_ = false;
    onExit_();
    return true;
  }

 private:
  QWidget* field_;
  bool passing_ = false;
  std::function<void()> onExit_;
};

}  // namespace

void WatchFieldExit(QWidget* field, std::function<void()> onExit) {
  new FieldExitWatch(field, std::move(onExit));
}

void RefocusField(QWidget* field) {
  QTimer::singleShot(0, field, [field] {
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
  });
}

bool LeaveAmountField(AmountEdit& field, vt::base::Dialogs& dialogs) {
  try {
    field.setText(field.reformatted());
    return true;
  } catch (const ConversionError&) {
    dialogs.information("", AmountHint());
    RefocusField(&field);
    return false;
  }
}

std::optional<double> AmountToSave(AmountEdit& field, vt::base::Dialogs& dialogs) {
  try {
    return field.value();
  } catch (const ConversionError&) {
    dialogs.information("", AmountHint());
    RefocusField(&field);
    return std::nullopt;
  }
}

}  // namespace vt::ui
