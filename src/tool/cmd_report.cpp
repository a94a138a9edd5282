// vantrell-tool report NAME --data DIR --format txt|tsv|pdf|csv|png --out FILE
// CHOICES (or --each DIR: one PDF file per invoice, bill or statement): the documents and reports
// of the report window written without a window, from the same document code, measured on the same
// printer, in the same file forms.
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "base/text1252.h"
#include "data/data_session.h"
#include "invoicing/locale_view_texts.h"
#include "reports/chart_painter.h"
#include "reports/customer_documents.h"
#include "reports/customer_profile.h"
#include "reports/inventory_reports.h"
#include "reports/printer_metrics.h"
#include "reports/receivables_aging.h"
#include "reports/report_canvas.h"
#include "reports/report_csv_file.h"
#include "reports/report_output.h"
#include "reports/sales_chart.h"
#include "reports/sales_reports.h"
#include "tool/console.h"
#include "tool/mail_commands.h"
#include "tool/report_args.h"
#include "ui/printer_state.h"
#include "ui/report_font.h"
#include "ui/session_options.h"

namespace vt::tool {

namespace {

// The record number of `key` in the order of `tagName`; 0 when not on file.
long recordOf(engine::Table& table, const char* tagName, const std::string& key) {
  table.selectTag(table.tag(tagName));
  return table.seek(key) == engine::Result::Success ? static_cast<long>(table.recNo()) : 0;
}

// Fills the document: 0 or a negative engine status; `missing` names a
// chosen number that is not on file.
int fill(const ReportArgs& a, data::DataSession& s, reports::CustomerDocuments& documents,
         std::string* missing) {
  const bool statements = a.name == "statements";
  const bool invoiceMode = a.name == "invoices";
  if (statements) {
    documents.StartStatementReport();
    if (a.from) return documents.StatementsWithBalances(*a.from, *a.to);
  } else {
    documents.StartInvoiceReport();
    if (a.from) return documents.InvoicesByDates(*a.from, *a.to, invoiceMode);
  }
  for (int number : a.numbers) {
    const std::string key = base::PadNumber(number, 6);
    const long recno =
        statements ? recordOf(*s.customers(), "CCNO", key) : recordOf(*s.invoices(), "Inv", key);
    if (recno == 0) {
      *missing = (statements ? "no customer " : "no invoice ") + std::to_string(number);
      return 0;
    }
    const int status =
        statements ? documents.StatementOf(recno) : documents.AddInvoice(recno, invoiceMode);
    if (status < 0) return status;
  }
  return 0;
}

// The record of product `id`, sought as the product order keeps its IDs
// (upper case); 0 when there is none.
long productRecord(data::DataSession& s, const std::string& id) {
  engine::Table& products = *s.products();
  std::string key = base::upper1252(base::fromUtf8(base::trim(id)));
  // The whole field's width, so that "AB1" does not find "AB10".
  const auto width = static_cast<size_t>(products.field("PrID")->length());
  if (key.size() > width) return 0;
  key.resize(width, ' ');
  return recordOf(products, "Prod", key);
}

// The customer profile of the customers or groups chosen: 0 or a negative
// status; `missing` names a customer number that is not on file.
int profile(const ReportArgs& a, reports::ReportContext& context, std::string* missing) {
  reports::CustomerProfile profile(context);
  int status = profile.Start();
  if (status < 0) return status;
  int unknown = 0;
  status =
      a.groups.empty() ? profile.AddCustomers(a.numbers, unknown) : profile.AddGroups(a.groups);
  profile.Finish();
  if (status == reports::kCustomerUnknown) {
    *missing = "no customer " + std::to_string(unknown);
    return 0;
  }
  return status;
}

// One of the reports on the common frame: 0, a negative status, or what the
// span lacks.
int frameReport(const ReportArgs& a, reports::ReportContext& context, std::string* missing) {
  const reports::CostMethod method = reports::MethodOf(context.session.settings);
  const base::DateTime today = context.session.now().date();
  if (a.name == "receivables") return reports::Receivables(context);
  if (a.name == "sent-mail") return reports::SentMail(context);
  if (a.name == "product-listing") return reports::ProductListing(context);
  if (a.name == "stock-on-hand") return reports::StockOnHand(context, method, today);
  if (a.name == "inventory") return reports::InventoryReport(context, method, *a.asOf);
  if (a.name == "aging") return reports::ReceivablesAging(context, *a.asOf, a.detail);
  if (a.name == "profile") return profile(a, context, missing);
  if (a.name == "purchasing") return reports::PurchasingReport(context, *a.from, *a.to);
  if (a.name == "cost-of-goods") return reports::CostOfGoodsSold(context, method, *a.from, *a.to);
  if (a.name == "sales-summary") return reports::SalesSummary(context, *a.from, *a.to);
  if (a.name == "product-summary") return reports::ProductSummary(context, *a.from, *a.to);
  if (a.name == "tax-summary") return reports::TaxSummary(context, *a.from, *a.to);
  if (a.name == "sales-chart") return reports::SalesChart(context, *a.from, *a.to);
  return reports::IncomeSummary(context, *a.from, *a.to);
}

void tellMissing(const reports::MissingPictures& missing) {
  for (const std::string& fileName : missing) {
    std::cerr << reports::MissingPictureText(fileName) << std::endl;
  }
}

bool write(const ReportArgs& a, const reports::ReportDoc& doc, const QFont& font,
           const ui::PrinterState& printers) {
  const QString path = QString::fromStdString(a.out);
  switch (a.format) {
    case ReportFormat::Png:
      return reports::WriteChartPng(doc, path);
    case ReportFormat::Csv:
      return reports::WriteReportCsv(doc, path);
    case ReportFormat::Pdf: {
      reports::MissingPictures missing;
      const bool written =
          reports::WriteReportPdf(doc, path, font, printers.printer().pageLayout(), &missing);
      tellMissing(missing);
      return written;
    }
    case ReportFormat::Tabbed:
      return reports::WriteReportText(doc, path, reports::ExportForm::TabDelimited);
    case ReportFormat::Text:
      break;
  }
  return reports::WriteReportText(doc, path, reports::ExportForm::AlignedText);
}

// One PDF file per document into a.each: kExitOk, or kExitFailure with the
// file that could not be written named.
int writeEach(const ReportArgs& a, const reports::ReportDoc& doc, const QFont& font,
              const ui::PrinterState& printers) {
  reports::MissingPictures missing;
  int written = 0;
  const QString failed = reports::WriteEachPdf(doc, QString::fromStdString(a.each), font,
                                               printers.printer().pageLayout(), &written, &missing);
  tellMissing(missing);
  if (!failed.isEmpty()) {
    std::cerr << "Unable to save to: " << failed.toStdString() << std::endl;
    return kExitFailure;
  }
  std::cerr << "Wrote " << written << " files of " << a.name << " to " << a.each << std::endl;
  return kExitOk;
}

bool openTables(data::DataSession& s) {
  if (!s.OpenSettings() || s.ReadSettings() < 0) return false;
  s.CloseSettings();
  return s.OpenCustomers() && s.OpenGroups() && s.OpenInvoices() && s.OpenItems() &&
         s.OpenPayments() && s.OpenProducts();
}

int report(const ReportArgs& a) {
  ConsoleDialogs dialogs;
  base::ProgramExit exit;
  data::DataSession session(a.dir, dialogs, exit, toolSessionOptions(ui::LocaleSessionOptions()));
  if (!openTables(session)) return kExitFailure;
  const QFont font = ui::ReportFontFromSettings(session.settings, ui::DesignReportFont());
  const ui::PrinterState printers;
  const std::unique_ptr<reports::PageMetrics> metrics = reports::CurrentPageMetrics(printers, font);
  const invoicing::LocaleViewTexts texts;
  reports::ReportDoc doc;
  reports::CustomerDocuments documents(session, doc, *metrics, texts);
  std::string missing;
  int status = 0;
  if (a.name == "product-buyers") {
    reports::ReportContext context{session, doc, *metrics, texts, nullptr};
    const long product = productRecord(session, a.product);
    if (product == 0) {
      missing = "no product " + a.product;
    } else {
      status = reports::ProductBuyers(context, product, *a.from, *a.to);
      if (status > 0) missing = "nothing to report: " + reports::NothingMessage(status);
    }
  } else if (IsSpanReport(a.name) || IsPlainReport(a.name) || a.name == "inventory" ||
             a.name == "aging" || a.name == "profile") {
    reports::ReportContext context{session, doc, *metrics, texts, nullptr};
    status = frameReport(a, context, &missing);
    if (status > 0) missing = "nothing to report: " + reports::NothingMessage(status);
  } else {
    status = fill(a, session, documents, &missing);
  }
  if (status < 0) {
    std::cerr << "Unable to read the data: " << session.engine().errorText(status) << std::endl;
    return kExitFailure;
  }
  if (!missing.empty() || doc.empty()) {
    std::cerr << (missing.empty() ? "nothing to report: no " + a.name + " for these choices"
                                  : missing)
              << std::endl;
    return kExitFailure;
  }
  if (a.mailing()) return MailDocuments(a, session, doc, font, printers);
  if (!a.each.empty()) return writeEach(a, doc, font, printers);
  if (!write(a, doc, font, printers)) {
    std::cerr << "Unable to save to: " << a.out << std::endl;
    return kExitFailure;
  }
  std::cerr << "Wrote " << doc.CurRow + 1 << " rows of " << a.name << " to " << a.out << std::endl;
  return kExitOk;
}

// A directory of the user's own for the toolkit's runtime files while the
// tool runs, made only when the environment names none, removed afterwards.
class PrivateRuntimeDir {
 public:
  PrivateRuntimeDir() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
    std::string name = (std::filesystem::temp_directory_path() / "vantrell-tool-XXXXXX").string();
    if (!mkdtemp(name.data())) return;
    dir_ = name;
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir_));
  }
  ~PrivateRuntimeDir() {
    if (dir_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
    qunsetenv("XDG_RUNTIME_DIR");
  }
  PrivateRuntimeDir(const PrivateRuntimeDir&) = delete;
  PrivateRuntimeDir& operator=(const PrivateRuntimeDir&) = delete;

 private:
  std::string dir_;
};

}  // namespace

int runReport(const Args& args) {
  ReportArgs a;
  if (const std::string problem = ParseReportArgs(args, &a); !problem.empty()) {
    return usageError(problem);
  }
  if (!requireDataFiles(a.dir)) return kExitFailure;
  return runOffscreen([&a] { return report(a); });
}

int runOffscreen(const std::function<int()>& work) {
  // The tool shows no window; fonts and pages are measured offscreen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The toolkit wants a private runtime directory (a batch job often has
  // none) and otherwise warns on every run.
  const PrivateRuntimeDir runtime;
  int argc = 1;
  char name[] = "vantrell-tool";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  try {
    return work();
  } catch (const std::exception& error) {
    std::cerr << error.what() << std::endl;
    return kExitFailure;
  }
}

}  // namespace vt::tool
