#include "reports/report_canvas.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <utility>

#include "reports/chart_painter.h"

namespace vt::reports {

namespace {

int charWidth(const QFont& font, const QPaintDevice& device) {
  return static_cast<int>(QFontMetricsF(font, &device).horizontalAdvance(QStringLiteral("B")));
}

// Rules one screen pixel wide on the preview and as wide on paper (a
// hundredth of an inch), however fine the printer's pixels are.
QPen rulePen(const QPaintDevice& device, Qt::PenStyle style) {
  QPen pen(Qt::black);
  pen.setWidth(std::max(1, device.logicalDpiY() / 96));
  pen.setStyle(style);
  return pen;
}

// A picture's size in the device's pixels: its own pixels on the preview,
// its size in inches (from the style cell, or its own resolution when the
// row gives none) on paper.
QSize paperSize(const QImage& image, const RowStyle& style, const QPaintDevice& device) {
  double widthInches = 0;
  double heightInches = 0;
  if (style.picture) {
    widthInches = style.picture->width;
    heightInches = style.picture->height;
  } else {
    constexpr double kInchesPerMetre = 39.37;
    const double dpiX = image.dotsPerMeterX() > 0 ? image.dotsPerMeterX() / kInchesPerMetre : 96;
    const double dpiY = image.dotsPerMeterY() > 0 ? image.dotsPerMeterY() / kInchesPerMetre : 96;
    widthInches = image.width() / dpiX;
    heightInches = image.height() / dpiY;
  }
  return {static_cast<int>(widthInches * device.logicalDpiX()),
          static_cast<int>(heightInches * device.logicalDpiY())};
}

}  // namespace

CanvasLayout FitLayout(const QPaintDevice& device, QFont font, int reportWidth, int usableWidth,
                       int minPoints) {
  int w = charWidth(font, device);
  while (reportWidth * w > usableWidth && font.pointSize() > minPoints) {
    font.setPointSize(font.pointSize() - 1);
    w = charWidth(font, device);
  }
  CanvasLayout layout;
  layout.font = font;
  layout.charWidth = w;
  layout.rowHeight = QFontMetrics(font, &device).height();
  layout.left = static_cast<int>(usableWidth / 2.0 - reportWidth * w / 2.0);
  layout.right = layout.left + reportWidth * w;
  return layout;
}

const QImage* PictureCache::load(const std::string& fileName) {
  auto found = images_.find(fileName);
  if (found == images_.end()) {
    found = images_.emplace(fileName, QImage(QString::fromStdString(fileName))).first;
    if (found->second.isNull() && missing_) missing_(fileName);
  }
  return found->second.isNull() ? nullptr : &found->second;
}

std::string MissingPictureText(const std::string& fileName) {
  return "Unable to load the picture " + fileName + "; the report goes on without it.";
}

RowPainter::RowPainter(QPainter& painter, const CanvasLayout& layout, PictureCache& pictures)
    : painter_(painter),
      layout_(layout),
      pictures_(pictures),
      regular_(layout.font),
      bold_(layout.font) {
  regular_.setBold(false);
  bold_.setBold(true);
  painter_.setBackgroundMode(Qt::TransparentMode);
  painter_.setBrush(Qt::NoBrush);
}

RowPainter RowPainter::Preview(QPainter& painter, const CanvasLayout& layout,
                               PictureCache& pictures, int clearWidth) {
  RowPainter rows(painter, layout, pictures);
  rows.clearWidth_ = clearWidth;
  return rows;
}

RowPainter RowPainter::Paper(QPainter& painter, const CanvasLayout& layout, PictureCache& pictures,
                             int top, std::function<void()> newSheet) {
  RowPainter rows(painter, layout, pictures);
  rows.top_ = top;
  rows.newSheet_ = std::move(newSheet);
  return rows;
}

int RowPainter::paint(const ReportRow& row, int y) {
  if (row.empty()) return y + layout_.rowHeight;
  const RowStyle style = ParseStyle(row.back());
  painter_.setFont(style.bold ? bold_ : regular_);
  painter_.setPen(rulePen(*painter_.device(), Qt::SolidLine));
  for (size_t c = 0; c + 1 < row.size(); ++c) {
    if (row[c].empty()) continue;
    const ReportCell cell = ParseCell(row[c]);
    const QString text = QString::fromStdString(cell.text);
    switch (cell.kind) {
      case CellKind::Eject:
        y = eject(y);
        break;
      case CellKind::Picture:
        picture(cell, style, y);
        break;
      case CellKind::Chart:
        PaintBarChart(
            painter_,
            QRect(layout_.left, y, layout_.right - layout_.left, cell.column * layout_.rowHeight),
            ParseBarChart(cell.text));
        break;
      case CellKind::VRule:
        painter_.drawLine(layout_.x(cell.column), y, layout_.x(cell.column), y + layout_.rowHeight);
        break;
      case CellKind::HRule:
        painter_.drawLine(layout_.x(cell.column), y, layout_.x(cell.toColumn), y);
        break;
      case CellKind::Left:
        this->text(text, layout_.x(cell.column), y);
        break;
      case CellKind::Right:
        this->text(text, layout_.x(cell.column) - textWidth(text), y);
        break;
      case CellKind::Centre:
        this->text(text, layout_.x(cell.column) - textWidth(text) / 2, y);
        break;
      case CellKind::Unknown:
        this->text(text, 0, y);
        break;
      case CellKind::Empty:
        break;
    }
  }
  y += layout_.rowHeight;
  if (style.underline) painter_.drawLine(layout_.left, y, layout_.right, y);
  return y;
}

int RowPainter::eject(int y) {
  if (newSheet_) {
    newSheet_();
    return top_ - layout_.rowHeight;
  }
  const int middle = y + layout_.rowHeight / 2;
  painter_.setPen(rulePen(*painter_.device(), Qt::DotLine));
  painter_.drawLine(0, middle, clearWidth_, middle);
  painter_.setPen(rulePen(*painter_.device(), Qt::SolidLine));
  return y;
}

void RowPainter::picture(const ReportCell& cell, const RowStyle& style, int y) {
  const QImage* loaded = pictures_.load(cell.text);
  if (!loaded) return;
  const QImage& image = *loaded;
  const QSize size = newSheet_ ? paperSize(image, style, *painter_.device()) : image.size();
  int x = layout_.x(cell.column);
  if (cell.align == 'C') x -= size.width() / 2;
  if (cell.align == 'R') x -= size.width();
  painter_.drawImage(QRect(QPoint(x, y), size), image);
}

void RowPainter::text(const QString& text, int x, int y) {
  painter_.drawText(QPoint(x, y + painter_.fontMetrics().ascent()), text);
}

int RowPainter::textWidth(const QString& text) const {
  return painter_.fontMetrics().horizontalAdvance(text);
}

}  // namespace vt::reports
