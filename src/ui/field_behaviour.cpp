#include "ui/field_behaviour.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace vt::ui {

namespace {

// Watches the key presses of the whole program and gives Enter on a push
// button of its window to that button, and (when asked) Enter in a one-line
// edit of its window to Tab.
class EnterKeys : public QObject {
 public:
  EnterKeys(QWidget* window, bool movesFocus)
      : QObject(window), window_(window), movesFocus_(movesFocus) {
    qApp->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if (key->modifiers() & ~Qt::KeypadModifier) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_) return false;
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
      if (button->isEnabled()) button->click();
      return true;
    }
    if (!movesFocus_ || !isOneLineEdit(widget)) return false;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &tab);
    return true;
  }

 private:
  static bool isOneLineEdit(QWidget* widget) {
    return qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractSpinBox*>(widget);
  }

  QPointer<QWidget> window_;
  bool movesFocus_;
};

}  // namespace

void enableEnterPressesButtons(QWidget* window) {
  new EnterKeys(window, false);
}

void enableEnterMovesFocus(QWidget* window) {
  new EnterKeys(window, true);
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  button->setAccessibleName(caption);
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

}  // namespace vt::ui
