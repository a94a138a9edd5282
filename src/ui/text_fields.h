// The one-line text fields of an editing window as the user meets them: a
// stored text shows from its start, and a field is wide enough at the
// window's design size for as many characters as it stores.
#pragma once

#include <QString>

class QLineEdit;
class QWidget;

namespace vt::ui {

// A stored text as it is edited and read aloud: without the blanks that
// fill its field.
QString WithoutTrailingBlanks(const QString& text);

// The width a one-line edit needs to show `characters` characters of text
// typed in capitals (their average width in the edit's font), with its frame.
int TextFieldWidth(const QLineEdit& edit, int characters);

// Every plain one-line text edit of `window` (not the masked amount and
// date fields), on each showing: at least as wide as its maximum length
// calls for, so a stored text shows whole, and showing its text from the
// start unless it has the focus. Edits added later are covered on the next
// showing. Lasts as long as the window.
void FitTextFields(QWidget& window);

}  // namespace vt::ui
