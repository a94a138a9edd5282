// Invoices, bills and statements as documents: their rows for invoices
// written to the tables, the page breaks between and inside them, and the
// invoices a statement lists.
#include "reports/customer_documents.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/text1252.h"
#include "report_test_support.h"

namespace vt::reports {
namespace {

using invoicing::testing::Line;

class Metrics final : public PageMetrics {
 public:
  explicit Metrics(int lines) : lines_(lines) {}
  int linesPerPage() const override { return lines_; }
  double resolutionY() const override { return 100; }
  double rowHeight() const override { return 20; }
  bool fits(const std::string& line, int width) const override {
    return static_cast<int>(base::fromUtf8(line).size()) <= width;
  }

 private:
  int lines_;
};

class CustomerDocumentsTest : public invoicing::testing::InvoiceModelTest {
 protected:
  void SetUp() override {
    InvoiceModelTest::SetUp();
    data::Settings& s = session->settings;
    s.Company = "Harbor Supply";
    s.Addr1 = "1 Dock St";
    s.Addr2 = "Portland";
    s.ShipLine = "Shipping";
    s.TaxLine = "Sales Tax";
    s.LHJustify = 1;
    data::CustomerRecord c;
    c.cuno = 17;
    c.last = "Baker";
    c.addr1 = "Baker Bakery";
    c.zip = "97201";
    data::testing::appendCustomer(*session, c);
    data::ProductRecord p;
    p.PrID = "AB1";
    p.RCode = "AB-";
    p.PMemo = "Keep dry.";
    data::testing::appendProduct(*session, p);
    documents =
        std::make_unique<CustomerDocuments>(*session, doc, metrics, invoicing::plainViewTexts());
  }

  // An invoice of customer 17 with `due` stored, dated `day` of `month`.
  long invoice(int ivNo, const std::vector<Line>& items, double due, int day = 17, int month = 4) {
    const long recno = storeInvoice(ivNo, 17, items, {5.0});
    session->invoices()->go(static_cast<uint32_t>(recno));
    session->LoadInvoice();
    session->Invoice.Due = due;
    session->Invoice.IDate = base::MakeDate(2026, month, day);
    session->Invoice.IMemo = "Visa";
    session->Invoice.REM = "line one\r\nline two";
    session->StoreInvoice();
    return recno;
  }

  std::vector<std::string> rows() const { return testing::JoinedRows(doc); }
  bool has(const std::string& row) const {
    const std::vector<std::string> all = rows();
    return std::find(all.begin(), all.end(), row) != all.end();
  }
  long count(const std::string& prefix) const {
    const std::vector<std::string> all = rows();
    return std::count_if(all.begin(), all.end(),
                         [&](const std::string& r) { return r.rfind(prefix, 0) == 0; });
  }

  ReportDoc doc;
  Metrics metrics{60};
  std::unique_ptr<CustomerDocuments> documents;
};

TEST_F(CustomerDocumentsTest, AnInvoiceWithCommentLicenceProductTextAndRemarks) {
  session->ItemLines.clear();
  const long recno = invoice(100, {{"AB1", 3, 12.5, true}}, 32.5);
  session->items()->top();
  session->items()->field("IComm")->assign("gift wrapped");
  session->items()->flush();
  documents->StartInvoiceReport();
  ASSERT_EQ(documents->AddInvoice(recno, true), 0);
  const std::vector<std::string> all = rows();
  EXPECT_EQ(all[0], "L00Harbor Supply|||||||||||B|");
  EXPECT_TRUE(has("C36Invoice|||||||||||B|"));
  EXPECT_TRUE(has("L00To:|L10Baker Bakery|R60Invoice No:|L62100|||||||||"));
  EXPECT_TRUE(has("V00|L01AB1|V12|L13|V41|R49   12.50|V50|R59     3.00|V60|R72       37.50|V73||"));
  EXPECT_TRUE(has("V00||V12|L13gift wrapped|V41||V50||V60||V73||"));
  EXPECT_TRUE(has("V00||V12|L13License No. AB-17|V41||V50||V60||V73|U|"));
  EXPECT_TRUE(has("L01Visa|||||||R59SubTotal:|V60|R72       37.50|V73||"));
  EXPECT_TRUE(has("|||||||R59Amount Paid:|V60|R72        5.00|V73||"));
  EXPECT_TRUE(has("|||||||R59Balance Due:|V60|R72       32.50|V73||"));
  EXPECT_EQ(count("L00Page"), 0);
  const std::vector<std::string> tail(all.end() - 6, all.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"||||||||||H6073||", "||||||||||||",
                                            "L00Keep dry.||||||||||||", "||||||||||||",
                                            "L00line one||||||||||||", "L00line two||||||||||||"}));
}

