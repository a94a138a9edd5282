// The product, purchase and stock reports: their rows against figures
// worked out here from the products, purchases and sales written.
#include "reports/inventory_reports.h"

#include <gtest/gtest.h>

#include <functional>

#include "report_test_support.h"

namespace vt::reports {
namespace {

using base::FloatText;
using base::MakeDate;
using data::testing::usShortDate;

constexpr CostMethod kFifo = CostMethod::FirstInFirstOut;
const base::DateTime kFrom = MakeDate(2026, 4, 1), kTo = MakeDate(2026, 4, 30);

struct Bought {
  const char* code;
  base::DateTime date;
  double qty, cost;
};
// In physical order. X is no product; B's purchase is on the span's first day.
const Bought kBought[] = {
    {"A", MakeDate(2026, 4, 10), 5, 7.5}, {"X", MakeDate(2026, 4, 20), 2, 4},
    {"A", MakeDate(2026, 3, 1), 10, 10},  {"B", MakeDate(2026, 4, 1), 10, 5},
    {"A", MakeDate(2026, 5, 2), 4, 4},    {"A", MakeDate(2026, 4, 12), 1, 1.5},
};

std::string Amount(double value, int width = 12) {
  return FloatText(value, width, 2);
}

class InventoryReportsTest : public testing::ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    ASSERT_TRUE(session->OpenPurchases());
    // Code, description, price, reorder level, inventory item, comment.
    for (const auto& [code, description, price, reorder, stocked, comment] :
         {std::tuple{"C", "Clip", 1.0, 0.0, false, ""},
          {"A", "Anchor", 2.5, 8.0, true, "Galvanised  "},
          {"B", "Bolt", 0.1, 9.0, true, "  "}}) {
      data::ProductRecord product;
      product.PrID = code;
      product.PDesc = description;
      product.UPrice = price;
      product.REORDER = reorder;
      product.lInven = stocked;
      product.IComm = comment;
      data::testing::appendProduct(*session, product);
    }
    for (const Bought& b : kBought) {
      ASSERT_EQ(session->purchases()->appendBlank(), 0);
      session->Purchase = {b.code, b.date, b.qty, b.cost, 0};
      ASSERT_EQ(session->StorePurchase(), 0);
    }
    data::testing::appendInvoice(*session, {100, 7, "", MakeDate(2026, 4, 15), "", 0, 0, 0, ""});
    for (const auto& [code, qty] : {std::pair{"A", 12.0}, {"B", 2.0}})
      data::testing::appendItem(*session, {100, code, qty, 1, false, false, "", ""});
    progress.events.clear();
  }
};

TEST_F(InventoryReportsTest, PurchasingReportNamesEachProductOnceAndTotalsTheSpan) {
  auto row = [](const std::string& code, const std::string& description, const Bought& b,
                const std::string& style) {
    return "L00" + code + "|L12" + description + "|R47" + usShortDate(b.date) + "|R58" +
           Amount(b.qty, 10) + "|R71" + Amount(b.cost) + "|" + style + "|";
  };
  double total = 0;
  for (const Bought& b : kBought)
    if (b.date >= kFrom && b.date <= kTo) total += b.cost;
  const std::vector<std::string> expected = {
      row("A", "Anchor", kBought[0], ""), row("", "", kBought[5], ""),
      row("B", "Bolt", kBought[3], ""), row("X", "Not Found", kBought[1], "U"),
      "L00Total||||R71" + Amount(total, 13) + "||"};
  ASSERT_EQ(PurchasingReport(*context, kFrom, kTo), 0);
  EXPECT_EQ(lastRows(expected.size()), expected);
  EXPECT_EQ(doc.ReportTitles,
            std::vector<std::string>{"Purchasing Report for 4/1/2026 through 4/30/2026"});
  EXPECT_EQ(progress.events.front(), "show Processing Purchasing Report");
  EXPECT_EQ(session->purchases(), nullptr);
}

