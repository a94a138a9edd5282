// The last steps every report run from a window shares: the document built
// on the current printer's measures and the system's texts, then shown in the
// report window, or the user told why there is none.
#pragma once

#include <QFont>
#include <functional>
#include <string>

#include "base/progress.h"
#include "data/data_session.h"
#include "reports/report_frame.h"
#include "ui/context.h"

namespace vt::reports {

class TReportF;

// Runs `build` on a fresh document. A text that is no number or date, a
// table failure (told as "Unable to " + `what` + ...) or nothing within the
// dates is told; a document with rows is shown in `report` in `reportFont`.
void BuildAndShow(data::DataSession& session, ui::UiContext& ui, const QFont& reportFont,
                  TReportF& report, base::Progress* progress, const std::string& what,
                  const std::function<int(ReportContext&)>& build);

}  // namespace vt::reports
