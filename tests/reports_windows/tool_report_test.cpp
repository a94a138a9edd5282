// `vantrell-tool report` writes the very document the report window would
// export, and refuses bad choices with a message and a failing exit.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "base/dialogs.h"
#include "base/program_exit.h"
#include "demo_test_support.h"
#include "invoicing/locale_view_texts.h"
#include "reports/customer_documents.h"
#include "reports/printer_metrics.h"
#include "reports/report_export.h"
#include "ui/printer_state.h"
#include "ui/report_font.h"
#include "ui/session_options.h"

namespace vt::reports {
namespace {

using data::testing::runTool;

std::string fileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

class ToolReport : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    data::testing::makeDemoDir(path());
  }
  static void TearDownTestSuite() { delete dir_; }
  static std::string path() { return dir_->path().toStdString() + "/data"; }

  // What the report window gets for invoices 1001 and 1002 one by one.
  static std::string windowExport() {
    base::ScriptedDialogs dialogs;
    base::ThrowingExit exit;
    data::DataSession s(path(), dialogs, exit, ui::LocaleSessionOptions());
    EXPECT_TRUE(s.OpenSettings() && s.ReadSettings() == 0);
    s.CloseSettings();
    EXPECT_TRUE(s.OpenCustomers() && s.OpenGroups() && s.OpenInvoices() && s.OpenItems() &&
                s.OpenPayments() && s.OpenProducts());
    const QFont font = ui::ReportFontFromSettings(s.settings, ui::DesignReportFont());
    const ui::PrinterState printers;
    const auto metrics = CurrentPageMetrics(printers, font);
    const invoicing::LocaleViewTexts texts;
    ReportDoc doc;
    CustomerDocuments documents(s, doc, *metrics, texts);
    documents.StartInvoiceReport();
    s.invoices()->selectTag(s.invoices()->tag("Inv"));
    for (const char* key : {"  1001", "  1002"}) {
      EXPECT_EQ(s.invoices()->seek(key), engine::Result::Success);
      EXPECT_EQ(documents.AddInvoice(static_cast<long>(s.invoices()->recNo()), true), 0);
    }
    return ExportText(doc, ExportForm::TabDelimited);
  }

  static QTemporaryDir* dir_;
};

QTemporaryDir* ToolReport::dir_ = nullptr;

TEST_F(ToolReport, WritesTheDocumentTheReportWindowExports) {
  const std::string out = dir_->path().toStdString() + "/invoices.asc";
  const auto run = runTool({"report", "invoices", "--data", path(), "--format", "tsv", "--out", out,
                            "--invoices", "1001,1002"});
  ASSERT_EQ(run.code, 0) << run.err;
  const std::string written = fileText(out);
  EXPECT_NE(written.find("Invoice No:\t1002"), std::string::npos);
  EXPECT_EQ(written, windowExport());
}

TEST_F(ToolReport, BadChoicesAreToldAndFail) {
  const std::string out = dir_->path().toStdString() + "/none.txt";
  struct Case {
    std::vector<std::string> choices;
    int code;
    std::string message;
  };
  const Case cases[] = {
      {{"invoices", "--invoices", "999999"}, 1, "no invoice 999999"},
      {{"bills", "--from", "2001-01-01", "--to", "2001-01-31"}, 1, "nothing to report"},
      {{"statements", "--customers", "1", "--from", "2026-01-01"}, 2, "either --from/--to"},
      {{"invoices", "--from", "2026-02-30", "--to", "2026-03-01"}, 2, "not a date"},
      {{"ledger", "--from", "2026-01-01", "--to", "2026-03-01"}, 2, "unknown report"},
      {{"sales-summary", "--invoices", "1001"}, 2, "takes --from D --to D only"},
      {{"product-buyers", "--product", "NOPE", "--from", "2026-01-01", "--to", "2026-12-31"},
       1,
       "no product NOPE"},
      {{"tax-summary", "--from", "2001-01-01", "--to", "2001-01-31"}, 1, "No Invoices within"},
      {{"inventory"}, 2, "inventory needs --as-of D"},
      {{"stock-on-hand", "--as-of", "2026-01-01"}, 2, "--as-of goes with inventory and aging"},
      {{"aging"}, 2, "aging needs --as-of D"},
      {{"inventory", "--as-of", "2026-01-01", "--detail"}, 2, "--detail goes with aging only"},
      {{"profile", "--customers", "1", "--groups", "1"}, 2, "either --customers"},
      {{"profile", "--customers", "999999"}, 1, "no customer 999999"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"report", "--data", path(), "--format", "txt", "--out", out};
    args.insert(args.end(), c.choices.begin(), c.choices.end());
    const auto run = runTool(args);
    EXPECT_EQ(run.code, c.code) << c.choices[0];
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(out)));
  }
}

