// Memo text between the tables and a multi-line edit: the tables keep line
// breaks as CR LF, the edit as LF; a memo holds at most kMaxMemoText
// characters as stored.
#pragma once

#include <QString>
#include <string>

class QPlainTextEdit;

namespace vt::ui {

// The stored memo for the edit: trailing blanks removed, CR LF as LF.
QString MemoForEdit(const std::string& stored);
// The edit's text as stored: LF as CR LF.
std::string MemoFromEdit(const QString& text);
// Cuts what runs past the memo limit off the end of the edit's text.
void KeepMemoWithinLimit(QPlainTextEdit& edit);

}  // namespace vt::ui
