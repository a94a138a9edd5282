// CustomerAddress: five lines, name and company in the customer order, an
// empty line leaving no gap, and the postal code after the last line that
// holds anything, on a line of its own when that line is long.
#include <gtest/gtest.h>

#include "access_test_support.h"
#include "data/customer_address.h"

namespace vt::data {
namespace {

CustomerRecord customer() {
  CustomerRecord c;
  c.title = "Dr ";  // as read: blank-padded to the field's width
  c.first = "Ann          ";
  c.last = "Smith               ";
  c.addr1 = "Acme Corp   ";
  c.addr2 = "1 Main St ";
  c.addr3 = "";
  c.addr4 = "Springfield IL";
  c.zip = "62701     ";
  return c;
}

using Lines = std::vector<std::string>;

TEST(CustomerAddress, ByNameThenCompany) {
  EXPECT_EQ(AddressBlock(customer(), true),
            (Lines{"Dr Ann Smith", "Acme Corp", "1 Main St", "Springfield IL  62701", ""}));
}

TEST(CustomerAddress, ByCompanyThenName) {
  EXPECT_EQ(AddressBlock(customer(), false),
            (Lines{"Acme Corp", "Dr Ann Smith", "1 Main St", "Springfield IL  62701", ""}));
}

TEST(CustomerAddress, NameWithoutTitleOrFirstNameHasNoLeadingBlanks) {
  CustomerRecord c = customer();
  c.title = "   ";
  c.first = "";
  EXPECT_EQ(AddressBlock(c, true)[0], "Smith");
}

TEST(CustomerAddress, ZipFollowsTheLastLineThatHoldsAnything) {
  CustomerRecord c = customer();
  c.addr4 = "";
  EXPECT_EQ(AddressBlock(c, true),
            (Lines{"Dr Ann Smith", "Acme Corp", "1 Main St  62701", "", ""}));
}

TEST(CustomerAddress, LongLastLineSendsTheZipToTheNextLineIndented) {
  CustomerRecord c = customer();
  c.addr2 = c.addr3 = c.addr4 = "";
  c.addr1 = "Twenty-three characters";  // 23 characters
  ASSERT_EQ(c.addr1.size(), 23u);
  EXPECT_EQ(AddressBlock(c, true),
            (Lines{"Dr Ann Smith", c.addr1, std::string(20, ' ') + "62701", "", ""}));
}

TEST(CustomerAddress, TwentyTwoCharactersStillTakeTheZip) {
  CustomerRecord c = customer();
  c.addr2 = std::string(22, 'x');
  c.addr4 = "";
  EXPECT_EQ(AddressBlock(c, true)[2], std::string(22, 'x') + "  62701");
  EXPECT_EQ(AddressBlock(c, true)[3], "");
}

TEST(CustomerAddress, LengthCountsCharactersNotBytes) {
  CustomerRecord c = customer();
  c.addr2 = "M\xC3\xBCller & S\xC3\xB6hne GmbH KG";  // 22 characters, 24 bytes
  c.addr4 = "";
  EXPECT_EQ(AddressBlock(c, true)[2], c.addr2 + "  62701");
}

TEST(CustomerAddress, OnlyLineZeroFilledPutsTheZipThere) {
  CustomerRecord c;
  c.addr1 = "Acme";
  c.zip = "10001";
  EXPECT_EQ(AddressBlock(c, false), (Lines{"Acme  10001", "", "", "", ""}));
  // A name line over 22 characters with nothing below it.
  c.addr1 = "A company name that is long";
  EXPECT_EQ(AddressBlock(c, false), (Lines{c.addr1, std::string(20, ' ') + "10001", "", "", ""}));
}

TEST(CustomerAddress, LastLineAlwaysKeepsTheZip) {
  CustomerRecord c = customer();
  c.addr3 = "Suite 4";
  c.addr4 = std::string(30, 'w');  // wider than the field allows
  EXPECT_EQ(AddressBlock(c, true)[4], std::string(30, 'w') + "  62701");
}

using CustomerAddressSession = testing::AccessTest;

TEST_F(CustomerAddressSession, FollowsTheCustomerOrderSetting) {
  session->Customer = customer();
  session->settings.ByCust = false;
  session->CustomerAddress();
  EXPECT_EQ(session->AddressLines.size(), 5u);
  EXPECT_EQ(session->AddressLines[0], "Acme Corp");
  session->settings.ByCust = true;
  session->CustomerAddress();
  EXPECT_EQ(session->AddressLines[0], "Dr Ann Smith");
}

}  // namespace
}  // namespace vt::data
