#include "reports/report_run.h"

#include "invoicing/locale_view_texts.h"
#include "reports/printer_metrics.h"
#include "reports/treportf.h"
#include "ui/record_access.h"

namespace vt::reports {

void BuildAndShow(data::DataSession& session, ui::UiContext& ui, const QFont& reportFont,
                  TReportF& report, base::Progress* progress, const std::string& what,
                  const std::function<int(ReportContext&)>& build) {
  ReportDoc doc;
  const std::unique_ptr<PageMetrics> metrics = CurrentPageMetrics(ui.printers, reportFont);
  const invoicing::LocaleViewTexts texts;
  ReportContext context{session, doc, *metrics, texts, progress};
  int result = 0;
  try {
    result = build(context);
  } catch (const std::runtime_error& error) {
    ui.dialogs.information("", error.what());
    return;
  }
  if (result < 0) {
    ui::ReportTableFailure(ui.dialogs, session.engine(), what, result);
  } else if (!NothingMessage(result).empty()) {
    ui.dialogs.information("", NothingMessage(result));
  } else if (!doc.empty()) {
    report.setReportFont(reportFont);
    report.Show(doc);
  }
  doc.EndReport();
}

}  // namespace vt::reports
