#include "reports/report_doc.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "reports/report_cells.h"
#include "reports/report_sheets.h"

namespace vt::reports {

std::string ColumnField(int column) {
  char field[8];
  std::snprintf(field, sizeof field, "%2d", column);
  return field;
}

std::vector<std::string> BoxedCodes(const std::vector<BoxedColumn>& columns) {
  auto code = [](char kind, int column) {
    char text[8];
    std::snprintf(text, sizeof text, "%c%02d", kind, column);
    return std::string(text);
  };
  std::vector<std::string> codes;
  int rule = 0;
  for (const BoxedColumn& column : columns) {
    codes.push_back(code('V', rule));
    codes.push_back(code(column.align, column.align == 'R' ? rule + column.width : rule + 1));
    rule += column.width + 1;
  }
  codes.push_back(code('V', rule));
  return codes;
}

namespace {

int CodeColumn(const std::string& code) {
  return ParseCell(code).column;
}

std::string Recoded(const std::string& code, int column) {
  return code.substr(0, 1) + ColumnField(column) + code.substr(std::min<size_t>(code.size(), 3));
}

// `text` with `from` at its start replaced by `to`; false when it does not
// start with `from`.
bool Replace(std::string& text, const std::string& from, const std::string& to) {
  if (text.compare(0, from.size(), from) != 0) return false;
  text = to + text.substr(from.size());
  return true;
}

// The cells of a layout made wider: the starts of the cells to replace and
// the columns a rule's ends move from and to.
struct Moves {
  std::vector<std::pair<std::string, std::string>> prefixes;
  std::vector<std::pair<int, int>> columns;

  int moved(int column) const {
    for (const auto& [from, to] : columns) {
      if (from == column) return to;
    }
    return column;
  }

