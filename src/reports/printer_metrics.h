// The page measures of the current printer (or any paged device, such as a
// PDF writer) for the document generators: rows to a page, resolution, row
// height, and whether a line fits the report's width in the report font
// made small enough for the page.
#pragma once

#include <QFont>
#include <memory>
#include <string>

#include "reports/page_metrics.h"
#include "reports/report_canvas.h"

class QPagedPaintDevice;

namespace vt::ui {
class PrinterState;
}

namespace vt::reports {

class PrinterMetrics final : public PageMetrics {
 public:
  PrinterMetrics(const QPagedPaintDevice& device, const QFont& reportFont);

  // The page's rows in the report font, less six: three for the top margin
  // and three kept free at the bottom.
  int linesPerPage() const override;
  double resolutionY() const override;
  double rowHeight() const override;
  bool fits(const std::string& line, int reportWidth) const override;

 private:
  const QPagedPaintDevice& device_;
  QFont font_;
  int rowHeight_ = 0;
  // The font fitted to the page for the last report width asked about.
  mutable int fittedWidth_ = -1;
  mutable CanvasLayout fitted_;
};

// Rows to a page on the current printer; 60 when no printer is installed.
int LinesPerPage(const ui::PrinterState& printers, const QFont& reportFont);
// The current printer's measures, or the plain ones when no printer is
// installed.
std::unique_ptr<PageMetrics> CurrentPageMetrics(const ui::PrinterState& printers,
                                                const QFont& reportFont);

}  // namespace vt::reports
