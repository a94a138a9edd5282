#include "reports/report_choices.h"

namespace vt::reports {

void SetMonthSpan(ReportChoices& choices, const base::DateTime& today) {
  choices.SpanStart = base::MakeDate(today.year, today.month, 1);
  choices.SpanEnd =
      base::MakeDate(today.year, today.month, base::DaysInMonth(today.year, today.month));
}

}  // namespace vt::reports
