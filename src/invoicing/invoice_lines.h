// The item or payment records of one invoice, rewritten in place.
#pragma once

#include <cstddef>
#include <functional>

#include "engine/engine.h"

namespace vt::invoicing {

struct LinesRewritten {
  int status = 0;   // 0, or the engine's negative status where it stopped
  int deleted = 0;  // records of the invoice marked deleted
};

// Writes `count` lines of invoice `ivNo` into `table` (ITM5 or PMT, whose
// tag `tagName` orders by invoice number): the invoice's live records are
// overwritten in their key order by `store(0)`, `store(1)`, ... (each fills
// the buffer and stores it into the current record); when they run out the
// remaining lines are appended, and live records of the invoice left over
// are deleted. Records marked deleted (removed earlier, not yet packed) are
// passed over and stay deleted. A record appended for a line that then
// cannot be stored is marked deleted, so that no blank record is left.
// Records of other invoices are never touched. With `count` 0 all the
// invoice's records are deleted. Stops at the first failure.
LinesRewritten RewriteInvoiceLines(engine::Table& table, const char* tagName, int ivNo,
                                   size_t count, const std::function<int(size_t)>& store);

}  // namespace vt::invoicing
