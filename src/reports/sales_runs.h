// The sales reports as the report page's menu runs them: the date span
// dialog on the current month, the report built under the main window's
// progress box, "nothing within the dates" told, and the document shown in
// the report window.
#pragma once

#include <QFont>
#include <functional>

#include "base/progress.h"
#include "data/data_session.h"
#include "data/selection_cycle.h"
#include "reports/report_choices.h"
#include "reports/report_frame.h"
#include "ui/context.h"

namespace vt::reports {

class TDateSpan;
class TReportF;

class SalesRuns {
 public:
  // `reportFont` is read at every run; `progress` may be null.
  SalesRuns(data::DataSession& session, ui::UiContext& ui, const QFont& reportFont,
            ReportChoices& choices, TReportF& report, TDateSpan& dateSpan,
            base::Progress* progress);
  // The product picker and editor Product Buyers chooses with.
  void setProductWindows(data::RecordPicker& picker, data::RecordEditor& editor);

  void SalesSummary();
  void TaxSummary();
  void ProductSummary();
  // The product first (New not offered), then the span.
  void ProductBuyers();
  void IncomeSummary();
  // Every invoice with something due: no date span is asked.
  void Receivables();

 private:
  using SpanReport =
      std::function<int(ReportContext&, const base::DateTime&, const base::DateTime&)>;
  void spanReport(const SpanReport& build);
  // Builds a document with `build` and shows it, or tells why there is none.
  void buildAndShow(const std::function<int(ReportContext&)>& build);

  data::DataSession& session_;
  ui::UiContext& ui_;
  const QFont& reportFont_;
  ReportChoices& choices_;
  TReportF& report_;
  TDateSpan& dateSpan_;
  base::Progress* progress_;
  data::RecordPicker* productPicker_ = nullptr;
  data::RecordEditor* productEditor_ = nullptr;
};

}  // namespace vt::reports
