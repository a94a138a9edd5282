// A report document written as a CSV file (CsvText), whole or not at all.
#pragma once

#include <QString>

#include "invoicing/view_texts.h"
#include "reports/report_doc.h"

namespace vt::reports {

// Writes CsvText's bytes at `path`, replacing any file there once all of
// them are written. False when the file cannot be created or written.
bool WriteReportCsv(const ReportDoc& doc, const QString& path, const invoicing::ViewTexts& texts);

}  // namespace vt::reports
