#include "reports/stock_runs.h"

#include "reports/inventory_reports.h"
#include "reports/tdatespan.h"

namespace vt::reports {

StockRuns::StockRuns(RunnerParts parts) : ReportRunner(parts) {}

void StockRuns::PurchasingReport() {
  spanReport(QStringLiteral("Purchasing Report"),
             [](ReportContext& c, const base::DateTime& from, const base::DateTime& to) {
               return reports::PurchasingReport(c, from, to);
             });
}

void StockRuns::ProductListing() {
  buildAndShow([](ReportContext& c) { return reports::ProductListing(c); });
}

void StockRuns::InventoryReport() {
  ReportChoices& choices = parts_.choices;
  choices.SpanStart = session_.now().date();
  if (!parts_.dateSpan.RunSingleDate(QStringLiteral("Inventory"),
                                     QStringLiteral("Inventory as Of:"))) {
    session_.CloseAll();
    return;
  }
  const CostMethod method = MethodOf(session_.settings);
  const base::DateTime asOf = choices.SpanStart;
  buildAndShow(
      [method, asOf](ReportContext& c) { return reports::InventoryReport(c, method, asOf); });
}

void StockRuns::CostOfGoodsSold() {
  const CostMethod method = MethodOf(session_.settings);
  spanReport(QStringLiteral("Cost of Goods Sold"),
             [method](ReportContext& c, const base::DateTime& from, const base::DateTime& to) {
               return reports::CostOfGoodsSold(c, method, from, to);
             });
}

void StockRuns::StockOnHand() {
  const CostMethod method = MethodOf(session_.settings);
  const base::DateTime today = session_.now().date();
  buildAndShow(
      [method, today](ReportContext& c) { return reports::StockOnHand(c, method, today); });
}

}  // namespace vt::reports
