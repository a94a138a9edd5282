// The costing of inventory items behind the inventory reports: the purchase
// lots of one product are rebuilt from its purchases, its sales are matched
// against them first in, first out or last in, first out, and what remains
// is counted and valued. Works per product by seeking its purchases and its
// items (the invoices' dates read once), so a report walking the products
// costs each without rescanning the tables. Reads the tables only; no record
// and no record buffer changes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/convert.h"
#include "data/data_session.h"

namespace vt::reports {

enum class CostMethod { FirstInFirstOut, LastInFirstOut };

// The method the settings record chooses (its fifo flag).
CostMethod MethodOf(const data::Settings& settings);

// What one product's stock comes to on a date.
struct InventoryCost {
  // False for a product that is not an inventory item; the numbers are 0.
  bool inventoryItem = false;
  double onHand = 0;          // left of the lots bought by the date
  double value = 0;           // what is left, at each lot's unit cost
  double soldNotCosted = 0;   // sales after the date or beyond every lot
  double purchasedAfter = 0;  // bought after the date (on order)
};

// The cost of goods sold over a span of dates.
struct GoodsCost {
  double beginning = 0;  // inventory value the day before the span
  double purchases = 0;  // cost of every purchase within the span
  double ending = 0;     // inventory value on the span's last day
  double sold() const { return beginning + purchases - ending; }
};

class InventoryCosting {
 public:
  // Needs Pur5, ITM5 and INV5 open (and Prod5 for CostOfGoods). Selects
  // their tags "Pur", "ItmP" and "Inv" itself on every call.
  InventoryCosting(data::DataSession& session, CostMethod method);

  // `product` (its PrID and lInven, as loaded) as of the day of `asOf`.
  // Purchases with a quantity of 0 or less are left out; sales of invoices
  // that are missing are ignored. 0, or a negative engine status.
  int CostInventory(const data::ProductRecord& product, const base::DateTime& asOf,
                    InventoryCost& cost);

  // Every product of Prod5 valued the day before `from` and on `to`, and
  // the purchases dated `from` to `to`. `step`, when given, is called twice
  // for each product and once for each purchase record. 0, or a negative
  // engine status.
  int CostOfGoods(const base::DateTime& from, const base::DateTime& to, GoodsCost& cost,
                  const std::function<void()>& step = {});

 private:
  struct Lot {
    double remaining;
    double unitCost;
    base::DateTime date;
  };

  int buildLots(const std::string& code, const base::DateTime& asOf, InventoryCost& cost);
  int matchSales(const std::string& code, const base::DateTime& asOf, InventoryCost& cost);
  // Every invoice's date, read once in invoice number order.
  int loadInvoiceDates();
  // The date of invoice `ivNo`; nothing when there is no such invoice.
  std::optional<base::DateTime> invoiceDate(long ivNo) const;
  // Each takes the quantity of a sale and returns what no lot covered.
  double consumeFirstIn(double quantity);
  double consumeLastIn(double quantity, const base::DateTime& saleDate);
  void valueLots(InventoryCost& cost) const;
  int inventoryValue(const base::DateTime& asOf, double& value, const std::function<void()>& step);
  int purchasesWithin(const base::DateTime& from, const base::DateTime& to, double& total,
                      const std::function<void()>& step);

  data::DataSession& session_;
  CostMethod method_;
  std::vector<Lot> lots_;  // one product's, oldest first; kept for its capacity
  // The invoices' dates by number, ascending, read at the first costing:
  // the sales of every product then need no seek of INV5 each.
  std::vector<std::pair<long, base::DateTime>> invoiceDates_;
  bool datesLoaded_ = false;
};

}  // namespace vt::reports
