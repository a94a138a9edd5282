// Adding and removing rows of the invoice views (ItemLines, PmtLines): a
// view's count is the index of its last row, -1 when it has none, and a view
// without rows still holds one blank row.
#pragma once

#include <cstddef>
#include <vector>

namespace vt::data {

// The row after the last, made when the view has none spare.
template <class Row>
Row& AppendViewRow(std::vector<Row>& rows, int& count) {
  ++count;
  if (static_cast<size_t>(count) >= rows.size()) rows.resize(static_cast<size_t>(count) + 1);
  return rows[static_cast<size_t>(count)];
}

// Row `index` taken out, the following rows moving up.
template <class Row>
void RemoveViewRow(std::vector<Row>& rows, int& count, size_t index) {
  rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
  --count;
  if (rows.empty()) rows.emplace_back();
}

}  // namespace vt::data
