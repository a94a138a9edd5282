#include "reports/sales_runs.h"

#include "reports/report_run.h"
#include "reports/sales_reports.h"
#include "reports/tdatespan.h"
#include "ui/record_access.h"

namespace vt::reports {

SalesRuns::SalesRuns(data::DataSession& session, ui::UiContext& ui, const QFont& reportFont,
                     ReportChoices& choices, TReportF& report, TDateSpan& dateSpan,
                     base::Progress* progress)
    : session_(session),
      ui_(ui),
      reportFont_(reportFont),
      choices_(choices),
      report_(report),
      dateSpan_(dateSpan),
      progress_(progress) {}

void SalesRuns::SalesSummary() {
  spanReport([](ReportContext& c, const base::DateTime& from, const base::DateTime& to) {
    return reports::SalesSummary(c, from, to);
  });
}

void SalesRuns::TaxSummary() {
  spanReport([](ReportContext& c, const base::DateTime& from, const base::DateTime& to) {
    return reports::TaxSummary(c, from, to);
  });
}

void SalesRuns::setProductWindows(data::RecordPicker& picker, data::RecordEditor& editor) {
  productPicker_ = &picker;
  productEditor_ = &editor;
}

void SalesRuns::ProductSummary() {
  spanReport([](ReportContext& c, const base::DateTime& from, const base::DateTime& to) {
    return reports::ProductSummary(c, from, to);
  });
}

void SalesRuns::ProductBuyers() {
  if (!productPicker_ || !productEditor_ || !session_.OpenProducts()) return;
  session_.StartAtTop(data::RecordKind::Product);
  const data::PickOutcome outcome = session_.PickProduct(false, *productPicker_, *productEditor_);
  if (!outcome.chosen) {
    if (outcome.status < 0) {
      ui::ReportTableFailure(ui_.dialogs, session_.engine(), "choose a product", outcome.status);
    }
    session_.CloseAll();
    return;
  }
  const long product = session_.CurProduct;
  spanReport([product](ReportContext& c, const base::DateTime& from, const base::DateTime& to) {
    return reports::ProductBuyers(c, product, from, to);
  });
}

void SalesRuns::IncomeSummary() {
  spanReport([](ReportContext& c, const base::DateTime& from, const base::DateTime& to) {
    return reports::IncomeSummary(c, from, to);
  });
}

void SalesRuns::Receivables() {
  buildAndShow([](ReportContext& c) { return reports::Receivables(c); });
}

void SalesRuns::spanReport(const SpanReport& build) {
  SetMonthSpan(choices_, session_.now().date());
  if (!dateSpan_.Run()) {
    session_.CloseAll();
    return;
  }
  buildAndShow(
      [this, &build](ReportContext& c) { return build(c, choices_.SpanStart, choices_.SpanEnd); });
}

void SalesRuns::buildAndShow(const std::function<int(ReportContext&)>& build) {
  BuildAndShow(session_, ui_, reportFont_, report_, progress_, "build the report", build);
  // A report stopped part way leaves its tables open.
  session_.CloseAll();
}

}  // namespace vt::reports