TEST_F(CustomerDocumentsTest, InvoicesOfARunEachStartAPageAndBreakUnderTheirHeadings) {
  std::vector<Line> many(30, Line{"ZZ", 1, 1});
  invoice(100, {{"AB1", 1, 2}}, 0, 10);
  invoice(101, many, 0, 11);
  invoice(102, {{"AB1", 1, 2}}, 0, 30);  // after the span
  Metrics shortPages(40);
  CustomerDocuments run(*session, doc, shortPages, invoicing::plainViewTexts());
  run.StartInvoiceReport();
  ASSERT_EQ(run.InvoicesByDates(base::MakeDate(2026, 4, 1), base::MakeDate(2026, 4, 20), false), 0);
  EXPECT_EQ(count("EJECT"), 0) << "bills only for invoices with something due";
  ASSERT_EQ(run.InvoicesByDates(base::MakeDate(2026, 4, 1), base::MakeDate(2026, 4, 20), true), 0);
  const std::vector<std::string> all = rows();
  EXPECT_EQ(std::count_if(all.begin(), all.end(),
                          [](const std::string& r) { return r.find("|L62102|") != r.npos; }),
            0);
  EXPECT_EQ(count("EJECT"), 2);  // before the second invoice and inside it
  EXPECT_EQ(count("L00Page"), 1);
  const std::string date = session->shortDateText(data::testing::kTestNow);
  const auto page2 =
      std::find(all.begin(), all.end(), "L00Page 2|R73" + date + "|" + std::string(10, '|'));
  ASSERT_NE(page2, all.end());
  EXPECT_EQ(*(page2 - 1), "EJECT||||||||||||");
  EXPECT_EQ((page2 - 2)->substr(0, 4), "V00|");
  EXPECT_EQ((page2 - 2)->substr((page2 - 2)->size() - 3), "|U|");
  EXPECT_EQ(*(page2 + 2), "C36Invoice|||||||||||B|");
  EXPECT_EQ(*(page2 + 7),
            "V00|L01Item Code|V12|L13Description|V41|R49Price|V50|R59Qty|V60|R72Total|V73|U|");
}

TEST_F(CustomerDocumentsTest, StatementsListDueAndCreditInvoicesOfTheSpanWithTotals) {
  invoice(100, {{"AB1", 1, 10}}, 10);
  invoice(101, {{"AB1", 1, 5}}, 0);
  invoice(102, {{"AB1", 1, 5}}, -5);
  documents->StartStatementReport();
  ASSERT_EQ(
      documents->StatementsWithBalances(base::MakeDate(2026, 4, 1), base::MakeDate(2026, 4, 30)),
      0);
  EXPECT_EQ(count("V00|R07"), 3);  // the heading and two invoices
  EXPECT_TRUE(
      has("V00|R07   100|V09|R184/17/2026|V20|R31      10.00|V33|R44       5.00|V46|R57      "
          "10.00|V59||"));
  EXPECT_TRUE(
      has("V00|R07   102|V09|R184/17/2026|V20|R31       5.00|V33|R44       5.00|V46|R57      "
          "-5.00|V59|U|"));
  EXPECT_TRUE(has("|R18Totals|||V20|R31      15.00|V33|R44      10.00|V46|R57       5.00|V59||"));
  EXPECT_TRUE(has("||||||||||H2059||"));
}

