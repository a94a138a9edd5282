#include "reports/report_export.h"

#include "base/text1252.h"
#include "reports/report_cells.h"

namespace vt::reports {

namespace {

void appendAligned(std::string& line, const ReportCell& cell, const std::string& text) {
  const auto length = static_cast<long>(text.size());
  long target = cell.column;
  if (cell.kind == CellKind::Right) target = cell.column - length;
  if (cell.kind == CellKind::Centre) target = cell.column - length / 2;
  if (static_cast<long>(line.size()) < target) line.resize(static_cast<size_t>(target), ' ');
  line += text;
}

}  // namespace

std::string ExportLine(const ReportRow& row, ExportForm form) {
  std::string line;
  bool first = true;
  for (size_t c = 0; c + 1 < row.size(); ++c) {
    if (row[c].empty()) continue;
    const char code = row[c][0];
    if (code != 'L' && code != 'R' && code != 'C') continue;
    const ReportCell cell = ParseCell(row[c]);
    // A tab or line break inside a stored text would split the line or
    // shift its fields.
    const std::string text = base::fromUtf8(base::blankSeparators(cell.text));
    if (form == ExportForm::TabDelimited) {
      // An empty text still holds its field, so the next ones keep theirs.
      if (!first) line += '\t';
      line += text;
    } else {
      appendAligned(line, cell, text);
    }
    first = false;
  }
  return line;
}

std::string ExportText(const ReportDoc& doc, ExportForm form) {
  std::string file;
  for (const ReportRow& row : doc.rows()) {
    file += ExportLine(row, form);
    file += "\r\n";
  }
  return file;
}

}  // namespace vt::reports
