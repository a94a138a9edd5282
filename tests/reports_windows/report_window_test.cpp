// The report window as a user works it: the preview's scroll bar, the
// exports through the save dialog, and the pages on paper.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "customer_test_support.h"
#include "reports/report_canvas.h"
#include "reports/report_export.h"
#include "reports/report_output.h"
#include "reports/report_preview.h"
#include "reports/treportf.h"

namespace vt::reports {
namespace {

using catalog::custtest::ModalScript;

// A report of `bodyRows` rows, `linesPerPage` rows to a page (five of them
// the page header).
ReportDoc Report(int bodyRows, int linesPerPage) {
  ReportDoc doc;
  doc.ReportWidth = 60;
  doc.ReportCols = 3;
  doc.BeginReport(linesPerPage, "03/14/24");
  doc.ReportTitles = {"Sales Summary"};
  for (int i = 1; i <= bodyRows; ++i) {
    doc.CheckPage(doc.PageLine + 1, false);
    doc.NewLine();
    doc.cell(0) = "L00Customer " + std::to_string(i);
    doc.cell(1) = "R60" + std::to_string(i * 100) + ".00";
  }
  return doc;
}

std::string Run(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return output;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  pclose(pipe);
  return output;
}

// Pages and text as poppler's tools read the file.
void ExpectPdf(const QString& path, int pages, const std::string& text) {
  const std::string file = "'" + path.toStdString() + "'";
  EXPECT_NE(Run("/usr/bin/pdfinfo " + file).find("Pages:           " + std::to_string(pages)),
            std::string::npos);
  EXPECT_NE(Run("/usr/bin/pdftotext -layout " + file + " -").find(text), std::string::npos);
}

std::string Contents(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "(missing)";
  return file.readAll().toStdString();
}

class ReportWindowTest : public ::testing::Test {
 protected:
  // Opens the window on `doc` and runs `act` on it, then closes it.
  void work(const ReportDoc& doc, const std::function<void(TReportF&)>& act) {
    TReportF window(nullptr, ui, QFont("DejaVu Sans Mono", 10));
    ModalScript script;
    script.on<TReportF>([&](TReportF& shown) {
      act(shown);
      shown.exitAction->trigger();
    });
    EXPECT_TRUE(script.run([&] { window.Show(doc); }));
  }
  QString path(const char* name) const { return dir.filePath(name); }

  QTemporaryDir dir;
  base::ScriptedDialogs dialogs;
  ui::PrinterState printers;
  ui::HelpViewer help{nullptr};
  ui::UiContext ui{dialogs, printers, help};
};

TEST_F(ReportWindowTest, ScrollBarShowsOnlyForMoreRowsThanTheWindowHolds) {
  for (int rows : {3, 500}) {
    SCOPED_TRACE(rows);
    const ReportDoc doc = Report(rows, 60);
    work(doc, [&](TReportF& window) {
      const int perScreen = window.reportPreview->rowsPerScreen();
      ASSERT_GT(perScreen, 5);
      QScrollBar* bar = window.previewScrollBar;
      EXPECT_EQ(bar->isVisible(), doc.CurRow + 1 > perScreen);
      if (!bar->isVisible()) return;
      EXPECT_EQ(bar->maximum(), doc.CurRow + 1 - perScreen);
      // The window may not have its full size yet: scrolling stops at the end.
      const int last = bar->maximum();
      QTest::keyClick(&window, Qt::Key_PageDown);
      EXPECT_EQ(window.reportPreview->firstRow(), std::min(perScreen - 1, last));
      const QPoint middle = window.reportPreview->rect().center();
      QWheelEvent notchDown(middle, window.reportPreview->mapToGlobal(middle), {}, {0, -120},
                            Qt::NoButton, {}, Qt::NoScrollPhase, false);
      QCoreApplication::sendEvent(window.reportPreview, &notchDown);
      EXPECT_EQ(window.reportPreview->firstRow(),
                std::min(perScreen - 1 + QApplication::wheelScrollLines(), last));
    });
  }
}

struct ExportCase {
  QAction* TReportF::*item;
  const char* typed;  // the name given in the save dialog
  const char* saved;
  const char* filter;
  std::optional<ExportForm> form;  // none: PDF
};

TEST_F(ReportWindowTest, ExportReplacesTheChosenFileWithTheReport) {
  const ExportCase cases[] = {
      {&TReportF::textExportAction, "report", "report.txt", "Text files (*.txt)",
       ExportForm::AlignedText},
      {&TReportF::tabExportAction, "report.asc", "report.asc", "Delimited files (*.asc)",
       ExportForm::TabDelimited},
      {&TReportF::pdfExportAction, "report", "report.pdf", "PDF files (*.pdf)", std::nullopt},
  };
  const ReportDoc doc = Report(15, 10);  // three pages
  for (const ExportCase& c : cases) {
    SCOPED_TRACE(c.saved);
    QFile old(path(c.saved));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("earlier file") > 0);
    old.close();
    dialogs.clear();
    dialogs.queueText(path(c.typed).toStdString());
    // A name typed without its extension: replacing the file is confirmed.
    const bool confirmed = c.typed != c.saved;
    if (confirmed) dialogs.queueChoice(true);
    work(doc, [&](TReportF& window) { (window.*c.item)->trigger(); });
    ASSERT_EQ(dialogs.shown().size(), confirmed ? 2u : 1u);
    EXPECT_EQ(dialogs.shown()[0].caption, "Export Report");
    EXPECT_EQ(dialogs.shown()[0].text, c.filter);
    if (c.form) {
      EXPECT_EQ(Contents(path(c.saved)), ExportText(doc, *c.form));
    } else {
      ExpectPdf(path(c.saved), 3, "Customer 15");
    }
  }
}

TEST_F(ReportWindowTest, AnExistingFileIsKeptWhenReplacingItIsDeclined) {
  QFile old(path("report.txt"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("earlier file") > 0);
  old.close();
  dialogs.queueText(path("report").toStdString());
  dialogs.queueChoice(false);
  work(Report(2, 60), [](TReportF& window) { window.textExportAction->trigger(); });
  ASSERT_EQ(dialogs.shown().size(), 2u);
  EXPECT_EQ(dialogs.shown()[1].kind, base::DialogKind::Question);
  EXPECT_EQ(Contents(path("report.txt")), "earlier file");
}

TEST_F(ReportWindowTest, PrintWithoutAPrinterOffersThePdf) {
  if (printers.available()) GTEST_SKIP() << "a printer is installed";
  const ReportDoc doc = Report(15, 10);
  dialogs.queueChoice(false);
  work(doc, [](TReportF& window) { window.printAction->trigger(); });
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].text, "No printer is installed. Save the report as a PDF file?");
  dialogs.queueChoice(true);
  dialogs.queueText(path("printed").toStdString());
  work(doc, [](TReportF& window) { window.printAction->trigger(); });
  ASSERT_EQ(dialogs.shown().size(), 3u);
  EXPECT_EQ(dialogs.shown()[2].kind, base::DialogKind::SaveFile);
  ExpectPdf(path("printed.pdf"), 3, "Customer 15");
}

