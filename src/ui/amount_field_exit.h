// Leaving a money field, as every editing window handles it: the text
// reformatted with the field's own format when the user moves on, and a text
// that is no number refused with the focus given back.
#pragma once

#include <functional>
#include <optional>

#include "base/dialogs.h"
#include "ui/amount_edit.h"

class QWidget;

namespace vt::ui {

// Runs `onExit` when the user moves the focus out of `field` to another
// control (Tab, Enter, Shift+Tab, a click or a shortcut); not when the
// window closes or another program becomes active.
void WatchFieldExit(QWidget* field, std::function<void()> onExit);

// Gives the focus back to a field whose text was refused, after the focus
// move in progress has ended.
void RefocusField(QWidget* field);

// Leaving a money field: its text reformatted with the field's own format (a
// blank field shows 0). Text that is not a number gives AmountHint(), and
// the field takes the focus back; false then.
bool LeaveAmountField(AmountEdit& field, vt::base::Dialogs& dialogs);

// The number in a money field when its record is saved. When the text is
// not a number AmountHint() is shown, the field takes the focus
// back and the result is empty.
std::optional<double> AmountToSave(AmountEdit& field, vt::base::Dialogs& dialogs);

}  // namespace vt::ui
