// The sample business's twenty-five products and services, and the year's
// inventory purchases of the twelve it keeps in stock.
#include <algorithm>

#include "tool/demo_sample.h"

namespace vt::tool::demo {
namespace {

const char kTonerMemo[] =
    "Return empty toner cartridges to us for recycling;\r\n"
    "we credit $3.00 for each one.";
const char kWarrantyMemo[] =
    "One-year manufacturer's warranty.\r\n"
    "Keep this invoice as your proof of purchase.";
const char kLicenseMemo[] =
    "License keys are sent by e-mail.\r\n"
    "Keep this invoice with your license records.";
const char kRepairMemo[] =
    "Repairs are guaranteed for 90 days.\r\n"
    "Please back up your data before bringing in a computer.";

struct Row {
  const char* id;
  const char* code;  // license code, or empty
  const char* desc;
  const char* comment;
  double price;
  bool shipping;  // tax 1
  bool salesTax;  // tax 2
  int weight;
  int saleMin, saleMax;
  bool hourly;
  const char* memo;  // or empty
  // Stocked items only (cost above 0): unit cost, reorder level, purchase size.
  double unitCost = 0;
  double reorder = 0;
  int buyMin = 0, buyMax = 0;
};

const Row kRows[] = {
    {"PAP-LTR", "", "Copy paper, letter", "10 reams/case, 20 lb", 42.99, true, true, 9, 1, 6, false,
     "", 27.40, 20, 42, 58},
    {"PAP-LGL", "", "Copy paper, legal", "10 reams/case, 20 lb", 54.99, true, true, 3, 1, 3, false,
     "", 35.10, 5, 8, 14},
    {"TON-BLK", "", "Laser toner, black", "approx. 3,100 pages", 89.95, true, true, 7, 1, 3, false,
     kTonerMemo, 56.40, 6, 14, 22},
    {"TON-CLR3", "", "Laser toner, color 3-pack", "cyan, magenta, yellow", 219.00, true, true, 3, 1,
     2, false, kTonerMemo, 142.00, 2, 5, 8},
    {"INK-4PK", "", "Inkjet cartridges, 4-pack", "black and 3 colors", 38.50, true, true, 5, 1, 4,
     false, "", 22.75, 10, 14, 22},
    {"LBL-3X10", "", "Address labels, 30/sheet", "1 x 2-5/8 in., 100 sheets", 24.99, true, true, 4,
     1, 5, false, "", 13.20, 8, 12, 20},
    {"USB-32", "", "USB flash drive, 32 GB", "", 12.95, true, true, 4, 1, 10, false, "", 6.10, 25,
     25, 40},
    {"KBD-MS", "", "Keyboard and mouse set", "wireless", 34.95, true, true, 3, 1, 4, false, "",
     19.80, 5, 8, 14},
    {"MON-24", "", "24 in. LED monitor", "1920 x 1080, HDMI", 169.00, true, true, 3, 1, 2, false,
     kWarrantyMemo, 118.00, 3, 5, 9},
    {"CHR-TASK", "", "Task chair, mesh back", "adjustable arms", 149.00, true, true, 2, 1, 2, false,
     "", 88.00, 2, 3, 6},
    {"SHR-8", "", "Shredder, cross-cut", "8 sheets, 5 gal. bin", 79.00, true, true, 2, 1, 1, false,
     kWarrantyMemo, 46.00, 2, 3, 5},
    {"BAT-AA24", "", "Batteries AA, 24 pack", "alkaline", 16.49, true, true, 3, 1, 6, false, "",
     8.90, 12, 15, 25},
    {"PRN-LASER", "", "Laser printer, network", "mono, duplex, 40 ppm", 289.00, true, true, 2, 1, 1,
     false, kWarrantyMemo},
    {"SW-OFFICE", "OS-1USER", "Office suite license", "1 user, perpetual", 149.99, false, true, 2,
     1, 3, false, kLicenseMemo},
    {"SW-AV", "AV-3PC", "Antivirus, 1 year", "up to 3 computers", 59.99, false, true, 3, 1, 4,
     false, kLicenseMemo},
    {"DESK-60", "", "Desk, 60 x 30 in.", "walnut laminate", 329.00, true, true, 1, 1, 1, false, ""},
    {"CAB-FILE4", "", "Filing cabinet, 4 drawer", "letter size, locking", 219.00, true, true, 1, 1,
     2, false, ""},
    {"PEN-BLK12", "", "Gel pens, black, dozen", "0.7 mm", 9.99, true, true, 4, 1, 6, false, ""},
    {"SVC-INST", "", "On-site installation", "per hour", 75.00, false, false, 4, 1, 4, true, ""},
    {"SVC-REPAIR", "", "Computer repair", "bench work, per hour", 65.00, false, false, 4, 1, 3,
     true, kRepairMemo},
    {"SVC-NET", "", "Network setup", "per hour", 85.00, false, false, 2, 2, 8, true, ""},
    {"SVC-TRAIN", "", "Software training", "per person, half day", 120.00, false, false, 2, 1, 6,
     false, ""},
    {"DELIVERY", "", "Local delivery", "within 25 miles", 15.00, false, false, 4, 1, 1, false, ""},
    {"SVC-COPY", "", "Copying, black and white", "per 100 copies", 6.00, false, true, 3, 1, 20,
     false, ""},
    {"RENT-PROJ", "", "Projector rental", "per day", 45.00, false, true, 2, 1, 3, false, ""},
};

SampleProduct product(const Row& row) {
  SampleProduct p;
  data::ProductRecord& r = p.record;
  r.PrID = row.id;
  r.RCode = row.code;
  r.PDesc = row.desc;
  r.IComm = row.comment;
  r.UPrice = row.price;
  r.LTax1 = row.shipping;
  r.LTax2 = row.salesTax;
  r.lInven = row.unitCost > 0;
  r.PMemo = row.memo;
  r.REORDER = row.reorder;
  p.weight = row.weight;
  p.saleMin = row.saleMin;
  p.saleMax = row.saleMax;
  p.hourly = row.hourly;
  p.unitCost = row.unitCost;
  p.buyMin = row.buyMin;
  p.buyMax = row.buyMax;
  return p;
}

// Each stocked item is bought this many times, about every ten weeks from
// the start of the year; the price paid rises a little each time.
constexpr int kPurchasesPerItem = 5;
constexpr int kDaysBetweenPurchases = 72;

data::PurchaseRecord purchase(const SampleProduct& p, const Arrival& a, int round, Random& random) {
  const double unitCost = p.unitCost * (1 + 0.015 * round) * (1 + 0.01 * random.between(-3, 3));
  data::PurchaseRecord r;
  r.PURProd = p.record.PrID;
  r.PURQty = a.qty;
  r.PURCost = base::RoundCents(a.qty * unitCost);
  return r;
}

}  // namespace

int WriteProducts(data::DataSession& session, Sample& sample) {
  for (const Row& row : kRows) {
    sample.products.push_back(product(row));
    session.Product = sample.products.back().record;
    const int status = AppendRecord(session.products(), session, &data::DataSession::StoreProduct);
    if (status < 0) return status;
  }
  return 0;
}

int WritePurchases(data::DataSession& session, Sample& sample) {
  std::vector<std::pair<Arrival, data::PurchaseRecord>> purchases;
  for (size_t i = 0; i < sample.products.size(); ++i) {
    const SampleProduct& p = sample.products[i];
    if (!p.record.lInven) continue;
    for (int round = 0; round < kPurchasesPerItem; ++round) {
      const Arrival a{i, round * kDaysBetweenPurchases + sample.random.between(0, 12),
                      static_cast<double>(sample.random.between(p.buyMin, p.buyMax))};
      purchases.emplace_back(a, purchase(p, a, round, sample.random));
    }
  }
  std::stable_sort(purchases.begin(), purchases.end(),
                   [](const auto& a, const auto& b) { return a.first.day < b.first.day; });
  for (auto& [arrival, record] : purchases) {
    record.PURDate = sample.date(arrival.day);
    session.Purchase = record;
    const int status =
        AppendRecord(session.purchases(), session, &data::DataSession::StorePurchase);
    if (status < 0) return status;
    sample.arrivals.push_back(arrival);
  }
  return 0;
}

}  // namespace vt::tool::demo
