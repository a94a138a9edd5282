// Every window's size rule: the size it opens at, its design size, is also
// its minimum, so that no control is ever squeezed over another or cut; a
// window made larger gives the room to what its layout stretches (its grid,
// list or memo).
#pragma once

class QWidget;

namespace vt::ui {

// From the first time `window` is shown, its minimum is the size it opens
// at (the size it was given, or its layout's own), grown on each showing
// when its contents need more.
void HoldDesignSize(QWidget& window);

}  // namespace vt::ui
