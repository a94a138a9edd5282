// The report font fitted to the width it has, and rules drawn where their
// columns are.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include "reports/report_canvas.h"

namespace vt::reports {
namespace {

constexpr int kDotsPerMetre96 = 3780;  // 96 dots per inch

QImage Canvas(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.setDotsPerMeterX(kDotsPerMetre96);
  image.setDotsPerMeterY(kDotsPerMetre96);
  image.fill(Qt::white);
  return image;
}

int WidthOfB(const QFont& font, const QImage& canvas) {
  return static_cast<int>(QFontMetricsF(font, &canvas).horizontalAdvance("B"));
}

struct FitCase {
  const char* name;
  int usableWidth;
  int reportWidth;
  int startPoints;
  bool stopsAtLimit;  // still too wide at 8 points
};

TEST(ReportLayoutTest, FontIsReducedUntilTheReportFitsButNotBelowEightPoints) {
  const FitCase cases[] = {
      {"fits at once", 3000, 50, 10, false},
      {"reduced to fit", 700, 85, 24, false},
      {"too wide even at the limit", 200, 99, 20, true},
  };
  const QImage canvas = Canvas(10, 10);
  for (const FitCase& c : cases) {
    SCOPED_TRACE(c.name);
    QFont font("DejaVu Sans Mono");
    font.setPointSize(c.startPoints);
    const CanvasLayout layout =
        FitLayout(canvas, font, c.reportWidth, c.usableWidth, kPreviewMinPoints);
    const int points = layout.font.pointSize();
    EXPECT_EQ(layout.charWidth, WidthOfB(layout.font, canvas));
    EXPECT_EQ(points == kPreviewMinPoints, c.stopsAtLimit);
    EXPECT_EQ(c.reportWidth * layout.charWidth <= c.usableWidth, !c.stopsAtLimit);
    if (points < c.startPoints) {
      QFont larger = layout.font;
      larger.setPointSize(points + 1);
      EXPECT_GT(c.reportWidth * WidthOfB(larger, canvas), c.usableWidth);
    }
    EXPECT_EQ(layout.left,
              static_cast<int>(c.usableWidth / 2.0 - c.reportWidth * layout.charWidth / 2.0));
    EXPECT_EQ(layout.right, layout.left + c.reportWidth * layout.charWidth);
  }
}

TEST(ReportLayoutTest, RuleRunsAlongTheRowTopFromItsFirstToItsLastColumn) {
  QImage canvas = Canvas(1000, 60);
  const CanvasLayout layout =
      FitLayout(canvas, QFont("DejaVu Sans Mono", 10), 80, canvas.width(), kPreviewMinPoints);
  constexpr int kTop = 20;
  {
    QPainter painter(&canvas);
    PictureCache pictures;
    RowPainter rows = RowPainter::Preview(painter, layout, pictures, canvas.width());
    EXPECT_EQ(rows.paint({"H6073", "", ""}, kTop), kTop + layout.rowHeight);
  }
  int first = -1;
  int last = -1;
  for (int x = 0; x < canvas.width(); ++x) {
    if (canvas.pixelColor(x, kTop) == Qt::white) continue;
    if (first < 0) first = x;
    last = x;
  }
  EXPECT_EQ(first, layout.x(60));
  EXPECT_EQ(last, layout.x(73));
  EXPECT_EQ(canvas.pixelColor(layout.x(66), kTop + 1), Qt::white);
}

}  // namespace
}  // namespace vt::reports
