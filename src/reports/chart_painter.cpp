#include "reports/chart_painter.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QSaveFile>
#include <QValueAxis>

#include "reports/report_cells.h"

namespace vt::reports {

namespace {

// The chart is laid out at this resolution and scaled to the device, so its
// lettering keeps its size against the bars on screen and on paper.
constexpr double kLayoutDpi = 96;
constexpr int kLetterPixels = 11;
constexpr size_t kLevelLabels = 6;
// The picture written alone: its size at the layout resolution, and twice
// as many pixels.
constexpr int kPictureWidth = 800;
constexpr int kPictureHeight = 480;
constexpr int kPictureScale = 2;
// A chart drawn narrower than this is laid out this wide and scaled down,
// lettering with it, so the months' labels keep the room they need on a
// narrow report: at the layout resolution a month's label is about 45
// pixels wide, and upright labels need the height to stand in.
constexpr double kMinLayoutWidth = 720;

QFont Lettering() {
  QFont font;
  font.setPixelSize(kLetterPixels);
  return font;
}

QBarSeries* BarsOf(const BarChart& chart) {
  auto* bars = new QBarSeries;
  for (size_t s = 0; s < chart.series.size(); ++s) {
    auto* set = new QBarSet(QString::fromStdString(chart.series[s]));
    for (const base::Cents cents : chart.values[s]) set->append(base::FromCents(cents));
    bars->append(set);
  }
  return bars;
}

void AddAxes(QChart& qchart, QBarSeries& bars, const BarChart& chart) {
  auto* months = new QBarCategoryAxis;
  for (const std::string& category : chart.categories) {
    months->append(QString::fromStdString(category));
  }
  auto* amounts = new QValueAxis;
  amounts->setLabelFormat(QStringLiteral("%.0f"));
  months->setLabelsFont(Lettering());
  // Upright, many months' labels would not fit side by side.
  if (chart.categories.size() > kLevelLabels) months->setLabelsAngle(-90);
  amounts->setLabelsFont(Lettering());
  qchart.addAxis(months, Qt::AlignBottom);
  qchart.addAxis(amounts, Qt::AlignLeft);
  bars.attachAxis(months);
  bars.attachAxis(amounts);
  amounts->setMin(std::min(0.0, amounts->min()));
  amounts->applyNiceNumbers();
}

// A chart of `chart` laid out at `size`, owned by `scene`.
void BuildChart(QGraphicsScene& scene, const BarChart& chart, const QSizeF& size) {
  auto* qchart = new QChart;
  qchart->setAnimationOptions(QChart::NoAnimation);
  qchart->setDropShadowEnabled(false);
  qchart->setBackgroundRoundness(0);
  qchart->legend()->setAlignment(Qt::AlignBottom);
  qchart->legend()->setFont(Lettering());
  QBarSeries* bars = BarsOf(chart);
  qchart->addSeries(bars);
  AddAxes(*qchart, *bars, chart);
  scene.addItem(qchart);
  qchart->setGeometry(QRectF(QPointF(0, 0), size));
  qchart->layout()->activate();
  scene.setSceneRect(QRectF(QPointF(0, 0), size));
}

}  // namespace

void PaintBarChart(QPainter& painter, const QRect& target, const BarChart& chart) {
  const QPaintDevice& device = *painter.device();
  QSizeF size(target.width() * kLayoutDpi / device.logicalDpiX(),
              target.height() * kLayoutDpi / device.logicalDpiY());
  if (size.width() > 0 && size.width() < kMinLayoutWidth) size *= kMinLayoutWidth / size.width();
  QGraphicsScene scene;
  BuildChart(scene, chart, size);
  painter.save();
  scene.render(&painter, QRectF(target), scene.sceneRect(), Qt::IgnoreAspectRatio);
  painter.restore();
}

std::optional<BarChart> FirstChart(const ReportDoc& doc) {
  for (const ReportRow& row : doc.rows()) {
    for (size_t c = 0; c + 1 < row.size(); ++c) {
      if (row[c].empty() || row[c][0] != 'G') continue;
      return ParseBarChart(ParseCell(row[c]).text);
    }
  }
  return std::nullopt;
}

bool WriteChartPng(const ReportDoc& doc, const QString& path) {
  const std::optional<BarChart> chart = FirstChart(doc);
  if (!chart) return false;
  QImage image(kPictureWidth * kPictureScale, kPictureHeight * kPictureScale, QImage::Format_RGB32);
  const int dotsPerMeter = static_cast<int>(kLayoutDpi * kPictureScale / 0.0254);
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    PaintBarChart(painter, image.rect(), *chart);
  }
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit();
}

}  // namespace vt::reports
