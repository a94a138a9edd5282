// Sales by Product and Product Buyers: their rows against the invoices,
// items, products, customers and groups written here.
#include <gtest/gtest.h>

#include <memory>

#include "report_test_support.h"
#include "reports/sales_reports.h"

namespace vt::reports {
namespace {

using base::FloatText;
using base::MakeDate;

struct Sale {
  int ivNo, cuNo;
  base::DateTime date;
  std::vector<std::tuple<std::string, double, double>> items;  // code, quantity, price
};

// April holds 100, 103 and 101 (on the last day); Y and Z are not products.
const Sale kSales[] = {
    {100, 7, MakeDate(2026, 4, 1), {{"Z", 2, 3}, {"A", 0.25, 0.5}, {"B", 1, 10}}},
    {102, 7, MakeDate(2026, 5, 1), {{"A", 100, 1}}},
    {101, 8, MakeDate(2026, 4, 30), {{"A", 0.25, 0.5}, {"Y", 1, 1}, {"Z", 1, 3}}},
    {103, 99, MakeDate(2026, 4, 15), {{"A", 1, 0.5}}},
};
const base::DateTime kFrom = MakeDate(2026, 4, 1), kTo = MakeDate(2026, 4, 30);
constexpr long kProductA = 2;  // its record number

class ProductReportsTest : public testing::ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    ASSERT_TRUE(session->OpenGroups());
    for (const auto& [code, description] :
         {std::pair{"B", "Bolt"}, {"A", "Anchor"}, {"C", "Clip"}}) {
      data::ProductRecord product;
      product.PrID = code;
      product.PDesc = description;
      data::testing::appendProduct(*session, product);
    }
    for (const auto& [cuno, company, group] : {std::tuple{7, "Acme Co", 3}, {8, "Beta Ltd", 5}}) {
      data::CustomerRecord customer;
      customer.cuno = cuno;
      customer.addr1 = company;
      customer.ngroup = group;
      data::testing::appendCustomer(*session, customer);
    }
    data::testing::appendGroup(*session, 3, "Retail");
    for (const Sale& s : kSales) {
      data::testing::appendInvoice(*session, {s.ivNo, s.cuNo, "", s.date, "", 0, 0, 0, ""});
      for (const auto& [code, qty, price] : s.items) {
        data::testing::appendItem(*session, {s.ivNo, code, qty, price, false, false, "", ""});
      }
    }
    session->settings.ByCust = false;
  }
};

TEST_F(ProductReportsTest, SalesByProductInProductOrderThenUnknownCodesInOrderOfFirstSale) {
  auto row = [](const std::string& code, const std::string& description, double qty, double total,
                const std::string& style) {
    return "V00|L02" + code + "|V13|L15" + description + "|V43|R49" + FloatText(qty, 10, 2) +
           "|V51|R63" + FloatText(total, 10, 2) + "|V65|" + style + "|";
  };
  // A's total adds each sale's line total to the cent: 0.125 gives 0.13,
  // twice, beside 0.50.
  const std::vector<std::string> expected = {
      row("A", "Anchor", 1.5, 0.76, ""), row("B", "Bolt", 1, 10, ""),
      row("Z", "Unknown Product", 3, 9, ""), row("Y", "Unknown Product", 1, 1, "U"),
      "V00|L02Total Sales|||||V51|R63" + FloatText(20.76, 10, 2) + "|V65|U|"};
  ASSERT_EQ(ProductSummary(*context, kFrom, kTo), 0);
  EXPECT_EQ(lastRows(expected.size()), expected);
  EXPECT_EQ(doc.ReportTitles,
            std::vector<std::string>{"Sales by Product from 4/1/2026 through 4/30/2026"});
  EXPECT_EQ(session->products(), nullptr);
}

TEST_F(ProductReportsTest, ProductBuyersListEverySaleWithUnknownCustomersAndGroups) {
  auto row = [](const std::string& name, const std::string& group, const std::string& date,
                double price, const std::string& style) {
    return "V00|L01" + name + "|V36|L37" + group + "|V57|R66" + date + "|V67|R76" +
           FloatText(price, 8, 2) + "|V77|" + style + "|";
  };
  const std::vector<std::string> expected = {row("Acme Co", "Retail", "4/1/2026", 0.5, ""),
                                             row("UNKNOWN", "UNKNOWN", "4/15/2026", 0.5, ""),
                                             row("Beta Ltd", "UNKNOWN", "4/30/2026", 0.5, "U")};
  ASSERT_EQ(ProductBuyers(*context, kProductA, kFrom, kTo), 0);
  EXPECT_EQ(lastRows(expected.size()), expected);
  EXPECT_EQ(doc.ReportTitles,
            (std::vector<std::string>{"Buyers of A-Anchor", "from 4/1/2026 through 4/30/2026"}));
  EXPECT_EQ(session->groups(), nullptr);
}

}  // namespace
}  // namespace vt::reports
