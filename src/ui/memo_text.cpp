#include "ui/memo_text.h"

#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>

#include "base/text1252.h"
#include "data/records.h"

namespace vt::ui {

QString MemoForEdit(const std::string& stored) {
  QString text = QString::fromStdString(vt::base::trimRight(stored));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

std::string MemoFromEdit(const QString& text) {
  QString stored = text;
  stored.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return stored.toStdString();
}

void KeepMemoWithinLimit(QPlainTextEdit& edit) {
  const QString text = edit.toPlainText();
  const qsizetype limit = static_cast<qsizetype>(vt::data::kMaxMemoText);
  if (text.size() + text.count(QLatin1Char('\n')) <= limit) return;
  qsizetype keep = 0;
  qsizetype used = 0;
  for (; keep < text.size(); ++keep) {
    const qsizetype width = text[keep] == QLatin1Char('\n') ? 2 : 1;
    if (used + width > limit) break;
    used += width;
  }
  const QSignalBlocker block(&edit);
  QTextCursor cursor = edit.textCursor();
  cursor.setPosition(static_cast<int>(keep));
  cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
}

}  // namespace vt::ui
