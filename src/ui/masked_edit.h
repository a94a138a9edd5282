// A one-line edit that takes the original platform's mask strings as they
// are: "!#######.99;1;_", "!99/99/00;1;_". In the mask "0" is a required
// digit, "9" an optional digit, "#" an optional digit or sign, "/" the
// system's date separator, "\" makes the next character a literal, and any
// other character is a literal. A leading "!" fills optional positions from
// the left with blanks (text set into the field is right-aligned); ";1" keeps
// the literals in the text and ";_" names the blank shown while editing.
//
// Editing overtypes fixed positions: literals are skipped, Backspace and
// Delete blank a position, and text() gives blanks for empty positions.
//
// A click leaves typing as reliable as Tab does: a click into a field that
// holds no value, or beside the value, selects everything, so what is typed
// replaces it; a click on the value puts the cursor there. A text set into
// the field that is wider than the mask (a stored amount from elsewhere) is
// shown whole and given back whole by text(); the first edit starts the
// field afresh in the mask.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QVector>

#include "base/dialogs.h"

namespace vt::ui {

class MaskedEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit MaskedEdit(QWidget* parent = nullptr);

  void setEditMask(const QString& mask);
  QString editMask() const { return mask_; }

  // The field's text: a blank for every empty position, the literals in
  // place (without ";1" the literals are left out); a text shown whole as it
  // was set. Hides QLineEdit::text.
  QString text() const;
  // Places `text` into the mask: literals in it are matched to the mask's,
  // and with "!" each run of positions is filled right-aligned. Characters a
  // position does not accept stay blank. A text with more characters than
  // the mask has positions is kept whole instead. Hides QLineEdit::setText.
  void setText(const QString& text);
  // True while the field shows a text wider than its mask, whole.
  bool showsWholeText() const { return !whole_.isNull(); }
  // True when every required ("0") position holds a character.
  bool isComplete() const;

  // Where the field reports conversion errors it meets while typed into.
  void setDialogs(vt::base::Dialogs* dialogs) { dialogs_ = dialogs; }
  vt::base::Dialogs* dialogs() const { return dialogs_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

  // True when the field holds nothing worth editing in place (a click then
  // selects it all): here, when every position is blank.
  virtual bool holdsNoValue() const;

  // Types one character at the cursor (over the selection); false when the
  // position does not take it.
  bool typeCharacter(QChar c);
  bool hasMask() const { return !slots_.isEmpty(); }
  // Typing does not carry on past this literal of the mask (an amount's
  // decimal separator): the cursor waits before it, and a character typed
  // there is refused.
  void setStopAtLiteral(QChar literal) { stopLiteral_ = literal; }

 private:
  struct Slot {
    QChar kind;     // '0', '9', '#', or 0 for a literal
    QChar literal;  // the literal shown
    QChar value;    // the character typed; 0 when blank
  };

  static bool accepts(const Slot& slot, QChar c);
  bool isMaskLiteral(QChar c) const;
  int nextEditable(int from) const;         // first editable position >= from, or -1
  int previousEditable(int from) const;     // last editable position <= from, or -1
  bool passesStop(int from, int to) const;  // the stop literal lies in [from, to)
  bool skipToLiteral(QChar c);
  void blankSelection();
  void backspace();
  void deleteForward();
  void copySelection();
  void cut();
  // False when the text has characters left over once the mask is full.
  bool fillFrom(const QString& text);
  void place(const QString& text);
  void startAfresh();
  void placeClickedCursor();
  void typeText(const QString& text);
  bool isNavigation(QKeyEvent* event) const;
  void render(int cursor);
  void onTextChangedOutside(const QString& shown);

  QString mask_;
  QVector<Slot> slots_;
  QString whole_;  // the text shown whole; null while the mask shows the text
  bool rightAligned_ = false;
  bool keepLiterals_ = true;
  QChar blank_ = QLatin1Char(' ');
  QChar stopLiteral_;
  bool rendering_ = false;
  vt::base::Dialogs* dialogs_ = nullptr;
};

}  // namespace vt::ui