TEST_F(InventoryReportsTest, ProductListingAddsTheCommentRowOnlyWhenThereIsOne) {
  const std::vector<std::string> expected = {
      "L00A|L12Anchor|R51" + Amount(2.5) + "|R64" + Amount(8) + "||", "|L12Galvanised||||",
      "L00B|L12Bolt|R51" + Amount(0.1) + "|R64" + Amount(9) + "||",
      "L00C|L12Clip|R51" + Amount(1) + "|R64" + Amount(0) + "|U|"};
  ASSERT_EQ(ProductListing(*context), 0);
  EXPECT_EQ(lastRows(expected.size()), expected);
  EXPECT_EQ(progress.events.front(), "show Processing Product Listing");
}

// As of April 30, first in first out: A keeps 3 of its April 10 lot at 1.50
// and the lot of April 12; B keeps 8 at 0.50. C is no inventory item.
TEST_F(InventoryReportsTest, InventoryValuesTheInventoryItemsAndTotalsThem) {
  const std::vector<std::string> expected = {
      "L00A|L12Anchor|R52" + Amount(4) + "|R67" + Amount(6) + "||",
      "L00B|L12Bolt|R52" + Amount(8) + "|R67" + Amount(4) + "|U|",
      "R52Total|||R67" + Amount(10) + "||"};
  ASSERT_EQ(InventoryReport(*context, kFifo, kTo), 0);
  EXPECT_EQ(lastRows(expected.size()), expected);
  EXPECT_EQ(doc.ReportTitles, std::vector<std::string>{"Inventory as of 4/30/2026"});
}

// A's 4 on hand and 4 on order meet its level of 8 exactly; B's 8 fall short
// of 9, so its row is bold, and as the last row underlined too.
TEST_F(InventoryReportsTest, StockOnHandNeedsStockOnlyBelowTheReorderLevel) {
  const std::vector<std::string> expected = {
      "L00A|L12Anchor|R52" + Amount(4) + "|R65" + Amount(4) + "|R78" + Amount(8) + "|R85OK||",
      "L00B|L12Bolt|R52" + Amount(8) + "|R65" + Amount(0) + "|R78" + Amount(9) + "|R85YES|BU|"};
  ASSERT_EQ(StockOnHand(*context, kFifo, data::testing::kTestNow), 0);
  EXPECT_EQ(lastRows(expected.size()), expected);
  EXPECT_EQ(doc.ColumnHeads[1][2], "R52Quantity");
  EXPECT_EQ(doc.ColumnHeads[2][5], "R85Stock");
}

// Beginning: A's March lot (10.00); B, bought on April 1, is a purchase.
TEST_F(InventoryReportsTest, CostOfGoodsSoldCountsThePurchaseOnTheFirstDayAsBought) {
  const double beginning = 10, purchases = 7.5 + 4 + 5 + 1.5, ending = 6 + 4;
  auto row = [](const std::string& label, double value, const std::string& style) {
    return "L00" + label + "|R50" + Amount(value) + "|" + style + "|";
  };
  const std::vector<std::string> expected = {
      row("Beginning Inventory", beginning, ""), row("Inventory Purchases", purchases, "U"),
      row("Total", beginning + purchases, ""), row("Ending Inventory", ending, "U"),
      row("Cost of Goods Sold", beginning + purchases - ending, "")};
  ASSERT_EQ(CostOfGoodsSold(*context, kFifo, kFrom, kTo), 0);
  EXPECT_EQ(lastRows(expected.size()), expected);
  EXPECT_EQ(progress.events.front(), "show Processing Cost of Goods");
  EXPECT_EQ(progress.events.back(), "hide");
  EXPECT_EQ(session->products(), nullptr);
}

TEST_F(InventoryReportsTest, NothingToReportBuildsNoRows) {
  ASSERT_EQ(session->products()->zap(), 0);
  ASSERT_EQ(session->purchases()->zap(), 0);
  const std::vector<std::function<int()>> reports = {
      [&] { return PurchasingReport(*context, kFrom, kTo); },
      [&] { return ProductListing(*context); },
      [&] { return InventoryReport(*context, kFifo, kTo); },
      [&] { return CostOfGoodsSold(*context, kFifo, kFrom, kTo); },
      [&] { return StockOnHand(*context, kFifo, kTo); }};
  for (size_t n = 0; n < reports.size(); ++n) {
    EXPECT_EQ(reports[n](), 0) << n;
    EXPECT_TRUE(doc.empty()) << n;
    EXPECT_EQ(session->products(), nullptr) << n;
  }
}

}  // namespace
}  // namespace vt::reports
