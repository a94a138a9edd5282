// Purchase lots rebuilt from Pur5, sales matched from ITM5 in invoice number
// order with their dates from INV5, and what remains valued.
#include "reports/inventory_cost.h"

#include <algorithm>
#include <optional>

#include "base/text1252.h"
#include "data/live_records.h"
#include "reports/report_frame.h"

namespace vt::reports {

using base::DateTime;
using engine::Result;

namespace {

// The code as the field holds it (Windows-1252, blank-padded to the field's
// width), so that comparing whole fields keeps "AB1" apart from "AB10".
std::string fullWidthKey(const std::string& code, const engine::Field& field) {
  std::string key = base::KeyText(code);
  key.erase(key.find_last_not_of(' ') + 1);
  key.resize(std::max(key.size(), static_cast<size_t>(field.length())), ' ');
  return key;
}

// Takes up to `quantity` from a lot's `remaining` (a negative quantity, a
// return, is put back) and gives what the lot did not cover. Quantities are
// stored in cents and kept so, or a sale could leave a sliver of a unit
// uncosted.
double consume(double& remaining, double quantity) {
  if (remaining >= quantity) {
    remaining = base::RoundCents(remaining - quantity);
    return 0;
  }
  const double left = base::RoundCents(quantity - remaining);
  remaining = 0;
  return left;
}

DateTime dayBefore(const DateTime& day) {
  if (day.day > 1) return base::MakeDate(day.year, day.month, day.day - 1);
  if (day.month > 1)
    return base::MakeDate(day.year, day.month - 1, base::DaysInMonth(day.year, day.month - 1));
  return base::MakeDate(day.year - 1, 12, 31);
}

}  // namespace

CostMethod MethodOf(const data::Settings& settings) {
  return settings.fifo ? CostMethod::FirstInFirstOut : CostMethod::LastInFirstOut;
}

InventoryCosting::InventoryCosting(data::DataSession& session, CostMethod method)
    : session_(session), method_(method) {}

int InventoryCosting::CostInventory(const data::ProductRecord& product, const DateTime& asOf,
                                    InventoryCost& cost) {
  cost = {};
  lots_.clear();
  if (!product.lInven) return 0;
  engine::Engine& engine = session_.engine();
  engine.errorCode();
  const DateTime day = asOf.date();
  if (const int status = buildLots(product.PrID, day, cost); status < 0) return status;
  if (const int status = matchSales(product.PrID, day, cost); status < 0) return status;
  valueLots(cost);
  cost.inventoryItem = true;
  return engine.errorCode();
}

int InventoryCosting::buildLots(const std::string& code, const DateTime& asOf,
                                InventoryCost& cost) {
  engine::Table* purchases = session_.purchases();
  if (!purchases) return engine::kErrOpen;
  const engine::Field* product = purchases->field("PURProd");
  const engine::Field* date = purchases->field("PURDate");
  const engine::Field* quantity = purchases->field("PURQty");
  const engine::Field* total = purchases->field("PURCost");
  if (!product || !date || !quantity || !total) return engine::kErrField;
  if (const int status = SelectTag(*purchases, "Pur"); status < 0) return status;
  // The tag upper-cases the code: its range may hold the same code spelt
  // in another case, interleaved by date, which is passed over.
  const std::string exact = fullWidthKey(code, *product);
  const std::string key = base::upper1252(exact);
  const DateTime now = session_.now();
  for (Result at = data::LiveSeek(*purchases, key); at == Result::Success;
       at = data::LiveNext(*purchases)) {
    const std::string stored = product->str();
    if (base::upper1252(stored) != key) break;
    const double bought = quantity->asDouble();
    if (stored != exact || bought <= 0) continue;
    const DateTime day = data::ReadDate(*date, now).date();
    if (day <= asOf)
      lots_.push_back({bought, total->asDouble() / bought, day});
    else
      cost.purchasedAfter += bought;
  }
  return 0;
}

int InventoryCosting::loadInvoiceDates() {
  engine::Table* invoices = session_.invoices();
  if (!invoices) return engine::kErrOpen;
  const engine::Field* number = invoices->field("IvNo");
  const engine::Field* invoiced = invoices->field("IDate");
  if (!number || !invoiced) return engine::kErrField;
  if (const int status = SelectTag(*invoices, "Inv"); status < 0) return status;
  const DateTime now = session_.now();
  engine::Engine& engine = session_.engine();
  engine.errorCode();
  invoiceDates_.clear();
  for (Result at = data::LiveTop(*invoices); at == Result::Success;
       at = data::LiveNext(*invoices)) {
    invoiceDates_.emplace_back(number->asLong(), data::ReadDate(*invoiced, now).date());
  }
  // Of equal numbers the first in the tag's order is kept, as a seek finds it.
  auto byNumber = [](const auto& a, const auto& b) { return a.first < b.first; };
  std::stable_sort(invoiceDates_.begin(), invoiceDates_.end(), byNumber);
  auto sameNumber = [](const auto& a, const auto& b) { return a.first == b.first; };
  invoiceDates_.erase(std::unique(invoiceDates_.begin(), invoiceDates_.end(), sameNumber),
                      invoiceDates_.end());
  datesLoaded_ = true;
  return engine.errorCode();
}

std::optional<DateTime> InventoryCosting::invoiceDate(long ivNo) const {
  const auto found = std::lower_bound(
      invoiceDates_.begin(), invoiceDates_.end(), ivNo,
      [](const std::pair<long, DateTime>& entry, long number) { return entry.first < number; });
  if (found == invoiceDates_.end() || found->first != ivNo) return std::nullopt;
  return found->second;
}

int InventoryCosting::matchSales(const std::string& code, const DateTime& asOf,
                                 InventoryCost& cost) {
  engine::Table* items = session_.items();
  if (!items) return engine::kErrOpen;
  const engine::Field* product = items->field("PrID");
  const engine::Field* number = items->field("IvNo");
  const engine::Field* quantity = items->field("Qty");
  if (!product || !number || !quantity) return engine::kErrField;
  if (!datesLoaded_) {
    if (const int status = loadInvoiceDates(); status < 0) return status;
  }
  if (const int status = SelectTag(*items, "ItmP"); status < 0) return status;
  const std::string key = fullWidthKey(code, *product);
  for (Result at = data::LiveSeek(*items, key); at == Result::Success;
       at = data::LiveNext(*items)) {
    if (product->str() != key) break;
    const std::optional<DateTime> sold = invoiceDate(number->asLong());
    if (!sold) continue;
    const double sale = quantity->asDouble();
    if (*sold > asOf || lots_.empty())
      cost.soldNotCosted += sale;
    else if (method_ == CostMethod::FirstInFirstOut)
      cost.soldNotCosted += consumeFirstIn(sale);
    else
      cost.soldNotCosted += consumeLastIn(sale, *sold);
  }
  return 0;
}

double InventoryCosting::consumeFirstIn(double quantity) {
  for (Lot& lot : lots_) {
    quantity = consume(lot.remaining, quantity);
    if (quantity <= 0) break;
  }
  return quantity;
}

double InventoryCosting::consumeLastIn(double quantity, const DateTime& saleDate) {
  // Newest first among the lots bought by the sale's date; then, for what
  // they could not cover, every lot oldest first.
  for (auto lot = lots_.rbegin(); lot != lots_.rend() && quantity > 0; ++lot) {
    if (lot->date > saleDate || lot->remaining <= 0) continue;
    quantity = consume(lot->remaining, quantity);
  }
  for (auto lot = lots_.begin(); lot != lots_.end() && quantity > 0; ++lot)
    quantity = consume(lot->remaining, quantity);
  return quantity;
}

void InventoryCosting::valueLots(InventoryCost& cost) const {
  for (const Lot& lot : lots_) {
    cost.onHand += lot.remaining;
    cost.value += lot.remaining * lot.unitCost;
  }
}

int InventoryCosting::CostOfGoods(const DateTime& from, const DateTime& to, GoodsCost& cost,
                                  const std::function<void()>& step) {
  cost = {};
  if (const int status = inventoryValue(dayBefore(from.date()), cost.beginning, step); status < 0)
    return status;
  if (const int status = purchasesWithin(from.date(), to.date(), cost.purchases, step); status < 0)
    return status;
  return inventoryValue(to.date(), cost.ending, step);
}

int InventoryCosting::inventoryValue(const DateTime& asOf, double& value,
                                     const std::function<void()>& step) {
  engine::Table* products = session_.products();
  if (!products) return engine::kErrOpen;
  const engine::Field* id = products->field("PrID");
  const engine::Field* stocked = products->field("lInven");
  if (!id || !stocked) return engine::kErrField;
  engine::Engine& engine = session_.engine();
  engine.errorCode();
  data::ProductRecord product;
  for (Result at = data::LiveTop(*products); at == Result::Success;
       at = data::LiveNext(*products)) {
    if (step) step();
    product.PrID = data::ReadText(*id);
    product.lInven = data::ReadLogical(*stocked);
    InventoryCost one;
    if (const int status = CostInventory(product, asOf, one); status < 0) return status;
    value += one.value;
  }
  return engine.errorCode();
}

int InventoryCosting::purchasesWithin(const DateTime& from, const DateTime& to, double& total,
                                      const std::function<void()>& step) {
  engine::Table* purchases = session_.purchases();
  if (!purchases) return engine::kErrOpen;
  const engine::Field* date = purchases->field("PURDate");
  const engine::Field* cost = purchases->field("PURCost");
  if (!date || !cost) return engine::kErrField;
  if (const int status = SelectTag(*purchases, "Pur"); status < 0) return status;
  engine::Engine& engine = session_.engine();
  engine.errorCode();
  const DateTime now = session_.now();
  for (Result at = data::LiveTop(*purchases); at == Result::Success;
       at = data::LiveNext(*purchases)) {
    if (step) step();
    const DateTime day = data::ReadDate(*date, now).date();
    if (day >= from && day <= to) total += cost->asDouble();
  }
  return engine.errorCode();
}

}  // namespace vt::reports
