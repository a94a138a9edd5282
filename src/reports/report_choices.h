// What the selection dialogs hand to the reports that run after them: the
// span of dates asked for (or the one date of the inventory report) and the
// customer groups chosen. The values stay until the next use of a dialog.
#pragma once

#include <vector>

#include "base/convert.h"

namespace vt::reports {

struct ReportChoices {
  // First and last date of the span, both included; in the single-date use
  // SpanStart is the one date.
  base::DateTime SpanStart, SpanEnd;
  // Set while the date dialog is open; cleared only by a valid OK.
  bool SpanCancelled = true;
  // nGroup of every group chosen, in list order; empty when nothing was
  // chosen or the group dialog was cancelled.
  std::vector<int> SelectedGroups;
};

// The month of `today`: SpanStart its first day, SpanEnd its last (28, 29,
// 30 or 31 as the calendar gives).
void SetMonthSpan(ReportChoices& choices, const base::DateTime& today);

}  // namespace vt::reports
