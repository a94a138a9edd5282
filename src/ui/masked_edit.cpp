#include "ui/masked_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "ui/locale_format.h"

namespace vt::ui {

namespace {

bool isEditableKind(QChar c) {
  return c == QLatin1Char('0') || c == QLatin1Char('9') || c == QLatin1Char('#');
}

}  // namespace

MaskedEdit::MaskedEdit(QWidget* parent) : QLineEdit(parent) {
  setAcceptDrops(false);
  connect(this, &QLineEdit::textChanged, this, &MaskedEdit::onTextChangedOutside);
}

void MaskedEdit::setEditMask(const QString& mask) {
  mask_ = mask;
  const QStringList parts = mask.split(QLatin1Char(';'));
  QString body = parts.value(0);
  keepLiterals_ = parts.size() < 2 || parts[1] != QLatin1String("0");
  blank_ = parts.size() >= 3 && !parts[2].isEmpty() ? parts[2].front() : QLatin1Char('_');
  rightAligned_ = body.startsWith(QLatin1Char('!'));
  whole_ = QString();
  if (rightAligned_) body.remove(0, 1);
  slots_.clear();
  for (int i = 0; i < body.size(); ++i) {
    QChar c = body[i];
    if (c == QLatin1Char('\\') && i + 1 < body.size()) {
      slots_.push_back({QChar(), body[++i], QChar()});
    } else if (isEditableKind(c)) {
      slots_.push_back({c, QChar(), QChar()});
    } else {
      slots_.push_back({QChar(), c == QLatin1Char('/') ? dateSeparator() : c, QChar()});
    }
  }
  render(0);
}

QString MaskedEdit::text() const {
  if (!hasMask()) return QLineEdit::text();
  if (showsWholeText()) return whole_;
  QString out;
  for (const Slot& slot : slots_) {
    if (slot.kind.isNull()) {
      if (keepLiterals_) out += slot.literal;
    } else {
      out += slot.value.isNull() ? QLatin1Char(' ') : slot.value;
    }
  }
  return out;
}

void MaskedEdit::setText(const QString& text) {
  if (!hasMask()) {
    QLineEdit::setText(text);
    return;
  }
  place(text);
  render(0);
}

bool MaskedEdit::isComplete() const {
  if (showsWholeText()) return true;
  for (const Slot& slot : slots_) {
    if (slot.kind == QLatin1Char('0') && slot.value.isNull()) return false;
  }
  return true;
}

bool MaskedEdit::accepts(const Slot& slot, QChar c) {
  if (slot.kind.isNull()) return false;
  if (c.isDigit() && c.unicode() < 128) return true;
  return slot.kind == QLatin1Char('#') && (c == QLatin1Char('+') || c == QLatin1Char('-'));
}

bool MaskedEdit::isMaskLiteral(QChar c) const {
  for (const Slot& slot : slots_) {
    if (slot.kind.isNull() && slot.literal == c) return true;
  }
  return false;
}

int MaskedEdit::nextEditable(int from) const {
  for (int i = std::max(from, 0); i < slots_.size(); ++i) {
    if (!slots_[i].kind.isNull()) return i;
  }
  return -1;
}

int MaskedEdit::previousEditable(int from) const {
  for (int i = std::min(from, int(slots_.size()) - 1); i >= 0; --i) {
    if (!slots_[i].kind.isNull()) return i;
  }
  return -1;
}

bool MaskedEdit::passesStop(int from, int to) const {
  if (stopLiteral_.isNull()) return false;
  for (int i = std::max(from, 0); i < to && i < slots_.size(); ++i) {
    if (slots_[i].kind.isNull() && slots_[i].literal == stopLiteral_) return true;
  }
  return false;
}

// Walks the mask and the text together, from the right when the mask right-
// aligns. A literal of the text meets its place in the mask; a literal met at
// an editable position leaves that position blank for the next run.
bool MaskedEdit::fillFrom(const QString& text) {
  const int step = rightAligned_ ? -1 : 1;
  int t = rightAligned_ ? int(text.size()) - 1 : 0;
  auto inText = [&] { return t >= 0 && t < text.size(); };
  for (int n = 0; n < slots_.size(); ++n) {
    Slot& slot = slots_[rightAligned_ ? slots_.size() - 1 - n : n];
    if (slot.kind.isNull()) {
      if (inText() && text[t] == slot.literal) t += step;
      continue;
    }
    slot.value = QChar();
    if (!inText()) continue;
    const QChar c = text[t];
    if (isMaskLiteral(c) && !accepts(slot, c)) continue;
    if (accepts(slot, c)) slot.value = c;
    t += step;
  }
  const QString left = rightAligned_ ? text.left(t + 1) : text.mid(t);
  return left.trimmed().isEmpty();
}

// A text the mask cannot hold is not cut: it is shown whole.
void MaskedEdit::place(const QString& text) {
  whole_ = fillFrom(text) ? QString() : text;
}

// The first edit of a text shown whole blanks the field for typing.
void MaskedEdit::startAfresh() {
  whole_ = QString();
  for (Slot& slot : slots_) slot.value = QChar();
  render(0);
}

void MaskedEdit::render(int cursor) {
  QString shown = whole_;
  if (!showsWholeText()) {
    const QChar blank = hasFocus() ? blank_ : QLatin1Char(' ');
    for (const Slot& slot : slots_) {
      shown += slot.kind.isNull() ? slot.literal : slot.value.isNull() ? blank : slot.value;
    }
  }
  rendering_ = true;
  if (shown != QLineEdit::text()) QLineEdit::setText(shown);
  rendering_ = false;
  setCursorPosition(cursor);
}

void MaskedEdit::onTextChangedOutside(const QString& shown) {
  if (rendering_ || !hasMask()) return;
  const int cursor = cursorPosition();
  place(QString(shown).replace(blank_, QLatin1Char(' ')));
  render(cursor);
}

void MaskedEdit::blankSelection() {
  if (showsWholeText()) return startAfresh();
  const int start = selectionStart();
  const int end = start + int(selectedText().size());
  for (int i = start; i < end && i < slots_.size(); ++i) slots_[i].value = QChar();
  render(start);
}

// A literal typed before the place of that literal jumps past it, so "3/5/26"
// can be typed into "99/99/00". Typed just after the cursor skipped it, it is
// taken as already there, so "12/05/26" goes in as typed too.
bool MaskedEdit::skipToLiteral(QChar c) {
  const int cursor = cursorPosition();
  for (int i = cursor - 1; i >= 0 && slots_[i].kind.isNull(); --i) {
    if (slots_[i].literal == c) return true;
  }
  for (int i = cursor; i < slots_.size(); ++i) {
    if (slots_[i].kind.isNull() && slots_[i].literal == c) {
      setCursorPosition(i + 1);
      return true;
    }
  }
  return false;
}

bool MaskedEdit::typeCharacter(QChar c) {
  if (showsWholeText()) {
    const int first = nextEditable(0);
    if (first < 0 || !accepts(slots_[first], c)) return false;
    startAfresh();
  }
  if (hasSelectedText()) blankSelection();
  const int at = nextEditable(cursorPosition());
  if (at < 0) return false;
  if (passesStop(cursorPosition(), at)) return skipToLiteral(c);
  if (c == QLatin1Char(' ') && slots_[at].kind != QLatin1Char('0')) {
    slots_[at].value = QChar();
  } else if (accepts(slots_[at], c)) {
    slots_[at].value = c;
  } else {
    return skipToLiteral(c);
  }
  const int next = nextEditable(at + 1);
  if (next < 0) {
    render(int(slots_.size()));
  } else {
    render(passesStop(at + 1, next) ? at + 1 : next);
  }
  return true;
}

void MaskedEdit::typeText(const QString& text) {
  for (QChar c : text) {
    if (!typeCharacter(c)) break;
  }
}

void MaskedEdit::backspace() {
  if (showsWholeText() || hasSelectedText()) return blankSelection();
  const int at = previousEditable(cursorPosition() - 1);
  if (at < 0) return;
  slots_[at].value = QChar();
  render(at);
}

void MaskedEdit::deleteForward() {
  if (showsWholeText() || hasSelectedText()) return blankSelection();
  const int cursor = cursorPosition();
  const int at = nextEditable(cursor);
  if (at < 0) return;
  slots_[at].value = QChar();
  render(cursor);
}

// The selection as text() has it: blanks, not the blank character shown.
void MaskedEdit::copySelection() {
  if (!hasSelectedText()) return;
  QApplication::clipboard()->setText(selectedText().replace(blank_, QLatin1Char(' ')));
}

void MaskedEdit::cut() {
  if (!hasSelectedText()) return;
  copySelection();
  blankSelection();
}

bool MaskedEdit::isNavigation(QKeyEvent* event) const {
  static const QKeySequence::StandardKey keys[] = {
      QKeySequence::MoveToNextChar,     QKeySequence::MoveToPreviousChar,
      QKeySequence::MoveToNextWord,     QKeySequence::MoveToPreviousWord,
      QKeySequence::MoveToStartOfLine,  QKeySequence::MoveToEndOfLine,
      QKeySequence::MoveToStartOfBlock, QKeySequence::MoveToEndOfBlock,
      QKeySequence::SelectNextChar,     QKeySequence::SelectPreviousChar,
      QKeySequence::SelectNextWord,     QKeySequence::SelectPreviousWord,
      QKeySequence::SelectStartOfLine,  QKeySequence::SelectEndOfLine,
      QKeySequence::SelectStartOfBlock, QKeySequence::SelectEndOfBlock,
      QKeySequence::SelectAll,
  };
  for (auto key : keys) {
    if (event->matches(key)) return true;
  }
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
      return true;
    default:
      return false;
  }
}

