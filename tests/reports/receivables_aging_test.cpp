// Receivables Aging: the bracket edges, payments after the day, credits,
// and the totals and shares against sums made here.
#include "reports/receivables_aging.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>

#include "base/text1252.h"
#include "report_test_support.h"

namespace vt::reports {
namespace {

using base::MakeDate;

const base::DateTime kAsOf = MakeDate(2026, 6, 30);

base::DateTime DaysBefore(int days) {
  using namespace std::chrono;
  const year_month_day day{sys_days{2026y / June / 30} - std::chrono::days{days}};
  return MakeDate(static_cast<int>(day.year()),
                  static_cast<int>(static_cast<unsigned>(day.month())),
                  static_cast<int>(static_cast<unsigned>(day.day())));
}

struct Sale {
  int ivNo, cuNo, age;
  double qty, price, ship, tax;
  std::vector<std::pair<int, double>> payments;  // age of the payment's day, amount
  int bracket;                                   // -1: nothing owed on the day
  double owed;
};

// Ages -1 are after the day.
const Sale kSales[] = {
    {201, 7, 30, 2, 10.25, 1.5, 0.75, {{0, 2.75}}, 0, 20},  // 20.50 + 2.25 - 2.75
    {202, 7, 31, 1, 100, 0, 0, {{-1, 40}}, 1, 100},         // paid after the day
    {203, 7, 60, 1, 10, 0, 0, {}, 1, 10},
    {204, 7, 61, 1, 5, 0, 0, {}, 2, 5},
    {205, 7, 90, 1, 7, 0, 0, {}, 2, 7},
    {206, 7, 91, 0, 0, 0, 0, {{80, 15}}, 3, -15},  // a credit
    {207, 7, 0, 1, 9, 0, 0, {{0, 9}}, -1, 0},      // paid in full
    {208, 7, -1, 1, 9, 0, 0, {}, -1, 0},           // dated after the day
    {209, 8, 100, 1, 50, 0, 0, {}, 3, 50},
};

class ReceivablesAgingTest : public testing::ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    for (const auto& [cuno, first, last] : {std::tuple{7, "Ann", "Lee"}, {8, "Bob", "Ray"}}) {
      data::CustomerRecord customer;
      customer.cuno = cuno;
      customer.first = first;
      customer.last = last;
      data::testing::appendCustomer(*session, customer);
    }
    for (const Sale& s : kSales) {
      // Due as the invoice editor stores it: what is owed after every payment.
      double due = s.qty * s.price + s.ship + s.tax;
      for (const auto& [age, amount] : s.payments) due -= amount;
      data::testing::appendInvoice(
          *session, {s.ivNo, s.cuNo, "", DaysBefore(s.age), "", s.ship, s.tax, due, ""});
      if (s.qty != 0)
        data::testing::appendItem(*session, {s.ivNo, "A", s.qty, s.price, false, false, "", ""});
      for (const auto& [age, amount] : s.payments) {
        data::testing::appendPayment(*session, {s.ivNo, DaysBefore(age), amount});
      }
    }
    session->settings.ByCust = true;
  }

  // The row whose name cell is `name`, from row `from`.
  size_t rowOf(const std::string& name, size_t from = 0) const {
    for (size_t r = from; r < doc.rows().size(); ++r) {
      if (doc.rows()[r][1] == "L01" + name) return r;
    }
    ADD_FAILURE() << "no row " << name;
    return 0;
  }
  // The texts of the four brackets and the total of row `r`, the first in
  // cell `first` (3, or 9 with detail).
  std::array<std::string, 5> figures(size_t r, size_t first = 3) const {
    std::array<std::string, 5> out;
    for (size_t i = 0; i < out.size(); ++i) {
      out[i] = base::trim(ParseCell(doc.rows()[r][first + 2 * i]).text);
    }
    return out;
  }
};

std::string Amount(double value) {
  return base::trim(base::FloatText(value, 10, 2));
}

TEST_F(ReceivablesAgingTest, CustomersBracketsTotalsAndShares) {
  ASSERT_EQ(ReceivablesAging(*context, kAsOf, false), 0);
  std::array<double, 4> totals{};
  for (const auto& [cuno, name] : {std::pair{7, "Ann Lee"}, {8, "Bob Ray"}}) {
    std::array<double, 4> owed{};
    for (const Sale& s : kSales) {
      if (s.cuNo == cuno && s.bracket >= 0) owed[static_cast<size_t>(s.bracket)] += s.owed;
    }
    const double sum = owed[0] + owed[1] + owed[2] + owed[3];
    EXPECT_EQ(figures(rowOf(name)),
              (std::array<std::string, 5>{Amount(owed[0]), Amount(owed[1]), Amount(owed[2]),
                                          Amount(owed[3]), Amount(sum)}))
        << name;
    for (size_t b = 0; b < 4; ++b) totals[b] += owed[b];
  }
  const double all = totals[0] + totals[1] + totals[2] + totals[3];
  EXPECT_EQ(figures(rowOf("Totals")),
            (std::array<std::string, 5>{Amount(totals[0]), Amount(totals[1]), Amount(totals[2]),
                                        Amount(totals[3]), Amount(all)}));
  std::array<std::string, 5> shares;
  for (size_t b = 0; b < 4; ++b) shares[b] = Amount(100 * totals[b] / all) + "%";
  shares[4] = "100.00%";
  EXPECT_EQ(figures(rowOf("Percent of Total")), shares);
  EXPECT_LT(rowOf("Ann Lee"), rowOf("Bob Ray"));
  EXPECT_EQ(session->invoices(), nullptr);
}

TEST_F(ReceivablesAgingTest, DetailGivesEachOpenInvoiceItsOwnColumnsOldestFirst) {
  ASSERT_EQ(ReceivablesAging(*context, kAsOf, true), 0);
  size_t r = rowOf("Ann Lee") + 1;
  for (const int ivNo : {206, 205, 204, 203, 202, 201}) {
    const Sale& sale = *std::find_if(std::begin(kSales), std::end(kSales),
                                     [ivNo](const Sale& s) { return s.ivNo == ivNo; });
    const ReportRow& row = doc.rows()[r];
    EXPECT_EQ(ParseCell(row[1]).text, "");
    EXPECT_EQ(base::trim(ParseCell(row[3]).text), std::to_string(ivNo));
    EXPECT_EQ(ParseCell(row[5]).value, base::IsoDate(DaysBefore(sale.age)));
    EXPECT_EQ(base::trim(ParseCell(row[7]).text), std::to_string(sale.age));
    std::array<std::string, 5> expected{};
    expected[static_cast<size_t>(sale.bracket)] = Amount(sale.owed);
    EXPECT_EQ(figures(r, 9), expected) << ivNo;
    ++r;
  }
  EXPECT_EQ(doc.rows()[r][1], "L01Bob Ray");
}

TEST_F(ReceivablesAgingTest, NothingOwedOnTheDayMakesNoDocument) {
  EXPECT_EQ(ReceivablesAging(*context, MakeDate(2025, 1, 1), false), kNoInvoices);
  EXPECT_TRUE(doc.empty());
}

}  // namespace
}  // namespace vt::reports
