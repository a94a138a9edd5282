#include "reports/report_runner.h"

#include "reports/report_run.h"
#include "reports/tdatespan.h"

namespace vt::reports {

ReportRunner::ReportRunner(RunnerParts parts) : parts_(parts), session_(parts.session) {}

void ReportRunner::spanReport(const QString& title, const SpanReport& build) {
  ReportChoices& choices = parts_.choices;
  SetMonthSpan(choices, session_.now().date());
  if (!parts_.dateSpan.Run(title)) {
    session_.CloseAll();
    return;
  }
  buildAndShow([&choices, &build](ReportContext& c) {
    return build(c, choices.SpanStart, choices.SpanEnd);
  });
}

void ReportRunner::buildAndShow(const std::function<int(ReportContext&)>& build) {
  BuildAndShow(session_, parts_.ui, parts_.reportFont, parts_.report, parts_.progress,
               "build the report", build);
  // A report stopped part way leaves its tables open.
  session_.CloseAll();
}

}  // namespace vt::reports