void MaskedEdit::keyPressEvent(QKeyEvent* event) {
  if (!hasMask() || isReadOnly() || isNavigation(event)) return QLineEdit::keyPressEvent(event);
  if (event->matches(QKeySequence::Paste)) {
    typeText(QApplication::clipboard()->text());
  } else if (event->matches(QKeySequence::Copy)) {
    copySelection();
  } else if (event->matches(QKeySequence::Cut)) {
    cut();
  } else if (event->key() == Qt::Key_Backspace) {
    backspace();
  } else if (event->key() == Qt::Key_Delete) {
    deleteForward();
  } else if (!event->text().isEmpty() && event->text().front().isPrint() &&
             !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
    if (!typeCharacter(event->text().front())) QApplication::beep();
  } else {
    // Other editing keys (undo, delete word, ...) would shift the fixed
    // positions; shortcuts go on to the window.
    event->ignore();
    return;
  }
  event->accept();
}

void MaskedEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (!hasMask() || isReadOnly()) return QLineEdit::inputMethodEvent(event);
  typeText(event->commitString());
  event->accept();
}

// The menu's editing works on the fixed positions as the keys do.
void MaskedEdit::contextMenuEvent(QContextMenuEvent* event) {
  if (!hasMask()) return QLineEdit::contextMenuEvent(event);
  QMenu menu(this);
  const bool editable = !isReadOnly();
  auto add = [&](const QString& label, QKeySequence::StandardKey key, bool enabled, auto handler) {
    QAction* action = menu.addAction(label, this, handler);
    action->setShortcut(key);
    action->setEnabled(enabled);
  };
  add(tr("Cu&t"), QKeySequence::Cut, editable && hasSelectedText(), [this] { cut(); });
  add(tr("&Copy"), QKeySequence::Copy, hasSelectedText(), [this] { copySelection(); });
  add(tr("&Paste"), QKeySequence::Paste, editable,
      [this] { typeText(QApplication::clipboard()->text()); });
  add(tr("Delete"), QKeySequence::Delete, editable && hasSelectedText(),
      [this] { blankSelection(); });
  menu.addSeparator();
  add(tr("Select All"), QKeySequence::SelectAll, true, [this] { selectAll(); });
  menu.exec(event->globalPos());
}

