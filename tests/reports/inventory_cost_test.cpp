// The stock of one product costed from its purchases and sales, and the cost
// of goods sold over a span, against figures worked out by hand.
#include "reports/inventory_cost.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "access_test_support.h"

namespace vt::reports {
namespace {

using base::MakeDate;

// Days are of March 2026; a sale on day 0 has no invoice record.
struct Purchase {
  const char* code;
  int day;
  double qty;
  double cost;
};
struct Sale {
  int ivNo;
  int day;
  double qty;
};

class InventoryCostTest : public data::testing::AccessTest {
 protected:
  void SetUp() override {
    AccessTest::SetUp();
    ASSERT_TRUE(session->OpenProducts() && session->OpenPurchases() && session->OpenItems() &&
                session->OpenInvoices());
    product("AB1", true);
    // A neighbour whose records follow AB1's in both tags.
    product("AB2", false);
    purchase("AB2", MakeDate(2026, 1, 1), 100, 100);
    sale("AB2", 1, MakeDate(2026, 1, 2), 50);
  }
  void product(const std::string& code, bool stocked) {
    data::ProductRecord record;
    record.PrID = code;
    record.lInven = stocked;
    data::testing::appendProduct(*session, record);
    products.push_back(session->Product);
  }
  void purchase(const std::string& code, const base::DateTime& day, double qty, double cost) {
    ASSERT_EQ(session->purchases()->appendBlank(), 0);
    session->Purchase = {code, day, qty, cost, 0};
    ASSERT_EQ(session->StorePurchase(), 0);
  }
  void sale(const std::string& code, int ivNo, const base::DateTime& day, double qty) {
    data::InvoiceRecord invoice;
    invoice.IvNo = ivNo;
    invoice.IDate = day;
    if (day.year) data::testing::appendInvoice(*session, invoice);
    data::ItemRecord item;
    item.IvNo = ivNo;
    item.PrID = code;
    item.Qty = qty;
    data::testing::appendItem(*session, item);
  }

  std::vector<data::ProductRecord> products;  // as loaded: AB1, AB2
};

struct Case {
  const char* name;
  CostMethod method;
  std::vector<Purchase> purchases;
  std::vector<Sale> sales;  // all of AB1
  InventoryCost expected;   // as of March 10
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

class CostInventoryTest : public InventoryCostTest, public ::testing::WithParamInterface<Case> {};

constexpr CostMethod kFifo = CostMethod::FirstInFirstOut;
constexpr CostMethod kLifo = CostMethod::LastInFirstOut;
const std::vector<Purchase> kTwoLots = {{"AB1", 1, 10, 10}, {"AB1", 2, 10, 20}};

const Case kCases[] = {
    {"FifoTwoLots", kFifo, kTwoLots, {{100, 5, 15}}, {true, 5, 10, 0, 0}},
    {"LifoTwoLots", kLifo, kTwoLots, {{100, 5, 15}}, {true, 5, 5, 0, 0}},
    {"LifoNewerLotAfterSale",
     kLifo,
     {{"AB1", 1, 10, 10}, {"AB1", 6, 10, 20}},
     {{100, 5, 15}},
     {true, 5, 10, 0, 0}},
    {"SaleAndPurchaseAfterDate",
     kFifo,
     {{"AB1", 1, 10, 10}, {"AB1", 20, 4, 12}},
     {{100, 15, 3}},
     {true, 10, 10, 3, 4}},
    {"FifoReturnToOldestLot", kFifo, kTwoLots, {{100, 3, 15}, {101, 4, -2}}, {true, 7, 12, 0, 0}},
    {"LifoReturnUncosted", kLifo, kTwoLots, {{100, 3, 15}, {101, 4, -2}}, {true, 5, 5, -2, 0}},
    {"SaleBeyondLots", kFifo, {{"AB1", 1, 5, 5}}, {{100, 3, 8}}, {true, 0, 0, 3, 0}},
    {"NoPurchases", kLifo, {}, {{100, 3, 4}}, {true, 0, 0, 4, 0}},
    {"EmptyPurchasesAndMissingInvoice",
     kFifo,
     {{"AB1", 1, 0, 5}, {"AB1", 2, 10, 10}, {"AB1", 3, -2, 4}, {"AB1", 20, 0, 5}},
     {{100, 0, 4}},
     {true, 10, 10, 0, 0}},
    // The purchase tag upper-cases codes: a purchase of "ab1" sorts among
    // AB1's and must not end them.
    {"OtherSpellingWithinTheCodesPurchases",
     kFifo,
     {{"AB1", 1, 10, 10}, {"ab1", 2, 5, 50}, {"AB1", 3, 10, 20}},
     {},
     {true, 20, 30, 0, 0}},
    // 0.30 - 0.10 is just under 0.20 in binary; no sliver may stay uncosted.
    {"QuantitiesKeptInCents",
     kFifo,
     {{"AB1", 1, 0.3, 0.3}},
     {{100, 2, 0.1}, {101, 3, 0.2}},
     {true, 0, 0, 0, 0}},
};

TEST_P(CostInventoryTest, CostsTheProductAsOfTheDate) {
  const Case& c = GetParam();
  for (const Purchase& p : c.purchases) purchase(p.code, MakeDate(2026, 3, p.day), p.qty, p.cost);
  for (const Sale& s : c.sales)
    sale("AB1", s.ivNo, s.day ? MakeDate(2026, 3, s.day) : base::DateTime{}, s.qty);
  InventoryCosting costing(*session, c.method);
  InventoryCost cost;
  ASSERT_EQ(costing.CostInventory(products[0], MakeDate(2026, 3, 10), cost), 0);
  EXPECT_TRUE(cost.inventoryItem);
  EXPECT_DOUBLE_EQ(cost.onHand, c.expected.onHand);
  EXPECT_DOUBLE_EQ(cost.value, c.expected.value);
  EXPECT_DOUBLE_EQ(cost.soldNotCosted, c.expected.soldNotCosted);
  EXPECT_DOUBLE_EQ(cost.purchasedAfter, c.expected.purchasedAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, CostInventoryTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InventoryCostTest, CostOfGoodsCountsAPurchaseOnTheFirstDayAsBought) {
  purchase("AB1", MakeDate(2026, 3, 20), 10, 10);
  purchase("AB1", MakeDate(2026, 4, 1), 10, 20);
  purchase("AB1", MakeDate(2026, 5, 2), 5, 50);
  sale("AB1", 100, MakeDate(2026, 4, 10), 12);
  InventoryCosting costing(*session, kFifo);
  GoodsCost cost;
  int steps = 0;
  ASSERT_EQ(
      costing.CostOfGoods(MakeDate(2026, 4, 1), MakeDate(2026, 4, 30), cost, [&steps] { ++steps; }),
      0);
  // AB2, not stocked, adds nothing to either inventory.
  EXPECT_DOUBLE_EQ(cost.beginning, 10);  // the March lot
  EXPECT_DOUBLE_EQ(cost.purchases, 20);  // bought on April 1
  EXPECT_DOUBLE_EQ(cost.ending, 16);     // 8 of the April lot at 2.00
  EXPECT_DOUBLE_EQ(cost.sold(), 14);
  EXPECT_EQ(steps, 2 * 2 + 4);  // two products twice, four purchases
}

}  // namespace
}  // namespace vt::reports
