#include "reports/printer_metrics.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <algorithm>
#include <optional>

#include "ui/printer_state.h"

namespace vt::reports {

namespace {

constexpr int kMarginRows = 6;

// A writer of the same pages and resolution as the PDF file, which never
// writes anything.
class PdfMetrics final : public PageMetrics {
 public:
  PdfMetrics(const QPageLayout& pageLayout, const QFont& reportFont) : writer_(&unused_) {
    writer_.setPageLayout(pageLayout);
    measures_.emplace(writer_, reportFont);
  }
  int linesPerPage() const override { return measures_->linesPerPage(); }
  double resolutionY() const override { return measures_->resolutionY(); }
  double rowHeight() const override { return measures_->rowHeight(); }
  bool fits(const std::string& line, int reportWidth) const override {
    return measures_->fits(line, reportWidth);
  }

 private:
  QBuffer unused_;
  QPdfWriter writer_;
  std::optional<PrinterMetrics> measures_;
};

}  // namespace

PrinterMetrics::PrinterMetrics(const QPagedPaintDevice& device, const QFont& reportFont)
    : device_(device), font_(reportFont), rowHeight_(QFontMetrics(reportFont, &device).height()) {}

int PrinterMetrics::linesPerPage() const {
  return std::max(1, device_.height() / std::max(1, rowHeight_) - kMarginRows);
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

std::unique_ptr<PageMetrics> PdfPageMetrics(const QPageLayout& pageLayout,
                                            const QFont& reportFont) {
  return std::make_unique<PdfMetrics>(pageLayout, reportFont);
}

std::unique_ptr<PageMetrics> CurrentPageMetrics(const ui::PrinterState& printers,
                                                const QFont& reportFont) {
  if (!printers.available()) return PdfPageMetrics(printers.printer().pageLayout(), reportFont);
  return std::make_unique<PrinterMetrics>(printers.printer(), reportFont);
}

}  // namespace vt::reports
