// The reports of products, purchases and the stock of inventory items. Each
// opens the tables it needs, builds the document in `context.doc` under the
// progress box and closes every table of the session. The caller shows the
// document when it has rows; an empty document (no products, no purchases
// in the span, no inventory items) is not shown and needs no message.
//
// Each returns 0, or a negative engine status.
#pragma once

#include "base/convert.h"
#include "reports/inventory_cost.h"
#include "reports/report_frame.h"

namespace vt::reports {

// The walks of these reports: every product in code order, every purchase
// in product order. An empty table is no error: the document stays empty.
inline constexpr WalkedTable kProductsByCode{data::TableId::Products, "Prod", nullptr, 0};
inline constexpr WalkedTable kPurchasesByProduct{data::TableId::Purchases, "Pur", nullptr, 0};

// Every purchase dated within the span in the purchase tag's order (by
// product, then date): the product's code and description on its first row,
// date, quantity and cost, and the total cost.
int PurchasingReport(ReportContext& context, const base::DateTime& from, const base::DateTime& to);

// Every product in code order with its unit price and reorder level, and
// its comment on a second row when it has one.
int ProductListing(ReportContext& context);

// Every inventory item's quantity on hand and value on the day of `asOf`,
// and the total value.
int InventoryReport(ReportContext& context, CostMethod method, const base::DateTime& asOf);

// Beginning inventory, purchases, ending inventory and the cost of the
// goods sold over the span.
int CostOfGoodsSold(ReportContext& context, CostMethod method, const base::DateTime& from,
                    const base::DateTime& to);

// Every inventory item on the day of `today`: on hand less what was sold
// beyond the lots, on order, reorder level, and "YES" (the row bold) when
// it needs stock, "OK" otherwise.
int StockOnHand(ReportContext& context, CostMethod method, const base::DateTime& today);

}  // namespace vt::reports
