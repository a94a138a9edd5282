#include "reports/report_cells.h"

#include <cstdio>

#include "base/convert.h"
#include "base/text1252.h"

namespace vt::reports {

namespace {

// The two-character column field at `at`: a decimal number, with a leading
// blank or zero.
int columnAt(const std::string& cell, size_t at) {
  const std::string field = cell.size() >= at + 2 ? cell.substr(at, 2) : cell.substr(at);
  const std::string digits = base::trim(field);
  bool number = !digits.empty() && field.size() == 2;
  for (char c : digits) number = number && c >= '0' && c <= '9';
  if (!number) throw CellError("'" + field + "' is not a valid integer value");
  return std::stoi(digits);
}

std::string after(const std::string& cell, size_t at) {
  return cell.size() > at ? cell.substr(at) : std::string();
}

}  // namespace

ReportCell ParseCell(const std::string& cell) {
  ReportCell parsed;
  if (cell.empty()) return parsed;
  switch (cell[0]) {
    case 'L':
    case 'R':
    case 'C':
      parsed.kind = cell[0] == 'L'   ? CellKind::Left
                    : cell[0] == 'R' ? CellKind::Right
                                     : CellKind::Centre;
      parsed.column = columnAt(cell, 1);
      parsed.text = after(cell, 3);
      if (const size_t mark = parsed.text.find(kValueMark); mark != std::string::npos) {
        parsed.value = parsed.text.substr(mark + 1);
        parsed.text.resize(mark);
      }
      return parsed;
    case 'H':
      parsed.kind = CellKind::HRule;
      parsed.column = columnAt(cell, 1);
      parsed.toColumn = columnAt(cell, 3);
      return parsed;
    case 'V':
      parsed.kind = CellKind::VRule;
      parsed.column = columnAt(cell, 1);
      return parsed;
    case 'G':
      parsed.kind = CellKind::Chart;
      parsed.column = columnAt(cell, 1);
      parsed.text = after(cell, 3);
      return parsed;
    case 'E':
      parsed.kind = CellKind::Eject;
      return parsed;
    case 'I':
      parsed.kind = CellKind::Picture;
      parsed.align = cell.size() > 1 ? cell[1] : 'L';
      parsed.column = columnAt(cell, 2);
      parsed.text = base::trim(cell.size() > 4 ? cell.substr(4, 60) : std::string());
      return parsed;
    default:
      parsed.kind = CellKind::Unknown;
      parsed.text = cell;
      return parsed;
  }
}

std::string ValuedText(const std::string& text, const std::string& value) {
  return ShownText(text) + kValueMark + value;
}

std::string ShownText(const std::string& text) {
  return text.substr(0, text.find(kValueMark));
}

RowStyle ParseStyle(const std::string& style) {
  RowStyle parsed;
  parsed.bold = style.find('B') != std::string::npos;
  parsed.underline = style.find('U') != std::string::npos;
  if (!style.empty() && style[0] == 'S' && style.size() >= 11) {
    try {
      parsed.picture = PictureSize{std::stod(style.substr(1, 5)), std::stod(style.substr(6, 5))};
    } catch (const std::exception&) {
      throw CellError("'" + style + "' is not a valid picture size");
    }
  }
  return parsed;
}

std::string PictureStyle(double heightInches, double widthInches) {
  return "S" + base::FloatText(heightInches, 5, 2) + base::FloatText(widthInches, 5, 2);
}

}  // namespace vt::reports
