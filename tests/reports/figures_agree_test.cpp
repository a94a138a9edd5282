// Every report counts the records the windows show: records marked deleted
// are left out of aging, the chart, statements and their files; aging ties
// to the Receivables total and to each statement's Amount Due to the cent,
// even where a stored Due differs from the sum of its invoice by a cent; CSV
// writes dates as dates whatever the short date; a customer without a
// company keeps every column of the row in the exports.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/text1252.h"
#include "report_test_support.h"
#include "reports/customer_documents.h"
#include "reports/month_sales.h"
#include "reports/receivables_aging.h"
#include "reports/report_cells.h"
#include "reports/report_csv.h"
#include "reports/report_export.h"
#include "reports/sales_reports.h"

namespace vt::reports {
namespace {

using base::MakeDate;
using data::testing::kTestNow;

void MarkDeleted(engine::Table& table) {
  table.go(table.recCount());
  table.deleteRecord();
  ASSERT_EQ(table.flush(), 0);
}

// The plain values of the cells of the row `below` the first row whose
// cell `c` shows `text`.
std::vector<std::string> ValuesOfRow(const ReportDoc& doc, size_t c, const std::string& text,
                                     size_t below = 0) {
  for (size_t r = 0; r + below < doc.rows().size(); ++r) {
    const ReportRow& row = doc.rows()[r];
    if (c + 1 >= row.size() || ParseCell(row[c]).text != text) continue;
    std::vector<std::string> values;
    for (const std::string& text : doc.rows()[r + below]) {
      const ReportCell cell = ParseCell(text);
      values.push_back(cell.value ? *cell.value : base::trim(cell.text));
    }
    return values;
  }
  ADD_FAILURE() << "no row " << text;
  return {};
}

class FiguresAgreeTest : public testing::ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    ASSERT_TRUE(session->OpenCustomers());
    // 7 with a company, 8 without one, 9 marked deleted.
    for (const auto& [cuno, title, first, last, company, zip] :
         {std::tuple{7, "Ms  ", "Ann", "Lee", "Acme", "10001"},
          {8, "", "Bob", "Ray", "", "20002"},
          {9, "", "Cy", "Dee", "Dee Co", "30003"}}) {
      data::CustomerRecord customer;
      customer.cuno = cuno;
      customer.title = title;
      customer.first = first;
      customer.last = last;
      customer.addr1 = company;
      customer.zip = zip;
      data::testing::appendCustomer(*session, customer);
    }
    MarkDeleted(*session->customers());
    // Invoice 101 sums to 105.00 less 25.00 paid, but the older program
    // stored 80.01 as its Due. Its second item and second payment are
    // marked deleted.
    data::testing::appendInvoice(*session,
                                 {101, 7, "", MakeDate(2026, 3, 10), "", 5, 0, 80.01, ""});
    data::testing::appendItem(*session, {101, "A", 1, 100, false, false, "", ""});
    data::testing::appendItem(*session, {101, "B", 1, 999.99, false, false, "", ""});
    MarkDeleted(*session->items());
    data::testing::appendPayment(*session, {101, MakeDate(2026, 3, 20), 25});
    data::testing::appendPayment(*session, {101, MakeDate(2026, 3, 21), 150});
    MarkDeleted(*session->payments());
    // Invoices 102 (customer 7) and 103 (customer 9) are marked deleted.
    data::testing::appendInvoice(*session, {102, 7, "", MakeDate(2026, 3, 15), "", 7, 0, 580, ""});
    MarkDeleted(*session->invoices());
    data::testing::appendItem(*session, {102, "A", 1, 573, false, false, "", ""});
    data::testing::appendInvoice(*session, {103, 9, "", MakeDate(2026, 4, 2), "", 0, 0, 50, ""});
    MarkDeleted(*session->invoices());
    data::testing::appendInvoice(*session, {104, 8, "", MakeDate(2026, 4, 1), "", 0, 0, 40, ""});
    data::testing::appendItem(*session, {104, "A", 1, 40, false, false, "", ""});
    session->settings.ByCust = false;
  }

  void reopen() {
    ASSERT_TRUE(session->OpenCustomers() && session->OpenInvoices() && session->OpenItems() &&
                session->OpenPayments() && session->OpenProducts() && session->OpenGroups());
  }
};

TEST_F(FiguresAgreeTest, AgingTiesToReceivablesAndLeavesOutDeletedRecords) {
  ASSERT_EQ(Receivables(*context), 0);
  const std::vector<std::string> receivables = ValuesOfRow(doc, 1, "Total Receivables");
  ASSERT_EQ(receivables.at(7), "120.01");
  ASSERT_EQ(ReceivablesAging(*context, kTestNow, false), 0);
  const std::vector<std::string> acme = ValuesOfRow(doc, 1, "Acme");
  EXPECT_EQ((std::vector<std::string>(acme.begin() + 3, acme.begin() + 12)),
            (std::vector<std::string>{"0.00", "", "80.01", "", "0.00", "", "0.00", "", "80.01"}));
  EXPECT_EQ(ValuesOfRow(doc, 1, "Bob Ray").at(3), "40.00");
  EXPECT_EQ(ValuesOfRow(doc, 1, "Totals").at(11), receivables.at(7));
  EXPECT_EQ(ValuesOfRow(doc, 1, "Percent of Total").at(5), "66.67");
  for (const ReportRow& row : doc.rows()) {
    EXPECT_NE(ParseCell(row[1]).text, "Dee Co");
    EXPECT_NE(ParseCell(row[1]).text, "UNKNOWN");
  }
}

