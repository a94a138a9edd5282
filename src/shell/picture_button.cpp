#include "shell/picture_button.h"

#include <QIcon>
#include <QKeyEvent>
#include <QPalette>

namespace vt::shell {

namespace {
constexpr int kPictureSize = 64;
}

PictureButton::PictureButton(const QString& objectName, const QString& icon, const QString& hint,
                             const QString& caption, QWidget* parent)
    : QToolButton(parent) {
  setObjectName(objectName);
  setIcon(QIcon(icon));
  setIconSize(QSize(kPictureSize, kPictureSize));
  setText(caption);
  setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  setToolTip(hint);
  setAccessibleName(caption);
  setAccessibleDescription(hint);
  setFocusPolicy(Qt::StrongFocus);
  setAutoRaise(true);
  keepCaptionReadable();
}

// The raised panel under the mouse is drawn in the button colour: a deep
// teal keeps the page's white caption readable on it.
void PictureButton::keepCaptionReadable() {
  QPalette colours = palette();
  colours.setColor(QPalette::Button, QColor(0x00, 0x5a, 0x5a));
  colours.setColor(QPalette::ButtonText, Qt::white);
  setPalette(colours);
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    click();
    return;
  }
  QToolButton::keyPressEvent(event);
}

}  // namespace vt::shell
