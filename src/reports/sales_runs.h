// The sales reports as the report page's menu runs them: the date span
// dialog on the current month, the report built under the main window's
// progress box, "nothing within the dates" told, and the document shown in
// the report window.
#pragma once

#include "data/selection_cycle.h"
#include "reports/report_runner.h"

namespace vt::reports {

class SalesRuns : public ReportRunner {
 public:
  explicit SalesRuns(RunnerParts parts);
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
  // The day asked ("Receivables as Of:", today first) with "Show invoices",
  // then Receivables Aging as of that day.
  void ReceivablesAging();
  // The span asked, then the months of the Sales Chart.
  void SalesChart();
  // Every message sent by e-mail: nothing is asked.
  void SentMail();

 private:
  data::RecordPicker* productPicker_ = nullptr;
  data::RecordEditor* productEditor_ = nullptr;
  // The last choice of "Show invoices".
  bool showAgedInvoices_ = false;
};

}  // namespace vt::reports
