// The order in which a document's rows go on paper. The page logic breaks
// pages by the rows the measured page holds; a sheet that holds fewer (a
// PDF page of another size, a printer that measures differently) still
// loses no row: where a sheet would run over, a new sheet begins, with the
// page's header rows again, before the row that did not fit.
#pragma once

#include <vector>

#include "reports/report_doc.h"

namespace vt::reports {

// In a sheet order: a new sheet begins here.
inline constexpr int kSheetBreak = -1;

// True when the row is a page break (an EJECT cell).
bool IsEjectRow(const ReportRow& row);

// Row indexes of `doc` in paper order on sheets of `rowsPerSheet` rows (at
// least 1), with kSheetBreak where a sheet runs over. EJECT rows take no
// room. A header taller than a sheet is not repeated.
std::vector<int> SheetOrder(const ReportDoc& doc, int rowsPerSheet);

}  // namespace vt::reports
