// Field behaviour every editing window shares.
#pragma once

class QPushButton;
class QString;
class QWidget;

namespace vt::ui {

// Enter or Return on a focused push button of `window` presses that button,
// whichever button is the default. Lasts as long as the window.
void enableEnterPressesButtons(QWidget* window);

// Enter or Return in any one-line edit (or spin box) of `window` moves the
// focus to the next control, as Tab does, and on a focused push button
// presses it; controls added later are covered too. Lasts as long as the
// window.
void enableEnterMovesFocus(QWidget* window);

// A push button named `name` with `caption` as its text and accessible name,
// never the window's default: Enter presses only the button that has the
// focus.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption);

}  // namespace vt::ui
