#include "ui/field_behaviour.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

namespace vt::ui {

namespace {

// Watches the key presses of the whole program and turns Enter in a one-line
// edit of its window into Tab.
class EnterMovesFocus : public QObject {
 public:
  explicit EnterMovesFocus(QWidget* window) : QObject(window), window_(window) {
    qApp->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if (key->modifiers() & ~Qt::KeypadModifier) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !isOneLineEdit(widget) || widget->window() != window_) return false;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &tab);
    return true;
  }

 private:
  static bool isOneLineEdit(QWidget* widget) {
    return qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractSpinBox*>(widget);
  }

  QPointer<QWidget> window_;
};

}  // namespace

void enableEnterMovesFocus(QWidget* window) {
  new EnterMovesFocus(window);
}

}  // namespace vt::ui