TEST_F(CustomerDocumentsTest, StatementsListOlderOpenInvoicesFirstSoTheAmountDueIsOwed) {
  invoice(90, {{"AB1", 1, 20}}, 20, 2, 3);  // March 2nd: before the span, still open
  invoice(91, {{"AB1", 1, 5}}, 0, 3, 3);    // paid: not listed
  invoice(100, {{"AB1", 1, 10}}, 10);
  documents->StartStatementReport();
  ASSERT_EQ(
      documents->StatementsWithBalances(base::MakeDate(2026, 4, 1), base::MakeDate(2026, 4, 30)),
      0);
  const std::vector<std::string> all = rows();
  const auto at = [&all](const std::string& prefix) {
    return std::find_if(all.begin(), all.end(),
                        [&](const std::string& r) { return r.rfind(prefix, 0) == 0; }) -
           all.begin();
  };
  const long older = at("V00|L01Earlier invoices still open:");
  const long span = at("V00|L01Invoices dated 4/1/2026 to 4/30/2026:");
  EXPECT_LT(older, at("V00|R07    90|"));
  EXPECT_LT(at("V00|R07    90|"), span);
  EXPECT_LT(span, at("V00|R07   100|"));
  EXPECT_EQ(count("V00|R07    91|"), 0);
  EXPECT_TRUE(has("|R18Totals|||V20|R31      30.00|V33|R44      10.00|V46|R57      30.00|V59||"));
}

TEST_F(CustomerDocumentsTest, ACustomerOwingOnlyForOlderInvoicesStillGetsAStatement) {
  invoice(90, {{"AB1", 1, 20}}, 20, 2, 3);
  documents->StartStatementReport();
  ASSERT_EQ(
      documents->StatementsWithBalances(base::MakeDate(2026, 4, 1), base::MakeDate(2026, 4, 30)),
      0);
  EXPECT_EQ(count("V00|R07    90|"), 1);
  EXPECT_TRUE(has("|R18Totals|||V20|R31      20.00|V33|R44       5.00|V46|R57      20.00|V59||"));
}

// On the tests' date, April 17th: 97, 46 and 0 days old, each paid 5.00.
TEST_F(CustomerDocumentsTest, StatementsEndWithTheBalanceByAgeAsReceivablesAgingHasIt) {
  invoice(80, {{"AB1", 1, 20}}, 15, 10, 1);
  invoice(90, {{"AB1", 1, 20}}, 15, 2, 3);
  invoice(100, {{"AB1", 1, 10}}, 5);
  documents->StartStatementReport();
  ASSERT_EQ(
      documents->StatementsWithBalances(base::MakeDate(2026, 4, 1), base::MakeDate(2026, 4, 30)),
      0);
  AgingByCustomer aging;
  ASSERT_EQ(CollectAging(*session, data::testing::kTestNow, aging), 0);
  EXPECT_EQ(aging[17].brackets, (std::array<base::Cents, kAgingBrackets>{500, 1500, 0, 1500}));
  const std::vector<std::string> all = rows();
  ASSERT_GE(all.size(), 3u);
  EXPECT_EQ(all[all.size() - 3], "|L01Amount due by age on 4/17/2026:|||||||||||");
  EXPECT_EQ(all.back(), "|||R18       5.00||R31      15.00||R44       0.00||R57      15.00|||");
}

TEST_F(CustomerDocumentsTest, LongTextKeepsEveryCharacter) {
  documents->StartInvoiceReport();
  std::vector<std::string> lines;
  // 70 two-byte characters carried to the next line whole.
  std::string accented;
  for (int i = 0; i < 70; ++i) accented += "\u00e9";
  ASSERT_TRUE(documents->SplitText("ab " + accented + "c", lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"ab ", accented + "c"}));
}

TEST_F(CustomerDocumentsTest, LongTextBreaksAtTheLastBlankThatFits) {
  documents->StartInvoiceReport();
  std::vector<std::string> lines;
  EXPECT_FALSE(documents->SplitText("  \r\n ", lines));
  const std::string word(70, 'w');
  ASSERT_TRUE(documents->SplitText(word + " tail end\nnext", lines));
  EXPECT_EQ(lines, (std::vector<std::string>{word + " ", "tail end", "next"}));
}

}  // namespace
}  // namespace vt::reports
