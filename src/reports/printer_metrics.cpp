#include "reports/printer_metrics.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>

#include "ui/printer_state.h"

namespace vt::reports {

namespace {

constexpr int kMarginRows = 6;

}  // namespace

PrinterMetrics::PrinterMetrics(const QPagedPaintDevice& device, const QFont& reportFont)
    : device_(device), font_(reportFont), rowHeight_(QFontMetrics(reportFont, &device).height()) {}

int PrinterMetrics::linesPerPage() const {
  return device_.height() / rowHeight_ - kMarginRows;
}

double PrinterMetrics::resolutionY() const {
  return device_.logicalDpiY();
}

double PrinterMetrics::rowHeight() const {
  return rowHeight_;
}

bool PrinterMetrics::fits(const std::string& line, int reportWidth) const {
  if (fittedWidth_ != reportWidth) {
    fitted_ = FitLayout(device_, font_, reportWidth, device_.width(), kPaperMinPoints);
    fittedWidth_ = reportWidth;
  }
  const double width =
      QFontMetricsF(fitted_.font, &device_).horizontalAdvance(QString::fromStdString(line));
  return width <= reportWidth * fitted_.charWidth;
}

int LinesPerPage(const ui::PrinterState& printers, const QFont& reportFont) {
  return CurrentPageMetrics(printers, reportFont)->linesPerPage();
}

std::unique_ptr<PageMetrics> CurrentPageMetrics(const ui::PrinterState& printers,
                                                const QFont& reportFont) {
  if (!printers.available()) return std::make_unique<PlainMetrics>();
  return std::make_unique<PrinterMetrics>(printers.printer(), reportFont);
}

}  // namespace vt::reports