  // Every cell of `row` but its style cell.
  void apply(ReportRow& row) const {
    for (size_t c = 0; c + 1 < row.size(); ++c) {
      std::string& cell = row[c];
      if (!cell.empty() && cell[0] == 'H') {
        const ReportCell rule = ParseCell(cell);
        cell = "H" + ColumnField(moved(rule.column)) + ColumnField(moved(rule.toColumn));
        continue;
      }
      for (const auto& [from, to] : prefixes) {
        if (Replace(cell, from, to)) break;
      }
    }
  }
};

}  // namespace

ColumnLayout WidenColumn(ColumnLayout layout, size_t cell, int needed) {
  std::vector<std::string>& codes = layout.codes;
  if (cell >= codes.size()) return layout;
  const bool right = codes[cell][0] == 'R';
  const size_t neighbour = right ? cell - 1 : cell + 1;
  if ((right && cell == 0) || neighbour >= codes.size()) return layout;
  const int room = std::abs(CodeColumn(codes[cell]) - CodeColumn(codes[neighbour]));
  const int missing = needed - room;
  if (missing <= 0) return layout;
  for (size_t c = right ? cell : cell + 1; c < codes.size(); ++c) {
    codes[c] = Recoded(codes[c], CodeColumn(codes[c]) + missing);
  }
  layout.width += missing;
  return layout;
}

void ReportDoc::BeginReport(int linesPerPage, std::string today) {
  LinesPerPage = linesPerPage;
  today_ = std::move(today);
  CurRow = -1;
  PageLine = -1;
  PageNo = 0;
  rows_.clear();
  pageHeaders_.clear();
  documentStarts_.clear();
  ReportTitles.clear();
  ColumnHeads.assign(1, ReportRow(static_cast<size_t>(ReportCols)));
  ColumnCodes.assign(static_cast<size_t>(ReportCols > 0 ? ReportCols - 1 : 0), std::string());
}

void ReportDoc::NewLine() {
  rows_.emplace_back(static_cast<size_t>(ReportCols));
  ++CurRow;
  ++PageLine;
}

std::string& ReportDoc::cell(int c) {
  return rows_.back()[static_cast<size_t>(c)];
}

void ReportDoc::WidenColumn(size_t c, int needed) {
  const ColumnLayout wider = reports::WidenColumn({ColumnCodes, ReportWidth}, c, needed);
  if (wider.width != ReportWidth) relayout(wider);
}

void ReportDoc::relayout(const ColumnLayout& wider) {
  // Where the cells of the old layout go: the columns' codes, the centre and
  // the right edge of the line, and the rules between them.
  Moves moves;
  for (size_t c = 0; c < ColumnCodes.size(); ++c) {
    if (ColumnCodes[c] == wider.codes[c]) continue;
    moves.prefixes.emplace_back(ColumnCodes[c], wider.codes[c]);
    moves.columns.emplace_back(CodeColumn(ColumnCodes[c]), CodeColumn(wider.codes[c]));
  }
  moves.prefixes.emplace_back("C" + ColumnField(ReportWidth / 2),
                              "C" + ColumnField(wider.width / 2));
  moves.prefixes.emplace_back("R" + ColumnField(ReportWidth), "R" + ColumnField(wider.width));
  moves.columns.emplace_back(ReportWidth, wider.width);
  for (ReportRow& row : rows_) moves.apply(row);
  for (ReportRow& row : ColumnHeads) moves.apply(row);
  ColumnCodes = wider.codes;
  ReportWidth = wider.width;
}

std::string ReportDoc::coded(int c, const std::string& text) const {
  return ColumnCodes[static_cast<size_t>(c)] + text;
}

void ReportDoc::SetBoxedHeadings(std::vector<std::string> codes,
                                 const std::vector<std::string>& titles) {
  ColumnCodes = std::move(codes);
  ReportRow rule(static_cast<size_t>(ReportCols));
  rule.back() = "U";
  ReportRow heads(static_cast<size_t>(ReportCols));
  for (size_t c = 0; c < ColumnCodes.size() && c < titles.size(); ++c) {
    heads[c] = ColumnCodes[c] + titles[c];
  }
  heads.back() = "U";
  ColumnHeads = {rule, heads};
}

bool ReportDoc::CheckPage(int needed, bool headings) {
  if (PageNo > 0 && needed <= LinesPerPage) return false;
  ++PageNo;
  if (PageNo > 1) {
    if (headings && !rows_.empty() && style().find('U') == std::string::npos) style() += "U";
    NewLine();
    cell(0) = "EJECT";
  }
  PageLine = 0;
  NewLine();
  const int first = CurRow;
  cell(0) = "L00Page " + std::to_string(PageNo);
  cell(1) = "R" + ColumnField(ReportWidth) + today_;
  NewLine();
  PlaceTitles();
  NewLine();
  NewLine();
  cell(0) = "L00";
  if (headings) PlaceHeadings();
  pageHeaders_.push_back({first, CurRow});
  return true;
}

void ReportDoc::PlaceTitles() {
  for (const std::string& title : ReportTitles) {
    NewLine();
    cell(0) = "C" + ColumnField(ReportWidth / 2) + title;
    style() = "B";
  }
}

void ReportDoc::PlaceHeadings() {
  NewLine();
  for (const ReportRow& heading : ColumnHeads) {
    NewLine();
    rows_.back() = heading;
    rows_.back().resize(static_cast<size_t>(ReportCols));
  }
}

void ReportDoc::EndReport() {
  rows_.clear();
  rows_.shrink_to_fit();
  pageHeaders_.clear();
  documentStarts_.clear();
  ColumnHeads.clear();
  ColumnCodes.clear();
  CurRow = -1;
}

void ReportDoc::StartDocument(std::string name, DocumentFacts facts) {
  documentStarts_.push_back({CurRow + 1, std::move(name), std::move(facts)});
}

std::vector<DocumentPart> ReportDoc::documents() const {
  std::vector<DocumentPart> parts;
  for (size_t d = 0; d < documentStarts_.size(); ++d) {
    const auto& [first, name, facts] = documentStarts_[d];
    int last = d + 1 < documentStarts_.size() ? documentStarts_[d + 1].first - 1 : CurRow;
    while (last >= first && IsEjectRow(rows_[static_cast<size_t>(last)])) --last;
    if (last >= first) parts.push_back({{first, last}, name, facts});
  }
  return parts;
}

ReportDoc ReportDoc::extract(RowSpan span) const {
  ReportDoc part;
  part.ReportWidth = ReportWidth;
  part.ReportCols = ReportCols;
  part.ReportTitles = ReportTitles;
  part.ColumnHeads = ColumnHeads;
  part.ColumnCodes = ColumnCodes;
  part.LinesPerPage = LinesPerPage;
  part.today_ = today_;
  part.rows_.assign(rows_.begin() + span.first, rows_.begin() + span.last + 1);
  part.CurRow = span.last - span.first;
  for (const RowSpan& header : pageHeaders_) {
    if (header.first >= span.first && header.last <= span.last) {
      part.pageHeaders_.push_back({header.first - span.first, header.last - span.first});
    }
  }
  return part;
}

}  // namespace vt::reports
