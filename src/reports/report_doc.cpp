#include "reports/report_doc.h"

#include <cstdio>

namespace vt::reports {

std::string ColumnField(int column) {
  char field[8];
  std::snprintf(field, sizeof field, "%2d", column);
  return field;
}

void ReportDoc::BeginReport(int linesPerPage, std::string today) {
  LinesPerPage = linesPerPage;
  today_ = std::move(today);
  CurRow = -1;
  PageLine = -1;
  PageNo = 0;
  rows_.clear();
  pageHeaders_.clear();
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
  ColumnHeads.clear();
  ColumnCodes.clear();
  CurRow = -1;
}

}  // namespace vt::reports
