// Daily Income and Receivables: their rows, day totals and totals against
// payments and invoices written here.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "report_test_support.h"
#include "reports/sales_reports.h"

namespace vt::reports {
namespace {

using base::FloatText;
using base::MakeDate;

class IncomeReceivablesTest : public testing::ReportTest {
 protected:
  void invoice(int ivNo, int cuNo, const base::DateTime& date, const std::string& memo,
               double due) {
    data::testing::appendInvoice(*session, {ivNo, cuNo, "", date, memo, 0, 0, due, ""});
  }
};

TEST_F(IncomeReceivablesTest, DailyIncomeDatesFirstRowsAndTotalsLastRowsOfEachDay) {
  invoice(100, 7, MakeDate(2026, 4, 1), "Check 1234", 0);
  invoice(101, 7, MakeDate(2026, 4, 1), "Visa 4111", 0);
  const data::PaymentRecord payments[] = {
      {100, MakeDate(2026, 4, 2), 10},   {101, MakeDate(2026, 4, 1), 5.5},
      {999, MakeDate(2026, 4, 2), 2.25},  // no such invoice
      {100, MakeDate(2026, 4, 1), 1},    {101, MakeDate(2026, 3, 31), 7},
      {100, MakeDate(2026, 5, 1), 3}};
  for (const data::PaymentRecord& p : payments) data::testing::appendPayment(*session, p);
  auto amount = [](double v) { return "R58" + FloatText(v, 10, 2); };
  auto total = [](double v) { return "R71" + FloatText(v, 12, 2); };
  auto memo = [](const std::string& text) { return "L18" + text; };
  const std::vector<std::string> expected = {
      "V00|L014/1/2026|V10|R16101|V17|" + memo("Visa 4111") + "|V48|" + amount(5.5) +
          "|V59|R71|V72||",
      "V00|L01|V10|R16100|V17|" + memo("Check 1234") + "|V48|" + amount(1) + "|V59|" + total(6.5) +
          "|V72|U|",
      "V00|L014/2/2026|V10|R16100|V17|" + memo("Check 1234") + "|V48|" + amount(10) +
          "|V59|R71|V72||",
      "V00|L01|V10|R16999|V17|L18|V48|" + amount(2.25) + "|V59|" + total(12.25) + "|V72|U|",
      "V00|L01Total Payments|||||||V59|" + total(18.75) + "|V72|U|"};
  ASSERT_EQ(IncomeSummary(*context, MakeDate(2026, 4, 1), MakeDate(2026, 4, 30)), 0);
  EXPECT_EQ(lastRows(expected.size()), expected);
  EXPECT_EQ(doc.rows()[2][0], "C36Daily Income from 4/1/2026 through 4/30/2026");
  EXPECT_EQ(IncomeSummary(*context, MakeDate(2026, 4, 3), MakeDate(2026, 4, 30)), kNoPayments);
  EXPECT_EQ(session->payments(), nullptr);
}

TEST_F(IncomeReceivablesTest, ReceivablesListEveryNonZeroDueWithItsCustomerAndAge) {
  for (const auto& [cuno, title, first, last, company] :
       {std::tuple{7, "Mr.", "John ", "Smith", "Acme Co"}, {8, "", "Ann", "Lee", "  Beta Ltd"}}) {
    data::CustomerRecord customer;
    customer.cuno = cuno;
    customer.title = title;
    customer.first = first;
    customer.last = last;
    customer.addr1 = company;
    data::testing::appendCustomer(*session, customer);
  }
  invoice(102, 8, MakeDate(2026, 4, 10), "", -5);
  invoice(100, 7, MakeDate(2026, 4, 17), "", 20);
  invoice(101, 7, MakeDate(2026, 1, 1), "", 0);
  invoice(103, 99, MakeDate(2026, 3, 1), "", 12.5);  // no such customer
  const struct {
    bool byName;
    std::string first, second;
  } cases[] = {{true, "Mr. John Smith", "Ann Lee"}, {false, "Acme Co", "Beta Ltd"}};
  for (const auto& c : cases) {
    session->settings.ByCust = c.byName;
    auto amount = [](double v) { return "R69" + FloatText(v, 10, 2); };
    const std::vector<std::string> expected = {
        "V00|R07100|V08|L10" + c.first + "|V50|R550|V57|" + amount(20) + "|V71||",
        "V00|R07102|V08|L10" + c.second + "|V50|R557|V57|" + amount(-5) + "|V71||",
        "V00|R07103|V08|L10UNKNOWN|V50|R5547|V57|" + amount(12.5) + "|V71|U|",
        "V00|L01Total Receivables|||||V57|" + amount(27.5) + "|V71|U|"};
    ASSERT_EQ(Receivables(*context), 0);
    EXPECT_EQ(lastRows(expected.size()), expected) << c.byName;
    EXPECT_EQ(session->customers(), nullptr);
  }
}

}  // namespace
}  // namespace vt::reports
