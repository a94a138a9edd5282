// Every row of a report reaches its PDF pages, whatever the font size: the
// document measured on the PDF writer's pages, and a document measured for a
// taller page, which the renderer breaks again under the page header.
#include <gtest/gtest.h>

#include <QPageLayout>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "reports/page_metrics.h"
#include "reports/printer_metrics.h"
#include "reports/report_export.h"
#include "reports/report_output.h"

namespace vt::reports {
namespace {

constexpr int kRows = 200;

// A report of `kRows` invoice rows paged by `metrics`.
ReportDoc SalesRows(const PageMetrics& metrics) {
  ReportDoc doc;
  doc.ReportWidth = 60;
  doc.ReportCols = 3;
  doc.BeginReport(metrics.linesPerPage(), "4/17/2026");
  doc.ReportTitles = {"Sales Summary"};
  doc.ColumnHeads = {{"L00Invoice", "R60Total", "U"}};
  for (int i = 1; i <= kRows; ++i) {
    doc.CheckPage(doc.PageLine + 1, true);
    doc.NewLine();
    doc.cell(0) = "L00Invoice " + std::to_string(1000 + i);
    doc.cell(1) = "R60" + std::to_string(i) + ".00";
  }
  return doc;
}

// How often `text` occurs in `within`.
int Occurrences(const std::string& within, const std::string& text) {
  int count = 0;
  for (size_t at = within.find(text); at != std::string::npos; at = within.find(text, at + 1)) {
    ++count;
  }
  return count;
}

std::string PdfText(const QString& path) {
  QProcess pdftotext;
  pdftotext.start("/usr/bin/pdftotext", {"-layout", path, "-"});
  EXPECT_TRUE(pdftotext.waitForFinished(60000)) << "pdftotext did not run";
  return pdftotext.readAllStandardOutput().toStdString();
}

TEST(ReportPdfPages, EveryRowOfTheTextExportIsOnThePdfPages) {
  QTemporaryDir dir;
  const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
  const PlainMetrics sixtyRows;
  for (const int points : {8, 12, 14}) {
    const QFont font("DejaVu Sans Mono", points);
    const std::unique_ptr<PageMetrics> pdfPages = PdfPageMetrics(a4, font);
    const PageMetrics* const measures[] = {pdfPages.get(), &sixtyRows};
    for (const PageMetrics* metrics : measures) {
      const std::string measured = metrics == &sixtyRows ? "60 rows" : "the PDF page";
      const ReportDoc doc = SalesRows(*metrics);
      const QString path = dir.filePath(QString("sales-%1.pdf").arg(points));
      ASSERT_TRUE(WriteReportPdf(doc, path, font, a4));
      const std::string text = PdfText(path);
      const std::string exported = ExportText(doc, ExportForm::AlignedText);
      for (int i = 1; i <= kRows; ++i) {
        const std::string row = "Invoice " + std::to_string(1000 + i);
        ASSERT_EQ(Occurrences(exported, row), 1) << row;
        EXPECT_EQ(Occurrences(text, row), 1) << row << " at " << points << " points, " << measured;
      }
      // Each sheet starts under the titles, broken by the page logic or the renderer.
      const int sheets = Occurrences(text, "\f");
      EXPECT_EQ(Occurrences(text, "Sales Summary"), sheets) << points << " points, " << measured;
    }
    // The page logic uses the PDF page: no fewer rows to a page than fit.
    EXPECT_GT(pdfPages->linesPerPage(), points == 8 ? 60 : 35) << points << " points";
  }
}

}  // namespace
}  // namespace vt::reports
