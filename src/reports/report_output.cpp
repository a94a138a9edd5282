#include "reports/report_output.h"

#include <QDir>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>

#include "reports/report_canvas.h"
#include "reports/report_sheets.h"

namespace vt::reports {

namespace {

constexpr int kTopMarginRows = 3;

// Draws every row on `device`, which `painter` has begun. `abandon` runs
// when a row cannot be drawn, before the painter lets go of the device.
void paintSheets(const ReportDoc& doc, QPagedPaintDevice& device, QPainter& painter,
                 const QFont& reportFont, const std::function<void()>& abandon,
                 MissingPictures* missing) {
  const CanvasLayout layout =
      FitLayout(device, reportFont, doc.ReportWidth, device.width(), kPaperMinPoints);
  PictureCache pictures([missing](const std::string& fileName) {
    if (missing) missing->push_back(fileName);
  });
  RowPainter rows =
      RowPainter::Paper(painter, layout, pictures, kTopMarginRows * layout.rowHeight, [&device] {
        if (!device.newPage()) throw std::runtime_error("Unable to start a new page");
      });
  const int top = kTopMarginRows * layout.rowHeight;
  const int rowsPerSheet = (device.height() - top) / std::max(1, layout.rowHeight);
  const ReportRow sheetBreak{"EJECT", ""};
  try {
    int y = top;
    for (const int r : SheetOrder(doc, rowsPerSheet)) {
      y = rows.paint(r == kSheetBreak ? sheetBreak : doc.rows()[static_cast<size_t>(r)], y);
    }
  } catch (...) {
    abandon();
    throw;
  }
  painter.end();
}

// Writes a file whole through `write` or not at all. False when the file
// cannot be created or written; what `write` throws passes on.
bool saveWhole(const QString& path, const std::function<bool(QSaveFile&)>& write) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (!write(file)) return false;
  return file.commit();
}

}  // namespace

void PrintReport(const ReportDoc& doc, QPrinter& printer, const QFont& reportFont,
                 MissingPictures* missing) {
  QPainter painter;
  if (painter.begin(&printer)) {
    paintSheets(
        doc, printer, painter, reportFont, [&printer] { printer.abort(); }, missing);
    return;
  }
  if (printer.printerName().isEmpty())
    throw std::runtime_error("Unable to print: no printer is installed");
  throw std::runtime_error("Unable to print on " + printer.printerName().toStdString());
}

bool WriteReportPdf(const ReportDoc& doc, const QString& path, const QFont& reportFont,
                    const QPageLayout& pageLayout, MissingPictures* missing) {
  return saveWhole(path, [&](QSaveFile& file) {
    QPdfWriter writer(&file);
    writer.setPageLayout(pageLayout);
    writer.setCreator(QStringLiteral("Vantrell & Inventory"));
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    paintSheets(
        doc, writer, painter, reportFont, [] {}, missing);
    return true;
  });
}

QString WriteEachPdf(const ReportDoc& doc, const QString& dir, const QFont& reportFont,
                     const QPageLayout& pageLayout, int* written, MissingPictures* missing) {
  *written = 0;
  const bool made = QDir().mkpath(dir);
  for (const DocumentPart& part : doc.documents()) {
    const QString path = QDir(dir).filePath(QString::fromStdString(part.name) + ".pdf");
    if (!made || !WriteReportPdf(doc.extract(part.rows), path, reportFont, pageLayout, missing)) {
      return path;
    }
    ++*written;
  }
  return {};
}

bool WriteReportText(const ReportDoc& doc, const QString& path, ExportForm form) {
  return saveWhole(path, [&](QSaveFile& file) {
    const std::string bytes = ExportText(doc, form);
    return file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
           static_cast<qint64>(bytes.size());
  });
}

}  // namespace vt::reports
