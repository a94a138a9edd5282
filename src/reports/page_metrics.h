// What the document generators measure on the printer: rows to a page, the
// printer's vertical resolution, the height of one row, and whether a line of
// text fits the report's width in the report font (made small enough for the
// page). The windows and the tool measure the device that draws (the printer,
// or the PDF writer); PlainMetrics is a fixed page for building documents
// without a device.
#pragma once

#include <string>

namespace vt::reports {

class PageMetrics {
 public:
  virtual ~PageMetrics() = default;
  virtual int linesPerPage() const = 0;
  virtual double resolutionY() const = 0;  // pixels per inch
  virtual double rowHeight() const = 0;    // pixels: the height of "A"
  // True when `line` (UTF-8) is no wider than `reportWidth` widths of "B".
  virtual bool fits(const std::string& line, int reportWidth) const = 0;
};

// A fixed page: 60 rows, 72 pixels per inch, 12-pixel rows (a 10-point
// line), and every character as wide as "B".
class PlainMetrics final : public PageMetrics {
 public:
  int linesPerPage() const override { return 60; }
  double resolutionY() const override { return 72; }
  double rowHeight() const override { return 12; }
  bool fits(const std::string& line, int reportWidth) const override;
};

}  // namespace vt::reports
