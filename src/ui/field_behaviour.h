// Field behaviour every editing window shares.
#pragma once

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

}  // namespace vt::ui