TEST_F(ReportWindowTest, FileThatCannotBeCreatedIsToldAndNothingWritten) {
  const QString missing = path("missing/report.txt");
  dialogs.queueText(missing.toStdString());
  work(Report(2, 60), [](TReportF& window) { window.textExportAction->trigger(); });
  ASSERT_EQ(dialogs.shown().size(), 2u);
  EXPECT_EQ(dialogs.shown().back().text, "Unable to save to: " + missing.toStdString());
  EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(ReportWindowTest, SaveEachAsPdfWritesOneFilePerDocumentInTheChosenFolder) {
  ReportDoc doc = Report(0, 60);
  for (const char* name : {"bill-000007", "bill-000009"}) {
    if (!doc.empty()) {
      doc.NewLine();
      doc.cell(0) = "EJECT";
    }
    doc.StartDocument(name);
    doc.NewLine();
    doc.cell(0) = std::string("L00Body of ") + name;
  }
  work(Report(2, 60), [](TReportF& window) { EXPECT_FALSE(window.eachPdfAction->isVisible()); });
  dialogs.queueText(path("each").toStdString());
  work(doc, [](TReportF& window) {
    EXPECT_TRUE(window.eachPdfAction->isVisible());
    window.eachPdfAction->trigger();
  });
  ASSERT_EQ(dialogs.shown().size(), 2u);
  EXPECT_EQ(dialogs.shown()[0].kind, base::DialogKind::Directory);
  EXPECT_EQ(dialogs.shown()[1].text, "2 files saved in " + path("each").toStdString() + ".");
  ExpectPdf(path("each/bill-000007.pdf"), 1, "Body of bill-000007");
  ExpectPdf(path("each/bill-000009.pdf"), 1, "Body of bill-000009");
}

// The window takes most of the screen the first time, with or without a
// window manager to maximize it, and keeps the size the user gives it.
TEST_F(ReportWindowTest, OpensOnMostOfTheScreenThenAtTheSizeTheUserLeft) {
  TReportF window(nullptr, ui, QFont("DejaVu Sans Mono", 10));
  const ReportDoc doc = Report(3, 60);
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const QSize chosen = screen.size() * 0.6;
  for (int showing = 0; showing < 2; ++showing) {
    SCOPED_TRACE(showing);
    ModalScript script;
    script.on<TReportF>([&](TReportF& shown) {
      if (showing == 0) {
        EXPECT_GE(shown.width(), screen.width() * 3 / 4);
        EXPECT_GE(shown.height(), screen.height() * 3 / 4);
        EXPECT_TRUE(screen.contains(shown.geometry()));
        shown.resize(chosen);
      } else {
        EXPECT_EQ(shown.size(), chosen);
      }
      shown.exitAction->trigger();
    });
    EXPECT_TRUE(script.run([&] { window.Show(doc); }));
  }
}

TEST_F(ReportWindowTest, PrintedSheetsEndAtThePageBreaks) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path("printed.pdf"));
  PrintReport(Report(15, 10), printer, QFont("DejaVu Sans Mono", 10));
  ExpectPdf(path("printed.pdf"), 3, "Page 3");
}

TEST_F(ReportWindowTest, PictureThatCannotBeLoadedIsNamedAndTheRestIsWritten) {
  ReportDoc doc = Report(1, 60);
  doc.NewLine();
  doc.cell(0) = "IL00" + path("gone.png").toStdString();
  MissingPictures missing;
  EXPECT_TRUE(WriteReportPdf(doc, path("logo.pdf"), QFont("DejaVu Sans Mono", 10),
                             printers.printer().pageLayout(), &missing));
  EXPECT_EQ(missing, MissingPictures{path("gone.png").toStdString()});
  ExpectPdf(path("logo.pdf"), 1, "Page 1");
}

}  // namespace
}  // namespace vt::reports
