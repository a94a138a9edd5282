// A bar chart carried in a report document: the figures of its bars in one
// chart cell ("G" + the rows it stands on + the figures), drawn by the Qt
// side into the rows it reserves and left out of the text exports.
#pragma once

#include <string>
#include <vector>

#include "base/money.h"

namespace vt::reports {

// One bar group per category, one bar in each group per series.
struct BarChart {
  std::vector<std::string> series;      // the legend's names
  std::vector<std::string> categories;  // the labels under the groups
  // values[series][category], in cents.
  std::vector<std::vector<base::Cents>> values;
};

// The chart cell of `chart` standing on `rows` rows (1 to 99) of the
// document. Control characters in the names become blanks.
std::string ChartCell(const BarChart& chart, int rows);
// The chart held in the text of a chart cell (ParseCell's text). Throws
// CellError when a figure is not a whole number of cents; a series short of
// figures is filled with zeros.
BarChart ParseBarChart(const std::string& text);

}  // namespace vt::reports
