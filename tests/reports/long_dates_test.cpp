// Reports under a short date longer than their layouts plan for: the date
// column is widened, so dates keep a blank on each side and the columns after
// them stay aligned.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "report_test_support.h"
#include "reports/customer_documents.h"
#include "reports/report_export.h"
#include "reports/sales_reports.h"

namespace vt::reports {
namespace {

TEST(WidenColumnTest, MovesTheLaterCodesAndTheWidthByWhatIsMissing) {
  const std::vector<std::string> codes = {"V00", "R07", "V08", "R17", "V18", "L20", "V40"};
  struct Case {
    size_t cell;
    int needed;
    std::vector<std::string> codes;
    int width;
  } cases[] = {
      {3, 9, codes, 40},
      {3, 11, {"V00", "R07", "V08", "R19", "V20", "L22", "V42"}, 42},
      {5, 23, {"V00", "R07", "V08", "R17", "V18", "L20", "V43"}, 43},
  };
  for (const Case& c : cases) {
    const ColumnLayout wider = WidenColumn({codes, 40}, c.cell, c.needed);
    EXPECT_EQ(wider.codes, c.codes) << c.cell << " " << c.needed;
    EXPECT_EQ(wider.width, c.width) << c.cell << " " << c.needed;
  }
}

// "17 Apr 2026": eleven characters for the days from the 10th.
std::string LongDate(const base::DateTime& date) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  return std::to_string(date.day) + " " + kMonths[date.month - 1] + " " + std::to_string(date.year);
}

class LongDatesTest : public testing::ReportTest {
 protected:
  void SetUp() override {
    shortDate = LongDate;
    ReportTest::SetUp();
    data::CustomerRecord customer;
    customer.cuno = 17;
    customer.addr1 = "Baker Bakery";
    data::testing::appendCustomer(*session, customer);
    for (int day : {3, 17, 28}) {
      const long recno = storeInvoice(100 + day, 17, {{"A", 1, 10}});
      session->invoices()->go(static_cast<uint32_t>(recno));
      session->LoadInvoice();
      session->Invoice.IDate = base::MakeDate(2026, 4, day);
      session->Invoice.Due = 10;
      session->StoreInvoice();
    }
  }

  // The export's lines that start with an invoice number (right-aligned
  // at column 7) or hold `heading` or "Totals".
  std::vector<std::string> columnLines(const std::string& heading) const {
    std::vector<std::string> lines;
    std::istringstream text(ExportText(doc, ExportForm::AlignedText));
    for (std::string line; std::getline(text, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const bool invoice = line.compare(0, 5, "    1") == 0;
      if (invoice || line.find(heading) != std::string::npos ||
          line.find("Totals") != std::string::npos) {
        lines.push_back(line);
      }
    }
    return lines;
  }
};

TEST_F(LongDatesTest, DatesKeepABlankOnEachSideAndTheAmountsStayAligned) {
  const base::DateTime from = base::MakeDate(2026, 4, 1), to = base::MakeDate(2026, 4, 30);
  CustomerDocuments documents(*session, doc, metrics, invoicing::plainViewTexts());
  struct Case {
    std::function<int()> run;
    std::string heading;
  } cases[] = {
      {[&] {
         documents.StartStatementReport();
         return documents.StatementsWithBalances(from, to);
       },
       "Amount Due"},
      // Last: the report closes the tables.
      {[&] { return SalesSummary(*context, from, to); }, "Total"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(c.run(), 0) << c.heading;
    const std::vector<std::string> lines = columnLines(c.heading);
    ASSERT_EQ(lines.size(), 5u) << c.heading;  // heading, three invoices, totals
    for (const std::string& line : lines) {
      EXPECT_EQ(line.size(), lines[0].size()) << line;
      const size_t date = line.find("Apr 2026");
      if (date == std::string::npos) continue;
      EXPECT_EQ(line[7], ' ') << line;  // after the invoice number
      EXPECT_EQ(line[date + 8], ' ') << line;
    }
  }
}

}  // namespace
}  // namespace vt::reports