bool MaskedEdit::holdsNoValue() const {
  for (const Slot& slot : slots_) {
    if (!slot.value.isNull()) return false;
  }
  return !showsWholeText();
}

// A plain click (not a drag, a double click or a Shift+click that selects).
void MaskedEdit::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  if (hasMask() && !isReadOnly() && event->button() == Qt::LeftButton &&
      event->modifiers() == Qt::NoModifier && !hasSelectedText()) {
    placeClickedCursor();
  }
}

// The cursor stays where the click put it only on the value itself (or just
// after it, with a position left to type into). Beside the value, in the
// blanks a right-aligned mask puts before it or past its end, typing would
// mix the new digits with the old ones, so the click selects everything as
// Tab does, and so it does in a field that holds no value.
void MaskedEdit::placeClickedCursor() {
  int first = -1;
  int last = -1;
  for (int i = 0; i < slots_.size(); ++i) {
    if (slots_[i].value.isNull()) continue;
    if (first < 0) first = i;
    last = i;
  }
  const int cursor = std::min(cursorPosition(), last + 1);
  if (showsWholeText() || holdsNoValue() || cursorPosition() < first || nextEditable(cursor) < 0) {
    selectAll();
    return;
  }
  setCursorPosition(cursor);
}

void MaskedEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (!hasMask()) return;
  const int cursor = cursorPosition();
  const bool all = hasSelectedText();
  render(cursor);
  if (all) selectAll();
}

void MaskedEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (hasMask()) render(cursorPosition());
}

}  // namespace vt::ui
