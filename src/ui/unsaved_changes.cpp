#include "ui/unsaved_changes.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QPlainTextEdit>
#include <utility>

#include "ui/masked_edit.h"

namespace vt::ui {

namespace {

// What a field holds, as the user sees it; empty for controls that hold
// nothing the user types or ticks.
QString heldBy(QWidget* control) {
  if (auto* masked = qobject_cast<MaskedEdit*>(control)) return masked->text();
  if (auto* line = qobject_cast<QLineEdit*>(control)) return line->text();
  if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) return memo->toPlainText();
  if (auto* combo = qobject_cast<QComboBox*>(control)) return combo->currentText();
  auto* button = qobject_cast<QAbstractButton*>(control);
  if (button && button->isCheckable()) return button->isChecked() ? "1" : "0";
  return {};
}

}  // namespace

UnsavedChanges::UnsavedChanges(QWidget& window, std::function<QString()> more)
    : window_(window), more_(std::move(more)) {}

// The window's own controls only, not those of the dialogs it owns.
QStringList UnsavedChanges::state() const {
  QStringList held;
  for (QWidget* control : window_.findChildren<QWidget*>()) {
    if (control->window() == &window_) held << heldBy(control);
  }
  if (more_) held << more_();
  return held;
}

void UnsavedChanges::markUnchanged() {
  unchanged_ = state();
}

bool UnsavedChanges::changed() const {
  return state() != unchanged_;
}

bool UnsavedChanges::mayDiscard(vt::base::Dialogs& dialogs, const std::string& question) const {
  return !changed() || dialogs.questionDefaultNo("", question);
}

}  // namespace vt::ui
