// A report document as comma-separated values for spreadsheets: UTF-8 with
// a byte-order mark, CR LF line ends, fields quoted as RFC 4180 asks (those
// holding a comma, a quote or a line break, quotes doubled).
//
// The columns are the document's text columns (L, R and C codes); the
// header row holds their headings. Every row with text outside the page
// headers follows, a row whose texts stand in other cells than the columns'
// (a letterhead, an address) as its texts in order. A cell carrying a value
// gives its value (amounts, counts and percents as plain numbers with a
// point, dates as yyyy-mm-dd), whatever the locale formatted; any other
// text is written trimmed, a tab or line break in it made a blank.
#pragma once

#include <string>

#include "reports/report_doc.h"

namespace vt::reports {

std::string CsvText(const ReportDoc& doc);

// One field as RFC 4180 writes it.
std::string CsvField(const std::string& text);

}  // namespace vt::reports
