// The page measures of the device that draws a document (the current
// printer, or a PDF writer when there is none) for the document generators:
// rows to a page, resolution, row height, and whether a line fits the
// report's width in the report font made small enough for the page.
#pragma once

#include <QFont>
#include <QPageLayout>
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

// The measures of the PDF pages WriteReportPdf draws on `pageLayout`.
std::unique_ptr<PageMetrics> PdfPageMetrics(const QPageLayout& pageLayout, const QFont& reportFont);
// The measures of the device a document goes to: the current printer, or
// without one the PDF pages of the printer's page layout (the locale's
// paper).
std::unique_ptr<PageMetrics> CurrentPageMetrics(const ui::PrinterState& printers,
                                                const QFont& reportFont);

}  // namespace vt::reports
