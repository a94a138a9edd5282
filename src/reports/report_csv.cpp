#include "reports/report_csv.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/text1252.h"
#include "reports/report_cells.h"

namespace vt::reports {

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

bool IsTextCode(const std::string& cell) {
  return !cell.empty() && (cell[0] == 'L' || cell[0] == 'R' || cell[0] == 'C');
}

// What a cell gives the file: the value it carries, or its text trimmed, a
// tab or line break inside a stored text made a blank.
std::string Value(const ReportCell& cell) {
  if (cell.value) return *cell.value;
  return base::trim(base::blankSeparators(cell.text));
}

void AppendLine(std::string& file, const std::vector<std::string>& fields) {
  for (size_t f = 0; f < fields.size(); ++f) {
    if (f > 0) file += ',';
    file += CsvField(fields[f]);
  }
  file += "\r\n";
}

// The cells of a row that hold text, by index, each as the file gives it.
std::vector<std::pair<size_t, std::string>> TextCells(const ReportRow& row) {
  std::vector<std::pair<size_t, std::string>> cells;
  for (size_t c = 0; c + 1 < row.size(); ++c) {
    if (IsTextCode(row[c])) {
      std::string value = Value(ParseCell(row[c]));
      if (!value.empty()) cells.emplace_back(c, std::move(value));
    }
  }
  return cells;
}

class CsvWriter {
 public:
  explicit CsvWriter(const ReportDoc& doc) : doc_(doc) {
    for (size_t c = 0; c < doc.ColumnCodes.size(); ++c) {
      if (IsTextCode(doc.ColumnCodes[c])) columns_.push_back(c);
    }
  }

  std::string Text() {
    std::string file = kByteOrderMark;
    AppendHeader(file);
    std::vector<bool> inHeader(doc_.rows().size(), false);
    for (const RowSpan& span : doc_.pageHeaders()) {
      for (int r = span.first; r <= span.last; ++r) inHeader[static_cast<size_t>(r)] = true;
    }
    for (size_t r = 0; r < doc_.rows().size(); ++r) {
      // The headings are the file's first line; a document that places them
      // again (under a chart, atop each statement) does not repeat them.
      if (inHeader[r] || isHeading(doc_.rows()[r])) continue;
      const auto cells = TextCells(doc_.rows()[r]);
      if (!cells.empty()) AppendLine(file, Fields(cells));
    }
    return file;
  }

 private:
  bool isHeading(const ReportRow& row) const {
    return std::find(doc_.ColumnHeads.begin(), doc_.ColumnHeads.end(), row) !=
           doc_.ColumnHeads.end();
  }

  // The last heading row with text gives the columns' names.
  void AppendHeader(std::string& file) const {
    for (auto heads = doc_.ColumnHeads.rbegin(); heads != doc_.ColumnHeads.rend(); ++heads) {
      if (TextCells(*heads).empty()) continue;
      std::vector<std::string> names;
      for (const size_t c : columns_) {
        names.push_back(c < heads->size() && IsTextCode((*heads)[c]) ? Value(ParseCell((*heads)[c]))
                                                                     : "");
      }
      AppendLine(file, names);
      return;
    }
  }

  std::vector<std::string> Fields(const std::vector<std::pair<size_t, std::string>>& cells) const {
    std::vector<std::string> fields;
    bool inColumns = !columns_.empty();
    for (const auto& cell : cells) {
      inColumns =
          inColumns && std::find(columns_.begin(), columns_.end(), cell.first) != columns_.end();
    }
    if (!inColumns) {
      for (const auto& cell : cells) fields.push_back(cell.second);
      return fields;
    }
    fields.resize(columns_.size());
    for (const auto& [c, text] : cells) {
      const auto at = std::find(columns_.begin(), columns_.end(), c) - columns_.begin();
      fields[static_cast<size_t>(at)] = text;
    }
    return fields;
  }

  const ReportDoc& doc_;
  std::vector<size_t> columns_;
};

}  // namespace

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string CsvText(const ReportDoc& doc) {
  return CsvWriter(doc).Text();
}

}  // namespace vt::reports
