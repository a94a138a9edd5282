// The reports of products, purchases and stock as the main window starts
// them: the purchasing report and the cost of goods sold over a span (the
// current month offered), the inventory as of a date asked for, and the
// product listing and stock on hand without a question. The inventory
// method is the settings record's.
#pragma once

#include "reports/report_runner.h"

namespace vt::reports {

class StockRuns : public ReportRunner {
 public:
  explicit StockRuns(RunnerParts parts);

  void PurchasingReport();
  void ProductListing();
  // The one date asked for under "Inventory as Of:", today offered.
  void InventoryReport();
  void CostOfGoodsSold();
  // As of today.
  void StockOnHand();
};

}  // namespace vt::reports
