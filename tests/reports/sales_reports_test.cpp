// The Sales Summary and Tax reports: their rows against sums worked out here
// from the invoices written, the span's bounds, and a span with nothing in it.
#include "reports/sales_reports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "report_test_support.h"

namespace vt::reports {
namespace {

using base::FloatText;
using base::MakeDate;
using invoicing::testing::Line;

struct Written {
  int ivNo;
  base::DateTime date;
  double ship, tax;
  std::vector<Line> items;
};

// In physical order; April holds 100, 101 and 102 (on the last day).
const std::vector<Written> kInvoices = {
    {102, MakeDate(2026, 4, 30), 0.50, 0, {{"C", 1, 7}}},
    {100, MakeDate(2026, 4, 1), 1.25, 0.80, {{"A", 2, 3.5, true}, {"B", 1, 10, false, true}}},
    {103, MakeDate(2026, 5, 1), 2, 3, {{"A", 100, 1, true, true}}},
    {99, MakeDate(2026, 3, 31), 4, 5, {{"B", 9, 9, true, true}}},
    {101, MakeDate(2026, 4, 15), 0, 0.26, {{"A", 3, 1.1, false, true}}},
};
const base::DateTime kFrom = MakeDate(2026, 4, 1), kTo = MakeDate(2026, 4, 30);

class SalesReportsTest : public testing::ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    session->settings.ShipLine = "Shipping";
    session->settings.TaxLine = "Sales Tax";
    for (const Written& w : kInvoices) {
      data::testing::appendInvoice(*session, {w.ivNo, 7, "", w.date, "", w.ship, w.tax, 0, ""});
      for (const Line& l : w.items) {
        data::testing::appendItem(*session,
                                  {w.ivNo, l.prId, l.qty, l.price, l.tax1, l.tax2, "", ""});
      }
    }
    progress.events.clear();
  }

  // The April invoices in date order.
  static std::vector<Written> april() {
    std::vector<Written> in;
    for (const Written& w : kInvoices) {
      if (w.date >= kFrom && w.date <= kTo) in.push_back(w);
    }
    std::sort(in.begin(), in.end(),
              [](const Written& a, const Written& b) { return a.date < b.date; });
    return in;
  }
};

TEST_F(SalesReportsTest, SalesSummaryRowsAndTotalsInDateOrderUpToTheLastDay) {
  ASSERT_EQ(SalesSummary(*context, kFrom, kTo), 0);
  std::vector<std::string> expected;
  double totals[4] = {};
  for (const Written& w : april()) {
    double items = 0;
    for (const Line& l : w.items) items += l.qty * l.price;
    const double values[4] = {items, w.ship, w.tax, items + w.ship + w.tax};
    std::string row = "V00|R07" + base::PadNumber(w.ivNo, 6) + "|V08|R17" +
                      data::testing::usShortDate(w.date) + "|V18|";
    const char* codes[4][2] = {{"R28", "V29"}, {"R40", "V41"}, {"R52", "V53"}, {"R63", "V64"}};
    for (int i = 0; i < 4; ++i) {
      row += std::string(codes[i][0]) + FloatText(values[i], 10, 2) + "|" + codes[i][1] + "|";
      totals[i] += values[i];
    }
    expected.push_back(row + "|");
  }
  expected.back().back() = 'U';
  expected.back() += "|";
  expected.push_back("V00|R17Totals|||V18|R28" + FloatText(totals[0], 10, 2) + "|V29|R40" +
                     FloatText(totals[1], 10, 2) + "|V41|R52" + FloatText(totals[2], 10, 2) +
                     "|V53|R63" + FloatText(totals[3], 10, 2) + "|V64|U|");
  const std::vector<std::string> all = rows();
  ASSERT_GE(all.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(all.end() - static_cast<long>(expected.size()), all.end()),
            expected);
  EXPECT_EQ(all[2], "C32Sales Summary for 4/1/2026 through 4/30/2026|||||||||||||B|");
  EXPECT_EQ(all[all.size() - expected.size() - 1],
            "V00|R07Inv. No|V08|R17Date|V18|R28Items|V29|R40Shipping|V41|R52Sales Tax|V53|"
            "R63Total|V64|U|");
  EXPECT_EQ(progress.events, (std::vector<std::string>{"show Processing Sales", "set 33", "set 66",
                                                       "set 100", "hide"}));
  EXPECT_EQ(session->invoices(), nullptr) << "every table closed";
}

TEST_F(SalesReportsTest, ASpanWithoutInvoicesBuildsNothing) {
  const struct {
    base::DateTime from, to;
  } spans[] = {{MakeDate(2026, 4, 2), MakeDate(2026, 4, 14)},
               {MakeDate(2026, 5, 2), MakeDate(2026, 6, 30)}};  // after the last invoice
  for (const auto& span : spans) {
    for (auto report : {&SalesSummary, &TaxSummary}) {
      EXPECT_EQ(report(*context, span.from, span.to), kNoInvoices);
      EXPECT_TRUE(doc.empty());
      EXPECT_EQ(session->invoices(), nullptr);
    }
  }
  EXPECT_TRUE(progress.events.empty());
  EXPECT_EQ(NothingMessage(kNoInvoices), "No Invoices within selected dates.");
}

TEST_F(SalesReportsTest, TaxReportSumsAndItsTax1RowOnlyWithARate) {
  const struct {
    double rate1;
    int shipTax;  // 1 no tax 2 on tax 1, 2 always, 3 when the invoice has tax 2
  } cases[] = {{0, 1}, {5, 2}, {5, 3}};
  for (const auto& c : cases) {
    session->settings.TaxRate1 = c.rate1;
    session->settings.ShipTax = c.shipTax;
    double net = 0, taxable1 = 0, taxable2 = 0, charged1 = 0, charged2 = 0;
    for (const Written& w : april()) {
      for (const Line& l : w.items) {
        net += l.qty * l.price;
        taxable1 += l.tax1 ? l.qty * l.price : 0;
        taxable2 += l.tax2 ? l.qty * l.price : 0;
      }
      if (c.shipTax == 2 || (c.shipTax == 3 && w.tax > 0)) taxable2 += w.ship;
      charged1 += w.ship;
      charged2 += w.tax;
    }
    auto amount = [](double v) { return FloatText(v, 11, 2); };
    std::vector<std::string> expected = {
        "|||U|", "L00Net Item Sales||R50" + amount(net) + (c.rate1 > 0 ? "|U|" : "||")};
    if (c.rate1 > 0) {
      expected.push_back("L00Sales subject to Shipping|R38" + amount(taxable1) + "|||");
    }
    expected.push_back("L00Shipping Charged||R50" + amount(charged1) + "|U|");
    expected.push_back("L00Sales subject to Sales Tax|R38" + amount(taxable2) + "|||");
    expected.push_back("L00Sales Tax Charged||R50" + amount(charged2) + "|U|");
    expected.push_back("L00Total||R50" + amount(net + charged1 + charged2) + "|U|");
    ASSERT_EQ(TaxSummary(*context, kFrom, kTo), 0);
    const std::vector<std::string> all = rows();
    EXPECT_EQ(all[2], "C25Tax report for 4/1/2026 through 4/30/2026|||B|");
    EXPECT_EQ(std::vector<std::string>(all.begin() + 5, all.end()), expected) << c.shipTax;
  }
}

}  // namespace
}  // namespace vt::reports
