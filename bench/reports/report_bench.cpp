// Builds an invoice register of N rows (default 50,000: about a thousand
// pages of 60 rows) in a report document and times, each on its own line:
//
//   build    building and paginating it (a page check before every row)
//   export   its aligned-text export
//   preview  the preview laid out on it and its first screen drawn
//   page     one page turn of the preview (the mean over a thousand turns)
//   pdf      writing it as a PDF file of Letter pages
//
//   <operation> seconds=<s>
//
// The document's rows, pages and the PDF's size and page count follow; a PDF
// without one page per document page fails the run. The PDF goes to a
// temporary file, removed at the end, unless --pdf FILE names one.
// Usage: report_bench [N] [--pdf FILE]
#include <QApplication>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPixmap>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "reports/report_doc.h"
#include "reports/report_export.h"
#include "reports/report_output.h"
#include "reports/report_preview.h"

namespace {

using Clock = std::chrono::steady_clock;
using vt::reports::ReportDoc;

double Timed(const std::function<void()>& work) {
  const Clock::time_point start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void Report(const char* operation, double seconds) {
  std::printf("%-8s seconds=%.4f\n", operation, seconds);
}

constexpr int kWidth = 85;
constexpr int kRowsPerGroup = 24;

void SetUpRegister(ReportDoc& doc) {
  doc.ReportWidth = kWidth;
  doc.ReportCols = 10;
  doc.BeginReport(60, "03/14/24");
  doc.ReportTitles = {"Invoice Register", "All Customers"};
  doc.ColumnCodes = {"V00", "R07", "V09", "L10", "C44", "R58", "R70", "R83", "V85"};
  doc.ColumnHeads.assign(1, vt::reports::ReportRow(10));
  const char* heads[] = {"", "Number", "", "Customer", "Date", "Qty", "Price", "Total", ""};
  for (int c = 0; c < 9; ++c) doc.ColumnHeads[0][c] = doc.coded(c, heads[c]);
  doc.ColumnHeads[0][9] = "BU";
}

void AddInvoiceRow(ReportDoc& doc, int n) {
  doc.CheckPage(doc.PageLine + 1, true);
  doc.NewLine();
  const std::string texts[] = {"",
                               std::to_string(100000 + n),
                               "",
                               "Customer " + std::to_string(n % 977) + " Hauptstraße",
                               "03/" + std::to_string(n % 28 + 1) + "/24",
                               std::to_string(n % 12 + 1),
                               std::to_string(n % 500) + ".25",
                               std::to_string((n % 12 + 1) * (n % 500)) + ".00",
                               ""};
  for (int c = 0; c < 9; ++c) doc.cell(c) = doc.coded(c, texts[c]);
}

void AddGroupTotal(ReportDoc& doc, int n) {
  doc.CheckPage(doc.PageLine + 2, true);
  doc.NewLine();
  doc.cell(0) = "H6085";
  doc.cell(1) = "L10Subtotal";
  doc.cell(2) = "R83" + std::to_string(n * 37) + ".00";
  doc.style() = "B";
  doc.NewLine();
}

void Build(ReportDoc& doc, int rows) {
  SetUpRegister(doc);
  for (int n = 1; doc.CurRow + 1 < rows; ++n) {
    AddInvoiceRow(doc, n);
    if (n % kRowsPerGroup == 0) AddGroupTotal(doc, n);
  }
}

void TimePreview(const ReportDoc& doc) {
  vt::reports::ReportPreview preview(nullptr, [](const std::string& failure) {
    std::fprintf(stderr, "preview failed: %s\n", failure.c_str());
    std::exit(1);
  });
  preview.resize(1280, 960);
  preview.show();
  QApplication::processEvents();
  QPixmap screen;  // each drawing, as grabbing the window makes it
  Report("preview", Timed([&] {
           preview.setDocument(&doc, QFont("DejaVu Sans Mono", 10));
           screen = preview.grab();
         }));
  constexpr int kTurns = 1000;
  const int lastFirst = std::max(0, doc.CurRow + 1 - preview.rowsPerScreen());
  const double turns = Timed([&] {
    for (int turn = 1; turn <= kTurns; ++turn) {
      preview.setFirstRow(std::min(lastFirst, turn * preview.rowsPerScreen()));
      screen = preview.grab();
    }
  });
  Report("page", turns / kTurns);
  QApplication::processEvents();  // a failure told after a paint
}

int PdfPages(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QByteArray bytes = file.readAll();
  return static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                          bytes.count("/Type /Page/") + bytes.count("/Type /Page ") +
                          bytes.count("/Type /Page>"));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  int rows = 50000;
  QString pdfPath;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--pdf" && i + 1 < argc) {
      pdfPath = QString::fromLocal8Bit(argv[++i]);
    } else {
      rows = std::atoi(argv[i]);
    }
  }
  if (rows <= 0) {
    std::fprintf(stderr, "usage: report_bench [N] [--pdf FILE]\n");
    return 2;
  }
  QTemporaryDir temp;
  if (pdfPath.isEmpty()) pdfPath = temp.filePath("register.pdf");

  ReportDoc doc;
  Report("build", Timed([&] { Build(doc, rows); }));
  std::string text;
  Report("export", Timed([&] { text = ExportText(doc, vt::reports::ExportForm::AlignedText); }));
  TimePreview(doc);
  const QPageLayout letter(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                           QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
  bool written = false;
  Report("pdf", Timed([&] {
           written = WriteReportPdf(doc, pdfPath, QFont("DejaVu Sans Mono", 10), letter);
         }));
  const int pages = written ? PdfPages(pdfPath) : -1;
  std::printf("# rows=%d pages=%d text_bytes=%zu pdf_bytes=%lld pdf_pages=%d\n", doc.CurRow + 1,
              doc.PageNo, text.size(), static_cast<long long>(QFile(pdfPath).size()), pages);
  if (pages != doc.PageNo) {
    std::fprintf(stderr, "the PDF has %d pages, the document %d\n", pages, doc.PageNo);
    return 1;
  }
  return 0;
}
