// Reading the cells of a report document: what a content cell draws and
// where, and the flags of a style cell.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace vt::reports {

enum class CellKind { Empty, Left, Right, Centre, HRule, VRule, Eject, Picture, Chart, Unknown };

struct ReportCell {
  CellKind kind = CellKind::Empty;
  int column = 0;    // L, R, C, V, I; the from-column of H; G: the rows it stands on
  int toColumn = 0;  // H only
  char align = 'L';  // I only: L, C or R
  std::string text;  // L, R, C, G: everything after the third character; I: the file name
  // L, R, C: the value the text shows, for machines (ValuedText).
  std::optional<std::string> value;
};

// A text cell may carry the value it shows after its text, behind this
// mark: a date as yyyy-mm-dd, an amount, count or percent as a plain number
// with a point. Outputs for people draw the text; CSV writes the value, so
// nothing is read back from a text the locale formatted.
inline constexpr char kValueMark = '\x1F';
// `text` carrying `value`.
std::string ValuedText(const std::string& text, const std::string& value);
// A cell's text (or a text given to a cell) without the value it carries.
std::string ShownText(const std::string& text);

// The standard conversion error of a column field that is not a number.
class CellError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws CellError when a column field of a coded cell is not a number.
// A cell whose first letter is no code is Unknown with its whole text.
ReportCell ParseCell(const std::string& cell);

struct PictureSize {
  double height = 0;  // inches
  double width = 0;
};

struct RowStyle {
  bool bold = false;
  bool underline = false;
  std::optional<PictureSize> picture;  // "S" + height + width
};

RowStyle ParseStyle(const std::string& style);

// The style cell of a picture row: "S" + height + width, each five
// characters wide with two decimals.
std::string PictureStyle(double heightInches, double widthInches);

}  // namespace vt::reports
