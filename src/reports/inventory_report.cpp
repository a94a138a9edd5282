// Inventory as of a date and Stock On-Hand: both walk the products in code
// order and cost each inventory item; products that are not inventory
// items are left out.
#include "base/text1252.h"
#include "reports/inventory_reports.h"

namespace vt::reports {

namespace {

constexpr int kInventoryWidth = 67, kInventoryCols = 5;
constexpr int kStockWidth = 85, kStockCols = 7;

// What one costed report adds to the walk: the document's set-up, the row
// of each inventory item and the closing rows.
struct CostedSteps {
  std::string caption;
  std::function<void()> start;
  std::function<void(const data::ProductRecord&, const InventoryCost&)> row;
  std::function<void()> finish;
};

int CostedProducts(ReportContext& context, CostMethod method, const base::DateTime& asOf,
                   const CostedSteps& costed) {
  data::DataSession& session = context.session;
  InventoryCosting costing(session, method);
  ReportSteps steps;
  steps.opens = {&data::DataSession::OpenProducts, &data::DataSession::OpenPurchases,
                 &data::DataSession::OpenItems, &data::DataSession::OpenInvoices};
  steps.caption = costed.caption;
  steps.start = costed.start;
  steps.visit = [&] {
    if (const int status = session.LoadProduct(); status < 0) return status;
    const data::ProductRecord product = session.Product;
    InventoryCost cost;
    if (const int status = costing.CostInventory(product, asOf, cost); status < 0) return status;
    if (cost.inventoryItem) costed.row(product, cost);
    return 0;
  };
  steps.finish = costed.finish;
  SpanWalk walk(context, kProductsByCode);
  return RunReport(context, walk, steps);
}

// A heading row: each column's code followed by its title.
ReportRow HeadingRow(const ReportDoc& doc, const std::vector<std::string>& titles,
                     const std::string& style) {
  ReportRow row(static_cast<size_t>(doc.ReportCols));
  for (size_t c = 0; c < doc.ColumnCodes.size(); ++c)
    row[c] = doc.coded(static_cast<int>(c), titles[c]);
  row.back() = style;
  return row;
}

}  // namespace

int InventoryReport(ReportContext& context, CostMethod method, const base::DateTime& asOf) {
  data::DataSession& session = context.session;
  ReportDoc& doc = context.doc;
  auto amount = [&session](double value) { return AmountText(session, value, 12); };
  double total = 0;
  bool listed = false;
  CostedSteps steps;
  steps.caption = "Processing Inventory";
  steps.start = [&] {
    StartReport(context, kInventoryWidth, kInventoryCols,
                {"Inventory as of " + session.shortDateText(asOf.date())});
    doc.SetBoxedHeadings({"L00", "L12", "R52", "R67"},
                         {"Product", "Description", "Quantity", "Cost"});
  };
  steps.row = [&](const data::ProductRecord& product, const InventoryCost& cost) {
    BodyRow(doc,
            {base::trimRight(product.PrID), base::trimRight(product.PDesc), amount(cost.onHand),
             amount(cost.value)},
            2);
    total += cost.value;
    listed = true;
  };
  steps.finish = [&] {
    if (!listed) return;
    doc.style() = "U";
    // Drawn beside the amount, held in the first column's cell.
    CellsRow(doc, {{0, "R52Total"}, {3, "R67" + amount(total)}});
  };
  return CostedProducts(context, method, asOf, steps);
}

int StockOnHand(ReportContext& context, CostMethod method, const base::DateTime& today) {
  data::DataSession& session = context.session;
  ReportDoc& doc = context.doc;
  auto amount = [&session](double value) { return AmountText(session, value, 12); };
  bool listed = false;
  CostedSteps steps;
  steps.caption = "Processing Inventory";
  steps.start = [&] {
    StartReport(context, kStockWidth, kStockCols,
                {"Stock On-Hand as of " + session.shortDateText(today.date())});
    doc.ColumnCodes = {"L00", "L12", "R52", "R65", "R78", "R85"};
    doc.ColumnHeads.front().back() = "U";  // the empty rule row above the headings
    doc.ColumnHeads = {
        doc.ColumnHeads.front(),
        HeadingRow(doc, {"", "", "Quantity", "Quantity", "Reorder", "Need"}, ""),
        HeadingRow(doc, {"Product", "Description", "On-Hand", "On-Order", "Level", "Stock"}, "U")};
  };
  steps.row = [&](const data::ProductRecord& product, const InventoryCost& cost) {
    const double onHand = cost.onHand - cost.soldNotCosted;
    // In cents, so that sums of quantities meet the level when they equal it.
    const bool needsStock = base::RoundCents(onHand + cost.purchasedAfter) < product.REORDER;
    BodyRow(doc,
            {base::trimRight(product.PrID), base::trimRight(product.PDesc), amount(onHand),
             amount(cost.purchasedAfter), amount(product.REORDER), needsStock ? "YES" : "OK"},
            2);
    if (needsStock) doc.style() = "B";
    listed = true;
  };
  steps.finish = [&] {
    if (listed) doc.style() += "U";
  };
  return CostedProducts(context, method, today, steps);
}

}  // namespace vt::reports