TEST_F(FiguresAgreeTest, ChartMonthsCountOnlyLiveInvoicesItemsAndPayments) {
  std::vector<MonthSales> months;
  ASSERT_EQ(CollectMonthSales(*context, MakeDate(2026, 3, 1), MakeDate(2026, 4, 30), months), 0);
  ASSERT_EQ(months.size(), 2u);
  EXPECT_EQ(months[0].items.value(), 100);
  EXPECT_EQ(months[0].ship.value(), 5);
  EXPECT_EQ(months[0].payments.value(), 25);
  EXPECT_EQ(months[1].items.value(), 40);
}

TEST_F(FiguresAgreeTest, StatementsGoToLiveInvoicesAndTheirAgeLinesAddUpToTheAmountDue) {
  reopen();
  CustomerDocuments documents(*session, doc, metrics, invoicing::plainViewTexts());
  documents.StartStatementReport();
  ASSERT_EQ(documents.StatementsWithBalances(MakeDate(2026, 4, 1), MakeDate(2026, 4, 30)), 0);
  std::vector<std::string> names;
  for (const DocumentPart& part : doc.documents()) names.push_back(part.name);
  EXPECT_EQ(names, (std::vector<std::string>{"statement-000007", "statement-000008"}));
  const ReportDoc first = doc.extract(doc.documents().front().rows);
  EXPECT_EQ(ValuesOfRow(first, 1, "Totals").at(9), "80.01");
  // The figures stand under the age lines' own captions.
  const std::vector<std::string> ages = ValuesOfRow(first, 3, "0-30 Days", 1);
  EXPECT_EQ((std::vector<std::string>{ages.at(3), ages.at(5), ages.at(7), ages.at(9)}),
            (std::vector<std::string>{"0.00", "80.01", "0.00", "0.00"}));
}

// Dates read back with a two-digit year once came out a century early.
TEST_F(FiguresAgreeTest, CsvWritesDatesAsDatesWhateverTheShortDate) {
  const std::function<std::string(const base::DateTime&)> shortDates[] = {
      [](const base::DateTime& d) {
        return std::to_string(d.month) + "/" + std::to_string(d.day) + "/" +
               std::to_string(d.year % 100);
      },
      [](const base::DateTime& d) {
        char text[16];
        std::snprintf(text, sizeof text, "%02d.%02d.%02d", d.day, d.month, d.year % 100);
        return std::string(text);
      }};
  for (const auto& form : shortDates) {
    shortDate = form;
    session = newSession();
    context = std::make_unique<ReportContext>(
        ReportContext{*session, doc, metrics, invoicing::plainViewTexts(), nullptr});
    ASSERT_EQ(SalesSummary(*context, MakeDate(2026, 3, 1), MakeDate(2026, 4, 30)), 0);
    const std::string csv = CsvText(doc);
    EXPECT_NE(csv.find("2026-03-10"), std::string::npos) << csv;
    EXPECT_NE(csv.find("2026-04-01"), std::string::npos) << csv;
    EXPECT_EQ(csv.find("1926"), std::string::npos) << csv;
  }
}

// Ordered by company, the customer without one is listed by name, and the
// row keeps its first field in every export.
TEST_F(FiguresAgreeTest, ACustomerWithoutACompanyKeepsEveryColumn) {
  ASSERT_EQ(Receivables(*context), 0);
  const std::string tsv = ExportText(doc, ExportForm::TabDelimited);
  const std::string txt = ExportText(doc, ExportForm::AlignedText);
  const std::string csv = CsvText(doc);
  EXPECT_NE(tsv.find("\r\n101\tAcme\t"), std::string::npos) << tsv;
  EXPECT_NE(tsv.find("\r\n104\tBob Ray\t"), std::string::npos) << tsv;
  EXPECT_NE(csv.find("\r\n104,Bob Ray,16,40.00\r\n"), std::string::npos) << csv;
  const size_t bob = txt.find("Bob Ray"), acme = txt.find("Acme");
  ASSERT_NE(bob, std::string::npos);
  EXPECT_EQ(bob - txt.rfind('\n', bob), acme - txt.rfind('\n', acme));
  // The title's blanks are not doubled.
  session->settings.ByCust = true;
  ASSERT_EQ(Receivables(*context), 0);
  EXPECT_NE(CsvText(doc).find(",Ms Ann Lee,"), std::string::npos);
}

}  // namespace
}  // namespace vt::reports
