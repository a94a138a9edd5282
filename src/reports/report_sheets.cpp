#include "reports/report_sheets.h"

#include <algorithm>

#include "reports/report_cells.h"

namespace vt::reports {

bool IsEjectRow(const ReportRow& row) {
  for (size_t c = 0; c + 1 < row.size(); ++c) {
    if (!row[c].empty() && row[c][0] == 'E') return true;
  }
  return false;
}

std::vector<int> SheetOrder(const ReportDoc& doc, int rowsPerSheet) {
  rowsPerSheet = std::max(1, rowsPerSheet);
  const std::vector<ReportRow>& rows = doc.rows();
  const std::vector<RowSpan>& headers = doc.pageHeaders();
  auto nextHeader = headers.begin();
  RowSpan header{};  // of the page being laid, when `inHeader`
  bool inHeader = false;
  std::vector<int> order;
  order.reserve(rows.size());
  int onSheet = 0;
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    if (nextHeader != headers.end() && nextHeader->first == r) {
      header = *nextHeader++;
      inHeader = true;
    }
    if (IsEjectRow(rows[static_cast<size_t>(r)])) {
      order.push_back(r);
      onSheet = 0;
      inHeader = false;
      continue;
    }
    if (onSheet >= rowsPerSheet) {
      order.push_back(kSheetBreak);
      onSheet = 0;
      const bool repeat =
          inHeader && r > header.last && header.last - header.first + 1 < rowsPerSheet;
      for (int h = repeat ? header.first : 0; repeat && h <= header.last; ++h, ++onSheet) {
        order.push_back(h);
      }
    }
    order.push_back(r);
    ++onSheet;
  }
  return order;
}

}  // namespace vt::reports
