// Cost of Goods Sold: the inventory's value before and at the end of a span
// with the purchases between, and what the goods sold cost.
#include <algorithm>

#include "reports/inventory_reports.h"

namespace vt::reports {

namespace {

constexpr int kWidth = 50;
constexpr int kCols = 3;
const char* const kCaption = "Processing Cost of Goods";

// Opens the tables the costing reads; kErrOpen when one could not be opened
// (the program's exit returned).
int OpenCostingTables(data::DataSession& session) {
  for (auto open : {&data::DataSession::OpenProducts, &data::DataSession::OpenPurchases,
                    &data::DataSession::OpenItems, &data::DataSession::OpenInvoices}) {
    if (!(session.*open)()) return engine::kErrOpen;
  }
  return 0;
}

// The costing's steps: each product is visited twice and each purchase
// once. None when both tables are empty.
long CostingSteps(data::DataSession& session) {
  return 2L * session.products()->recCount() + static_cast<long>(session.purchases()->recCount());
}

// The costing under the progress box (`steps` above 0).
int CostUnderProgress(ReportContext& context, CostMethod method, const base::DateTime& from,
                      const base::DateTime& to, long steps, GoodsCost& cost) {
  data::DataSession& session = context.session;
  base::Progress* progress = context.progress;
  long done = 0;
  auto step = [&] {
    session.PaceReads();
    ++done;
    if (progress) progress->set(static_cast<int>(std::min(100L, 100 * done / steps)));
  };
  if (progress) progress->show(true, kCaption);
  // Held, the tables are read without a lock at every step (see RunReport).
  session.HoldReads();
  const int status = InventoryCosting(session, method).CostOfGoods(from, to, cost, step);
  session.ReleaseReads();
  if (progress) progress->show(false, kCaption);
  return status;
}

void AddRows(ReportContext& context, const base::DateTime& from, const base::DateTime& to,
             const GoodsCost& cost) {
  data::DataSession& session = context.session;
  ReportDoc& doc = context.doc;
  StartReport(context, kWidth, kCols, {SpanTitle(session, "Cost of Goods Sold from ", from, to)});
  doc.SetBoxedHeadings({"L00", "R50"}, {"Description", "Amount"});
  doc.CheckPage(doc.PageLine + 6, true);
  auto row = [&](const std::string& label, double value, const std::string& style) {
    CellsRow(doc, {{0, "L00" + label}, {1, "R50" + AmountText(session, value, 12)}}, style);
  };
  row("Beginning Inventory", cost.beginning, "");
  row("Inventory Purchases", cost.purchases, "U");
  row("Total", cost.beginning + cost.purchases, "");
  row("Ending Inventory", cost.ending, "U");
  row("Cost of Goods Sold", cost.sold(), "");
}

}  // namespace

int CostOfGoodsSold(ReportContext& context, CostMethod method, const base::DateTime& from,
                    const base::DateTime& to) {
  data::DataSession& session = context.session;
  int status = OpenCostingTables(session);
  if (const long steps = status == 0 ? CostingSteps(session) : 0; steps > 0) {
    GoodsCost cost;
    status = CostUnderProgress(context, method, from, to, steps, cost);
    if (status == 0) AddRows(context, from, to, cost);
  }
  session.CloseAll();
  return status;
}

}  // namespace vt::reports
