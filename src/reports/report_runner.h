// What the report runs of the main window's menus share: the windows and
// choices they use, the date span asked on the current month, and the
// document built under the progress box and shown in the report window, or
// the user told why there is none.
#pragma once

#include <QFont>
#include <QString>
#include <functional>

#include "base/progress.h"
#include "data/data_session.h"
#include "reports/report_choices.h"
#include "reports/report_frame.h"
#include "ui/context.h"

namespace vt::reports {

class TDateSpan;
class TReportF;

// The windows and state every report run works with.
struct RunnerParts {
  data::DataSession& session;
  ui::UiContext& ui;
  // Read at every run: the user may choose another font meanwhile.
  const QFont& reportFont;
  ReportChoices& choices;
  TReportF& report;
  TDateSpan& dateSpan;
  // The main window's progress box; null for none.
  base::Progress* progress;
};

class ReportRunner {
 public:
  explicit ReportRunner(RunnerParts parts);

 protected:
  using SpanReport =
      std::function<int(ReportContext&, const base::DateTime&, const base::DateTime&)>;
  // The span dialog, titled `title`, on the current month, then `build`
  // over the span.
  void spanReport(const QString& title, const SpanReport& build);
  // Builds a document with `build` and shows it, or tells why there is none;
  // every table is closed afterwards.
  void buildAndShow(const std::function<int(ReportContext&)>& build);

  RunnerParts parts_;
  data::DataSession& session_;
};

}  // namespace vt::reports
