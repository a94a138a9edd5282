#include "reports/report_preview.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <stdexcept>
#include <utility>

namespace vt::reports {

ReportPreview::ReportPreview(QWidget* parent, std::function<void(const std::string&)> failed)
    : QWidget(parent), failed_(std::move(failed)), pictures_([this](const std::string& fileName) {
        QTimer::singleShot(0, this, [this, text = MissingPictureText(fileName)] { failed_(text); });
      }) {
  setObjectName("reportPreview");
  setAccessibleName(tr("Report preview"));
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
}

void ReportPreview::setDocument(const ReportDoc* doc, const QFont& reportFont) {
  doc_ = doc;
  reportFont_ = reportFont;
  pictures_.clear();
  toldFailure_.clear();
  firstRow_ = 0;
  layOut();
}

void ReportPreview::setFirstRow(int row) {
  if (row == firstRow_) return;
  firstRow_ = row;
  update();
}

void ReportPreview::layOut() {
  const int reportWidth = doc_ ? doc_->ReportWidth : 0;
  layout_ = FitLayout(*this, reportFont_, reportWidth, width(), kPreviewMinPoints);
  rowsPerScreen_ = std::max(1, height() / std::max(1, layout_.rowHeight));
  emit laidOut();
  update();
}

void ReportPreview::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layOut();
}

void ReportPreview::wheelEvent(QWheelEvent* event) {
  constexpr int kNotch = 120;
  emit wheelTurned(-event->angleDelta().y() * QApplication::wheelScrollLines() / kNotch);
  event->accept();
}

namespace {

// The row of a chart above `row` that still stands on `row`, so that its
// lower part shows; `row` itself when there is none.
int ChartReaching(const std::vector<ReportRow>& rows, int row) {
  for (int above = row - 1; above >= 0 && row - above < 100; --above) {
    const ReportRow& cells = rows[static_cast<size_t>(above)];
    const bool chart = !cells.empty() && cells.front().rfind('G', 0) == 0;
    if (chart && above + ParseCell(cells.front()).column > row) return above;
  }
  return row;
}

}  // namespace

void ReportPreview::paintEvent(QPaintEvent* /*event*/) {
  if (!doc_ || doc_->empty()) return;
  QPainter painter(this);
  try {
    paintRows(painter);
  } catch (const std::runtime_error& error) {
    // A message box cannot open inside a paint; it follows it, once.
    if (toldFailure_ == error.what()) return;
    toldFailure_ = error.what();
    QTimer::singleShot(0, this, [this, text = toldFailure_] { failed_(text); });
  }
}

void ReportPreview::paintRows(QPainter& painter) {
  const auto& rows = doc_->rows();
  const int last = std::min(firstRow_ + rowsPerScreen_ - 1, static_cast<int>(rows.size()) - 1);
  RowPainter rowPainter = RowPainter::Preview(painter, layout_, pictures_, width());
  const int first = ChartReaching(rows, std::max(0, firstRow_));
  int y = (first - std::max(0, firstRow_)) * layout_.rowHeight;
  for (int row = first; row <= last; ++row) y = rowPainter.paint(rows[row], y);
}

}  // namespace vt::reports
