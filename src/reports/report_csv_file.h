// A report document written as a CSV file (CsvText), whole or not at all,
// its amounts and dates read back in the system's locale as the document
// wrote them.
#pragma once

#include <QString>

#include "reports/report_doc.h"

namespace vt::reports {

// Writes CsvText's bytes at `path`, replacing any file there once all of
// them are written. False when the file cannot be created or written.
bool WriteReportCsv(const ReportDoc& doc, const QString& path);

}  // namespace vt::reports
