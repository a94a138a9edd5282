// A report document on a paint device: where its columns fall (the report
// font made small enough for the report's width, the block centred) and how
// one row is drawn, on the preview window or on paper (a printer sheet or a
// PDF page).
#pragma once

#include <QFont>
#include <QImage>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>

#include "reports/report_cells.h"
#include "reports/report_doc.h"

class QPaintDevice;
class QPainter;

namespace vt::reports {

// The preview stops making the font smaller at 8 points; paper goes on to 4
// points, below which nothing prints legibly.
inline constexpr int kPreviewMinPoints = 8;
inline constexpr int kPaperMinPoints = 4;

// The fitted report font and the measures taken with it on one device.
struct CanvasLayout {
  QFont font;
  int charWidth = 0;  // trunc(width of "B")
  int rowHeight = 0;  // height of "A"
  int left = 0;       // the report block centred in the usable width
  int right = 0;      // left + ReportWidth widths of "B"

  int x(int column) const { return left + column * charWidth; }
};

// Reduces `font` by one point while `reportWidth` widths of "B" are wider
// than `usableWidth` and the font is larger than `minPoints`, then measures
// it on `device`.
CanvasLayout FitLayout(const QPaintDevice& device, QFont font, int reportWidth, int usableWidth,
                       int minPoints);

// The pictures of one showing or print run, each file read once. A file
// that cannot be loaded (a logo gone missing) is left out of the drawing and
// told once to `missing`, so the rest of the document still prints.
class PictureCache {
 public:
  explicit PictureCache(std::function<void(const std::string&)> missing = {})
      : missing_(std::move(missing)) {}
  // Null when the file cannot be loaded.
  const QImage* load(const std::string& fileName);
  void clear() { images_.clear(); }

 private:
  std::map<std::string, QImage> images_;
  std::function<void(const std::string&)> missing_;
};

// What the user is told about a picture left out.
std::string MissingPictureText(const std::string& fileName);

// Draws rows on one canvas. Throws CellError for a column field that is not
// a number and PictureError for a picture that cannot be loaded.
class RowPainter {
 public:
  // The preview: an EJECT row is a dotted line from the left edge across
  // `clearWidth`; pictures keep their own pixel size.
  static RowPainter Preview(QPainter& painter, const CanvasLayout& layout, PictureCache& pictures,
                            int clearWidth);
  // Paper: an EJECT row calls `newSheet` and the next row starts at `top`;
  // pictures are stretched to their size in inches at the device's
  // resolution.
  static RowPainter Paper(QPainter& painter, const CanvasLayout& layout, PictureCache& pictures,
                          int top, std::function<void()> newSheet);

  // Draws `row` with its top edge at `y`; the top of the next row.
  int paint(const ReportRow& row, int y);

 private:
  RowPainter(QPainter& painter, const CanvasLayout& layout, PictureCache& pictures);
  // The y of the row after an EJECT row.
  int eject(int y);
  void picture(const ReportCell& cell, const RowStyle& style, int y);
  void text(const QString& text, int x, int y);
  int textWidth(const QString& text) const;

  QPainter& painter_;
  const CanvasLayout& layout_;
  PictureCache& pictures_;
  QFont regular_;
  QFont bold_;
  int clearWidth_ = 0;
  int top_ = 0;
  std::function<void()> newSheet_;  // empty on the preview
};

}  // namespace vt::reports
