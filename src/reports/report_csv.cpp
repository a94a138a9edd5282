#include "reports/report_csv.h"

#include <algorithm>
#include <cctype>
#include <optional>
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

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// An amount as the document writes it (digits, one decimal separator,
// digits, perhaps a minus sign first) with a point for its separator.
std::optional<std::string> PlainAmount(const std::string& text, const invoicing::ViewTexts& texts) {
  std::string_view digits(text);
  if (!digits.empty() && digits[0] == '-') digits.remove_prefix(1);
  const size_t separator = digits.find_first_not_of("0123456789");
  if (separator == std::string_view::npos || digits[separator] == '/' || digits[separator] == '-' ||
      !AllDigits(digits.substr(0, separator)) || !AllDigits(digits.substr(separator + 1))) {
    return std::nullopt;
  }
  try {
    texts.number(text);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  std::string plain = text;
  plain[text.size() - digits.size() + separator] = '.';
  return plain;
}

std::optional<std::string> IsoDateOf(const std::string& text, const invoicing::ViewTexts& texts) {
  if (AllDigits(text) || text.find_first_of("0123456789") == std::string::npos) return std::nullopt;
  try {
    const base::DateTime date = texts.date(text);
    if (!date.isValidDate()) return std::nullopt;
    return base::IsoDate(date);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::string Value(const std::string& cellText, const invoicing::ViewTexts& texts) {
  const std::string text = base::trim(cellText);
  if (std::optional<std::string> amount = PlainAmount(text, texts)) return *amount;
  if (std::optional<std::string> date = IsoDateOf(text, texts)) return *date;
  return text;
}

void AppendLine(std::string& file, const std::vector<std::string>& fields) {
  for (size_t f = 0; f < fields.size(); ++f) {
    if (f > 0) file += ',';
    file += CsvField(fields[f]);
  }
  file += "\r\n";
}

// The cells of a row that hold text, by index.
std::vector<std::pair<size_t, std::string>> TextCells(const ReportRow& row) {
  std::vector<std::pair<size_t, std::string>> cells;
  for (size_t c = 0; c + 1 < row.size(); ++c) {
    if (IsTextCode(row[c])) {
      std::string text = ParseCell(row[c]).text;
      if (!base::trim(text).empty()) cells.emplace_back(c, std::move(text));
    }
  }
  return cells;
}

class CsvWriter {
 public:
  CsvWriter(const ReportDoc& doc, const invoicing::ViewTexts& texts) : doc_(doc), texts_(texts) {
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
      if (inHeader[r]) continue;
      const auto cells = TextCells(doc_.rows()[r]);
      if (!cells.empty()) AppendLine(file, Fields(cells));
    }
    return file;
  }

 private:
  // The last heading row with text gives the columns' names.
  void AppendHeader(std::string& file) const {
    for (auto heads = doc_.ColumnHeads.rbegin(); heads != doc_.ColumnHeads.rend(); ++heads) {
      if (TextCells(*heads).empty()) continue;
      std::vector<std::string> names;
      for (const size_t c : columns_) {
        names.push_back(c < heads->size() && IsTextCode((*heads)[c])
                            ? base::trim(ParseCell((*heads)[c]).text)
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
      for (const auto& cell : cells) fields.push_back(Value(cell.second, texts_));
      return fields;
    }
    fields.resize(columns_.size());
    for (const auto& [c, text] : cells) {
      const auto at = std::find(columns_.begin(), columns_.end(), c) - columns_.begin();
      fields[static_cast<size_t>(at)] = Value(text, texts_);
    }
    return fields;
  }

  const ReportDoc& doc_;
  const invoicing::ViewTexts& texts_;
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

std::string CsvText(const ReportDoc& doc, const invoicing::ViewTexts& texts) {
  return CsvWriter(doc, texts).Text();
}

}  // namespace vt::reports
