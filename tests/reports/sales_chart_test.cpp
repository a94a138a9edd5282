// The Sales Chart's months against Sales Summary and Daily Income run on
// each month alone and on the whole span: the same figures to the cent.
#include "reports/sales_chart.h"

#include <gtest/gtest.h>

#include "base/text1252.h"
#include "report_test_support.h"
#include "reports/bar_chart.h"
#include "reports/month_sales.h"
#include "reports/report_cells.h"
#include "reports/sales_reports.h"

namespace vt::reports {
namespace {

using base::MakeDate;

class SalesChartTest : public testing::ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    struct {
      int ivNo;
      base::DateTime date;
      double ship, tax, qty, price;
    } const invoices[] = {{10, MakeDate(2026, 3, 31), 4, 5, 9, 9},
                          {11, MakeDate(2026, 4, 1), 1.25, 0.8, 3, 0.335},
                          {12, MakeDate(2026, 4, 30), 0.5, 0, 7, 1.005},
                          {13, MakeDate(2026, 6, 2), 2, 3.01, 100, 0.125},
                          {14, MakeDate(2026, 7, 1), 9, 9, 1, 1}};
    for (const auto& i : invoices) {
      data::testing::appendInvoice(*session, {i.ivNo, 7, "", i.date, "", i.ship, i.tax, 0, ""});
      data::testing::appendItem(*session, {i.ivNo, "A", i.qty, i.price, true, false, "", ""});
      data::testing::appendItem(*session, {i.ivNo, "B", 1, 0.015, false, true, "", ""});
    }
    const data::PaymentRecord payments[] = {{11, MakeDate(2026, 3, 31), 7},
                                            {11, MakeDate(2026, 4, 2), 10.01},
                                            {12, MakeDate(2026, 5, 31), 2.25},
                                            {13, MakeDate(2026, 6, 30), 0.99},
                                            {14, MakeDate(2026, 7, 1), 3}};
    for (const data::PaymentRecord& p : payments) data::testing::appendPayment(*session, p);
  }

  // The text of cell `c` of the row whose cell `label` is `labelText`.
  std::string cellOf(int labelCell, const std::string& labelText, int c) const {
    for (const ReportRow& row : doc.rows()) {
      if (ShownText(row[static_cast<size_t>(labelCell)]) == labelText) {
        return base::trim(ParseCell(row[static_cast<size_t>(c)]).text);
      }
    }
    return "none";
  }

  std::string amount(const base::MoneyTotal& value) const {
    return base::trim(session->viewAmount(value.value(), 10, 2));
  }

  // Items, Ship and Tax of Sales Summary, and the payments of Daily Income,
  // over the span ("0.00" where there is nothing).
  std::vector<std::string> reported(const base::DateTime& from, const base::DateTime& to) {
    std::vector<std::string> out(4, "0.00");
    doc.EndReport();
    if (SalesSummary(*context, from, to) == 0) {
      for (int c : {5, 7, 9}) out[static_cast<size_t>(c / 2 - 2)] = cellOf(1, "R17Totals", c);
    }
    doc.EndReport();
    if (IncomeSummary(*context, from, to) == 0) out[3] = cellOf(1, "L01Total Payments", 9);
    return out;
  }

  std::vector<std::string> texts(const MonthSales& m) const {
    return {amount(m.items), amount(m.ship), amount(m.tax), amount(m.payments)};
  }
};

TEST_F(SalesChartTest, MonthsAgreeWithSalesSummaryAndDailyIncome) {
  const base::DateTime from = MakeDate(2026, 4, 1), to = MakeDate(2026, 6, 30);
  std::vector<MonthSales> months;
  ASSERT_EQ(CollectMonthSales(*context, from, to, months), 0);
  ASSERT_EQ(months.size(), 3u);
  MonthSales all;
  for (const MonthSales& m : months) {
    const base::DateTime first = MakeDate(m.year, m.month, 1);
    const base::DateTime last = MakeDate(m.year, m.month, base::DaysInMonth(m.year, m.month));
    EXPECT_EQ(texts(m), reported(first, last)) << m.month;
    all.items += m.items;
    all.ship += m.ship;
    all.tax += m.tax;
    all.payments += m.payments;
  }
  EXPECT_EQ(texts(all), reported(from, to));
  EXPECT_EQ(months[1].items.cents(), 0);  // May: a payment only
  EXPECT_EQ(months[1].payments.cents(), 225);
}

TEST_F(SalesChartTest, DocumentHoldsTheChartAndTheTableWithTotals) {
  ASSERT_EQ(SalesChart(*context, MakeDate(2026, 4, 1), MakeDate(2026, 5, 31)), 0);
  std::optional<BarChart> chart;
  for (const ReportRow& row : doc.rows()) {
    if (ParseCell(row[0]).kind == CellKind::Chart) chart = ParseBarChart(ParseCell(row[0]).text);
  }
  ASSERT_TRUE(chart);
  EXPECT_EQ(chart->categories, (std::vector<std::string>{"Apr 2026", "May 2026"}));
  ASSERT_EQ(chart->values.size(), 4u);
  EXPECT_EQ(chart->values[3], (std::vector<base::Cents>{1001, 225}));
  EXPECT_EQ(cellOf(1, "L01May 2026", 9), "2.25");
  EXPECT_EQ(cellOf(1, "L01Totals", 9), "12.26");
  EXPECT_EQ(SalesChart(*context, MakeDate(2020, 1, 1), MakeDate(2020, 2, 1)), kNoInvoices);
}

TEST(BarChartCell, FiguresSurviveTheCellAndBadOnesAreRefused) {
  const BarChart chart{{"A\tB", "C"}, {"Jan", "Feb"}, {{1, -2}, {3}}};
  const ReportCell cell = ParseCell(ChartCell(chart, 30));
  EXPECT_EQ(cell.kind, CellKind::Chart);
  EXPECT_EQ(cell.column, 30);
  const BarChart back = ParseBarChart(cell.text);
  EXPECT_EQ(back.series, (std::vector<std::string>{"A B", "C"}));
  EXPECT_EQ(back.values, (std::vector<std::vector<base::Cents>>{{1, -2}, {3, 0}}));
  EXPECT_THROW(ParseBarChart("\x1e"
                             "A\x1e"
                             "Jan\x1e"
                             "1.5"),
               CellError);
}

}  // namespace
}  // namespace vt::reports
