#include "reports/sales_runs.h"

#include "reports/receivables_aging.h"
#include "reports/sales_chart.h"
#include "reports/sales_reports.h"
#include "reports/tdatespan.h"
#include "ui/record_access.h"

namespace vt::reports {

SalesRuns::SalesRuns(RunnerParts parts) : ReportRunner(parts) {}

void SalesRuns::SalesSummary() {
  spanReport(QStringLiteral("Sales Summary"),
             [](ReportContext& c, const base::DateTime& from, const base::DateTime& to) {
               return reports::SalesSummary(c, from, to);
             });
}

void SalesRuns::TaxSummary() {
  spanReport(QStringLiteral("Tax Summary"),
             [](ReportContext& c, const base::DateTime& from, const base::DateTime& to) {
               return reports::TaxSummary(c, from, to);
             });
}

void SalesRuns::setProductWindows(data::RecordPicker& picker, data::RecordEditor& editor) {
  productPicker_ = &picker;
  productEditor_ = &editor;
}

void SalesRuns::ProductSummary() {
  spanReport(QStringLiteral("Product Summary"),
             [](ReportContext& c, const base::DateTime& from, const base::DateTime& to) {
               return reports::ProductSummary(c, from, to);
             });
}

void SalesRuns::ProductBuyers() {
  if (!productPicker_ || !productEditor_ || !session_.OpenProducts()) return;
  session_.StartAtTop(data::RecordKind::Product);
  const data::PickOutcome outcome = session_.PickProduct(false, *productPicker_, *productEditor_);
  if (!outcome.chosen) {
    if (outcome.status < 0) {
      ui::ReportTableFailure(parts_.ui.dialogs, session_.engine(), "choose a product",
                             outcome.status);
    }
    session_.CloseAll();
    return;
  }
  const long product = session_.CurProduct;
  spanReport(QStringLiteral("Product Buyers"),
             [product](ReportContext& c, const base::DateTime& from, const base::DateTime& to) {
               return reports::ProductBuyers(c, product, from, to);
             });
}

void SalesRuns::IncomeSummary() {
  spanReport(QStringLiteral("Income Summary"),
             [](ReportContext& c, const base::DateTime& from, const base::DateTime& to) {
               return reports::IncomeSummary(c, from, to);
             });
}

void SalesRuns::Receivables() {
  buildAndShow([](ReportContext& c) { return reports::Receivables(c); });
}

void SalesRuns::SentMail() {
  buildAndShow([](ReportContext& c) { return reports::SentMail(c); });
}

void SalesRuns::ReceivablesAging() {
  parts_.choices.SpanStart = session_.now().date();
  if (!parts_.dateSpan.RunSingleDate(QStringLiteral("Receivables Aging"),
                                     QStringLiteral("Receivables as Of:"),
                                     QStringLiteral("Show invoices"), showAgedInvoices_)) {
    session_.CloseAll();
    return;
  }
  const base::DateTime asOf = parts_.choices.SpanStart;
  const bool detail = showAgedInvoices_;
  buildAndShow(
      [asOf, detail](ReportContext& c) { return reports::ReceivablesAging(c, asOf, detail); });
}

void SalesRuns::SalesChart() {
  spanReport(QStringLiteral("Sales Chart"),
             [](ReportContext& c, const base::DateTime& from, const base::DateTime& to) {
               return reports::SalesChart(c, from, to);
             });
}

}  // namespace vt::reports
