// Drawing the bar chart of a report document with Qt Charts: into the rows
// it stands on, on the preview, on paper and in PDF, or alone as a picture.
#pragma once

#include <QRect>
#include <QString>
#include <optional>

#include "reports/bar_chart.h"
#include "reports/report_doc.h"

class QPainter;

namespace vt::reports {

// Draws `chart` filling `target` of the painter's device, its lettering
// sized for the device's resolution. The painter is left as it was.
void PaintBarChart(QPainter& painter, const QRect& target, const BarChart& chart);

// The chart of the first chart cell of `doc`, if it has one. Throws
// CellError for a chart cell that cannot be read.
std::optional<BarChart> FirstChart(const ReportDoc& doc);

// The first chart of `doc` alone as a PNG picture at `path`: false when the
// document has no chart or the file cannot be written.
bool WriteChartPng(const ReportDoc& doc, const QString& path);

}  // namespace vt::reports
