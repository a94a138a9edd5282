// The customer profile: address blocks beside the items bought, by customer
// number and by group, and a block kept whole on one page.
#include "reports/customer_profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "report_test_support.h"

namespace vt::reports {
namespace {

using base::FloatText;
using base::MakeDate;

// A block row: address line (or none), then the item's date, product,
// quantity and price (or none).
std::string Row(const char* address, const char* date = nullptr, const char* product = "",
                double qty = 0, double price = 0, const std::string& style = "") {
  std::string row = "V00|" + (address ? "L01" + std::string(address) : "") + "|V35|";
  if (date) {
    row += "R43" + std::string(date) + "|V45|L46" + product + "|V57|R61" + FloatText(qty, 8, 2) +
           "|V63|R71" + FloatText(price, 8, 2);
  } else {
    row += "|V45||V57||V63|";
  }
  return row + "|V72|" + style + "|";
}

class CustomerProfileTest : public testing::ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    ASSERT_TRUE(session->OpenGroups());
    session->settings.ByCust = false;
    data::testing::appendGroup(*session, 3, "Retail  ");
    // 7 has blank third and fourth address lines and no invoice; 8 fills
    // every line; 9 sorts first by name.
    for (const auto& [cuno, last, company, addr3, addr4, group] :
         {std::tuple{7, "Lee", "Acme Co", "", "", 3},
          {8, "Moss", "Beta Ltd", "Suite 4", "Springfield", 5},
          {9, "Adams", "Core Inc", "", "", 3}}) {
      data::CustomerRecord customer;
      customer.cuno = cuno;
      customer.last = last;
      customer.addr1 = company;
      customer.addr2 = "1 Main St";
      customer.addr3 = addr3;
      customer.addr4 = addr4;
      customer.zip = "12345";
      customer.ngroup = group;
      data::testing::appendCustomer(*session, customer);
    }
    // Customer 8: three invoices, seven items.
    for (const auto& [ivNo, day] : {std::pair{100, 2}, {101, 3}, {102, 4}}) {
      data::testing::appendInvoice(*session,
                                   {ivNo, 8, "", MakeDate(2026, 4, day), "", 0, 0, 0, ""});
    }
    for (const auto& [ivNo, code, qty, price] : {std::tuple{100, "A", 1.0, 2.5},
                                                 {100, "B", 2.0, 1.0},
                                                 {101, "C", 3.0, 4.0},
                                                 {101, "A", 1.0, 2.5},
                                                 {101, "D", 5.0, 0.5},
                                                 {102, "E", 1.0, 9.0},
                                                 {102, "F", 2.0, 3.0}}) {
      data::testing::appendItem(*session, {ivNo, code, qty, price, false, false, "", ""});
    }
    profile = std::make_unique<CustomerProfile>(*context);
    ASSERT_EQ(profile->Start(), 0);
  }

  // The block of a customer without invoices, a blank third and fourth
  // address line and group 3.
  static std::vector<std::string> plainBlock(const char* company, const char* last, int cuno) {
    const std::string numbered = "Cust#: " + std::to_string(cuno) + "  Group: Retail";
    return {Row(company), Row(last), Row("1 Main St  12345"),
            Row(numbered.c_str(), nullptr, "", 0, 0, "U")};
  }

  std::unique_ptr<CustomerProfile> profile;
};

TEST_F(CustomerProfileTest, BlocksOfNumberedCustomersWithTheirAddressesBesideTheirItems) {
  int unknown = 0;
  EXPECT_EQ(profile->AddCustomers({8, 42, 7}, unknown), kCustomerUnknown);
  EXPECT_EQ(unknown, 42);
  EXPECT_TRUE(doc.empty());
  ASSERT_EQ(profile->AddCustomers({7, 8}, unknown), 0);
  profile->Finish();
  std::vector<std::string> expected = plainBlock("Acme Co", "Lee", 7);
  const std::vector<std::string> block8 = {Row("Beta Ltd", "4/2/2026", "A", 1, 2.5),
                                           Row("Moss", "4/2/2026", "B", 2, 1),
                                           Row("1 Main St", "4/3/2026", "C", 3, 4),
                                           Row("Suite 4", "4/3/2026", "A", 1, 2.5),
                                           Row("Springfield  12345", "4/3/2026", "D", 5, 0.5),
                                           Row("Cust#: 8  Group:", "4/4/2026", "E", 1, 9),
                                           Row(nullptr, "4/4/2026", "F", 2, 3, "U")};
  expected.insert(expected.end(), block8.begin(), block8.end());
  EXPECT_EQ(lastRows(expected.size()), expected);
  EXPECT_EQ(doc.ReportTitles, std::vector<std::string>{"Customer Profile"});
  EXPECT_EQ(session->customers(), nullptr);
}

TEST_F(CustomerProfileTest, ByGroupsTakesTheGroupsCustomersInNameOrder) {
  ASSERT_EQ(profile->AddGroups({3}), 0);
  std::vector<std::string> expected = plainBlock("Core Inc", "Adams", 9);
  const std::vector<std::string> block7 = plainBlock("Acme Co", "Lee", 7);
  expected.insert(expected.end(), block7.begin(), block7.end());
  EXPECT_EQ(lastRows(expected.size()), expected);
}

TEST_F(CustomerProfileTest, ABlockStartsANewPageWhenFewerThanFourRowsAreLeft) {
  for (const int left : {3, 4}) {
    ASSERT_EQ(profile->Start(), 0);
    int unknown = 0;
    ASSERT_EQ(profile->AddCustomers({7}, unknown), 0);
    doc.LinesPerPage = doc.PageLine + left;
    ASSERT_EQ(profile->AddCustomers({9}, unknown), 0);
    const std::vector<std::string> all = rows();
    EXPECT_EQ(std::count(all.begin(), all.end(), "EJECT" + std::string(12, '|')), left < 4 ? 1 : 0)
        << left;
    EXPECT_EQ(lastRows(4), plainBlock("Core Inc", "Adams", 9)) << left;
  }
}

}  // namespace
}  // namespace vt::reports