TEST_F(ToolReport, EachInvoiceGoesToAFileOfItsOwnAndAFailedOneLeavesNoFile) {
  const QDir each(dir_->path() + "/each");
  auto run = runTool({"report", "invoices", "--data", path(), "--format", "pdf", "--each",
                      each.path().toStdString(), "--invoices", "1001,1002"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(each.entryList(QDir::Files), (QStringList{"invoice-001001.pdf", "invoice-001002.pdf"}));
  EXPECT_EQ(fileText(each.filePath("invoice-001002.pdf").toStdString()).rfind("%PDF", 0), 0u);

  // A file that cannot take the place of a directory of the same name.
  ASSERT_TRUE(QFile::remove(each.filePath("invoice-001002.pdf")));
  ASSERT_TRUE(each.mkdir("invoice-001002.pdf"));
  run = runTool({"report", "invoices", "--data", path(), "--format", "pdf", "--each",
                 each.path().toStdString(), "--invoices", "1001,1002,1003"});
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.err.find("Unable to save to: " + each.filePath("invoice-001002.pdf").toStdString()),
            std::string::npos)
      << run.err;
  EXPECT_EQ(each.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            (QStringList{"invoice-001001.pdf", "invoice-001002.pdf"}));
}

// Each report of products, stock and customers, written from the demo
// business under its own title.
TEST_F(ToolReport, StockReportsAndProfilesAreWrittenWithTheirTitles) {
  const std::string out = dir_->path().toStdString() + "/stock.txt";
  const struct {
    std::vector<std::string> choices;
    const char* title;
  } cases[] = {
      {{"product-listing"}, "Product Listing"},
      {{"stock-on-hand"}, "Stock On-Hand as of "},
      {{"inventory", "--as-of", "2026-12-31"}, "Inventory as of "},
      {{"aging", "--as-of", "2030-12-31", "--detail"}, "Receivables Aging as of "},
      {{"purchasing", "--from", "2000-01-01", "--to", "2030-12-31"}, "Purchasing Report for "},
      {{"cost-of-goods", "--from", "2026-01-01", "--to", "2026-12-31"}, "Cost of Goods Sold from "},
      {{"profile", "--groups", "1"}, "Cust#: "},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"report", "--data", path(), "--format", "txt", "--out", out};
    args.insert(args.end(), c.choices.begin(), c.choices.end());
    const auto run = runTool(args);
    EXPECT_EQ(run.code, 0) << c.choices[0] << run.err;
    EXPECT_NE(fileText(out).find(c.title), std::string::npos) << c.choices[0];
  }
}

TEST_F(ToolReport, SalesChartDrawsItsChartIntoThePdfAndAloneIntoAPicture) {
  const std::string pdf = dir_->path().toStdString() + "/chart.pdf";
  const std::string png = dir_->path().toStdString() + "/chart.png";
  const std::vector<std::string> span = {"--from", "2025-01-01", "--to", "2027-12-31"};
  for (const auto& [format, out] : {std::pair{"pdf", pdf}, std::pair{"png", png}}) {
    std::vector<std::string> args = {"report",   "sales-chart", "--data", path(),
                                     "--format", format,        "--out",  out};
    args.insert(args.end(), span.begin(), span.end());
    const auto run = runTool(args);
    EXPECT_EQ(run.code, 0) << run.err;
  }
  QProcess pdftotext;
  pdftotext.start("/usr/bin/pdftotext", {QString::fromStdString(pdf), "-"});
  ASSERT_TRUE(pdftotext.waitForFinished(60000));
  const std::string text = pdftotext.readAllStandardOutput().toStdString();
  EXPECT_NE(text.find("Sales Chart for"), std::string::npos);
  // The legend is the chart's alone; the table's heading says "Payments".
  EXPECT_NE(text.find("Payments received"), std::string::npos) << text;
  EXPECT_FALSE(QImage(QString::fromStdString(png)).isNull());
}

}  // namespace
}  // namespace vt::reports
