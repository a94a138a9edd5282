#include "reports/bar_chart.h"

#include <charconv>

#include "reports/report_cells.h"
#include "reports/report_doc.h"

namespace vt::reports {

namespace {

constexpr char kField = '\x1f';
constexpr char kGroup = '\x1e';

std::string clean(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  return text;
}

void appendGroup(std::string& out, const std::vector<std::string>& fields) {
  out += kGroup;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += kField;
    out += clean(fields[i]);
  }
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at = text.find(separator); at != std::string::npos;
       at = text.find(separator, start)) {
    parts.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

base::Cents cents(const std::string& text) {
  base::Cents value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    throw CellError("'" + text + "' is not a valid chart figure");
  }
  return value;
}

}  // namespace

std::string ChartCell(const BarChart& chart, int rows) {
  std::string cell = "G" + ColumnField(rows);
  appendGroup(cell, chart.series);
  appendGroup(cell, chart.categories);
  for (const std::vector<base::Cents>& figures : chart.values) {
    std::vector<std::string> texts;
    for (const base::Cents value : figures) texts.push_back(std::to_string(value));
    appendGroup(cell, texts);
  }
  return cell;
}

BarChart ParseBarChart(const std::string& text) {
  std::vector<std::string> groups = split(text, kGroup);
  BarChart chart;
  // The text starts with a group mark, so the first part is empty.
  if (groups.size() < 3) return chart;
  chart.series = split(groups[1], kField);
  chart.categories = groups[2].empty() ? std::vector<std::string>{} : split(groups[2], kField);
  for (size_t s = 0; s < chart.series.size(); ++s) {
    std::vector<base::Cents> figures;
    if (s + 3 < groups.size() && !groups[s + 3].empty()) {
      for (const std::string& figure : split(groups[s + 3], kField))
        figures.push_back(cents(figure));
    }
    figures.resize(chart.categories.size(), 0);
    chart.values.push_back(std::move(figures));
  }
  return chart;
}

}  // namespace vt::reports
