// A report document as a text file: one line per row (page headers, blank
// rows and page breaks included), CR LF line ends, Windows-1252 bytes. Only
// text cells (L, R, C) are written; rules, page breaks and pictures are
// left out.
#pragma once

#include <string>

#include "reports/report_doc.h"

namespace vt::reports {

enum class ExportForm {
  AlignedText,   // each text at its column, padded with blanks (".txt")
  TabDelimited,  // the texts separated by tabs (".asc")
};

// One row's line, in Windows-1252, without the line end.
std::string ExportLine(const ReportRow& row, ExportForm form);
// The whole file's bytes.
std::string ExportText(const ReportDoc& doc, ExportForm form);

}  // namespace vt::reports
