#include "reports/sales_chart.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "base/text1252.h"
#include "reports/bar_chart.h"
#include "reports/month_sales.h"
#include "reports/report_cells.h"

namespace vt::reports {

namespace {

constexpr int kWidth = 68;
constexpr int kCols = 12;
constexpr int kMinChartRows = 10;
constexpr int kMaxChartRows = 99;

// Items, Ship, Tax, payments.
using Figures = std::array<base::MoneyTotal, 4>;

Figures FiguresOf(const MonthSales& month) {
  return {month.items, month.ship, month.tax, month.payments};
}

BarChart ChartOf(const data::DataSession& session, const std::vector<MonthSales>& months) {
  BarChart chart;
  chart.series = {"Items sold", base::trim(session.settings.ShipLine),
                  base::trim(session.settings.TaxLine), "Payments received"};
  chart.values.resize(chart.series.size());
  for (const MonthSales& month : months) {
    chart.categories.push_back(MonthLabel(month.year, month.month));
    const Figures figures = FiguresOf(month);
    for (size_t s = 0; s < figures.size(); ++s) chart.values[s].push_back(figures[s].cents());
  }
  return chart;
}

class ChartDocument {
 public:
  ChartDocument(ReportContext& context, const base::DateTime& from, const base::DateTime& to)
      : context_(context), doc_(context.doc), session_(context.session), from_(from), to_(to) {}

  void Build(const std::vector<MonthSales>& months) {
    StartReport(context_, kWidth, kCols, {SpanTitle(session_, "Sales Chart for ", from_, to_)});
    doc_.SetBoxedHeadings(
        {"V00", "L01", "V12", "R25", "V26", "R39", "V40", "R53", "V54", "R67", "V68"},
        {"", "Month", "", "Items", "", base::trim(session_.settings.ShipLine), "",
         base::trim(session_.settings.TaxLine), "", "Payments", ""});
    Chart(ChartOf(session_, months));
    Figures totals{};
    for (const MonthSales& month : months) {
      const Figures figures = FiguresOf(month);
      for (size_t i = 0; i < totals.size(); ++i) totals[i] += figures[i];
      char yearMonth[16];
      std::snprintf(yearMonth, sizeof yearMonth, "%04d-%02d", month.year, month.month);
      Row(ValuedText(MonthLabel(month.year, month.month), yearMonth), figures);
    }
    doc_.style() = "U";
    Row("Totals", totals);
    doc_.style() = "U";
  }

 private:
  // The chart's row and the rows it stands on, under the page header; the
  // table's headings under them.
  void Chart(const BarChart& chart) {
    const int rows = std::clamp(doc_.LinesPerPage / 2, kMinChartRows, kMaxChartRows);
    doc_.CheckPage(doc_.PageLine + rows, false);
    doc_.NewLine();
    doc_.cell(0) = ChartCell(chart, rows);
    for (int r = 1; r < rows; ++r) doc_.NewLine();
    doc_.PlaceHeadings();
  }

  void Row(const std::string& label, const Figures& figures) {
    std::vector<std::string> texts{"", label};
    for (const base::MoneyTotal& figure : figures) {
      texts.insert(texts.end(), {"", AmountText(session_, figure.value(), 12)});
    }
    BodyRow(doc_, texts);
  }

  ReportContext& context_;
  ReportDoc& doc_;
  data::DataSession& session_;
  base::DateTime from_, to_;
};

}  // namespace

std::string MonthLabel(int year, int month) {
  static constexpr std::array<const char*, 12> kNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const bool valid = month >= 1 && month <= 12;
  return std::string(valid ? kNames[static_cast<size_t>(month - 1)] : "???") + " " +
         std::to_string(year);
}

int SalesChart(ReportContext& context, const base::DateTime& from, const base::DateTime& to) {
  std::vector<MonthSales> months;
  const int status = CollectMonthSales(context, from, to, months);
  if (status != 0) return status;
  ChartDocument(context, from, to).Build(months);
  return 0;
}

}  // namespace vt::reports
