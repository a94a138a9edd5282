// A report document on paper and in files: printed in one job on the
// current printer, written as a PDF with the same pages, or exported as
// text. Sheets end at EJECT rows, and before a row that would end below the
// printable area (the page's header rows then come again); the first row of
// a sheet stands three rows below its top.
#pragma once

#include <QFont>
#include <QPageLayout>
#include <QString>
#include <string>
#include <vector>

#include "reports/report_doc.h"
#include "reports/report_export.h"

class QPrinter;

namespace vt::reports {

// Pictures that could not be loaded and were left out, each named once.
using MissingPictures = std::vector<std::string>;

// Prints the whole document with the printer's current settings. Throws
// std::runtime_error when the job cannot start, CellError when a row cannot
// be drawn (the job is then abandoned). Pictures that cannot be loaded are
// left out; their names go into `missing`.
void PrintReport(const ReportDoc& doc, QPrinter& printer, const QFont& reportFont,
                 MissingPictures* missing = nullptr);

// Writes the document as a PDF file of `pageLayout` pages at `path`,
// replacing any file there once the whole of it is written. False when the
// file cannot be created or written; throws CellError when a row cannot be
// drawn, leaving any earlier file as it was. Pictures that cannot be loaded
// are left out; their names go into `missing`.
bool WriteReportPdf(const ReportDoc& doc, const QString& path, const QFont& reportFont,
                    const QPageLayout& pageLayout, MissingPictures* missing = nullptr);

// Writes each document `doc` holds (ReportDoc::documents) as a PDF file of
// its own in directory `dir` (made when missing), named after the document
// with ".pdf", each written whole like WriteReportPdf. Stops at the first
// file that cannot be written and returns its path; an empty string when
// every file is written. `written` counts the files written.
QString WriteEachPdf(const ReportDoc& doc, const QString& dir, const QFont& reportFont,
                     const QPageLayout& pageLayout, int* written,
                     MissingPictures* missing = nullptr);

// Writes ExportText's bytes at `path` in the same way. False when the file
// cannot be created or written.
bool WriteReportText(const ReportDoc& doc, const QString& path, ExportForm form);

}  // namespace vt::reports
