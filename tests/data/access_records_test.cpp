// The Load and Store routines and the rules they share: texts in UTF-8 in
// the buffers and Windows-1252 in the file, cut to 59 characters; memos
// trimmed and at most 32,000 characters; logicals "T"/"F"; dates
// "yyyymmdd"; the constant and carried fields.
#include <gtest/gtest.h>

#include "access_test_support.h"
#include "base/text1252.h"

namespace vt::data {
namespace {

class AccessRecordsTest : public testing::AccessTest {
 protected:
  // A field of a record as stored, read with an engine of its own after the
  // session has closed its tables.
  std::string raw(const std::string& table, uint32_t recno, const std::string& field) {
    session->CloseAll();
    engine::Engine engine(dir.path());
    engine::Table* t = engine.open(table);
    EXPECT_NE(t, nullptr) << table;
    if (!t || t->go(recno) != engine::Result::Success) return "<no record>";
    engine::Field* f = t->field(field);
    return f->type() == 'M' ? f->memo() : f->str();
  }
  // Sets a field directly, as another program would.
  void poke(const std::string& table, uint32_t recno, const std::string& field,
            const std::string& text) {
    session->CloseAll();
    engine::Engine engine(dir.path());
    engine::Table* t = engine.open(table);
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->go(recno), engine::Result::Success);
    t->field(field)->assign(text);
    ASSERT_EQ(t->flush(), 0);
  }
};

TEST_F(AccessRecordsTest, CustomerRoundTripKeepsTheFieldPadding) {
  ASSERT_TRUE(session->OpenCustomers());
  CustomerRecord c;
  c.cuno = 42;
  c.title = "Dr";
  c.first = "Ann";
  c.last = "Smith";
  c.addr1 = "Acme Corp";
  c.addr2 = "1 Main St";
  c.addr3 = "Unit 5";
  c.addr4 = "Springfield IL";
  c.zip = "62701";
  c.comments = "Pays on time.\r\nPrefers e-mail.";
  c.ngroup = 3;
  c.note = "Key account";
  c.phone = "555-0100";
  c.fax = "555-0101";
  c.email = "ann@example.com";
  testing::appendCustomer(*session, c);

  auto fresh = newSession();
  ASSERT_TRUE(fresh->OpenCustomers());
  ASSERT_EQ(fresh->LoadCustomer(), 0);
  const CustomerRecord& r = fresh->Customer;
  EXPECT_EQ(r.cuno, 42);
  EXPECT_EQ(r.title, "Dr ");
  EXPECT_EQ(r.last, "Smith" + std::string(15, ' '));
  EXPECT_EQ(base::trim(r.first), "Ann");
  EXPECT_EQ(base::trim(r.addr1), c.addr1);
  EXPECT_EQ(base::trim(r.addr2), c.addr2);
  EXPECT_EQ(base::trim(r.addr3), c.addr3);
  EXPECT_EQ(base::trim(r.addr4), c.addr4);
  EXPECT_EQ(base::trim(r.zip), c.zip);
  EXPECT_EQ(r.comments, c.comments);
  EXPECT_EQ(r.ngroup, 3);
  EXPECT_EQ(base::trim(r.note), c.note);
  EXPECT_EQ(base::trim(r.phone), c.phone);
  EXPECT_EQ(base::trim(r.fax), c.fax);
  EXPECT_EQ(base::trim(r.email), c.email);
}

TEST_F(AccessRecordsTest, TextsOver59CharactersAreCut) {
  ASSERT_TRUE(session->OpenCustomers());
  CustomerRecord c;
  c.cuno = 1;
  c.email = std::string(50, 'e') + "@example.org";  // 62 characters, field 60 wide
  c.last = std::string(30, 'L');                    // field 20 wide
  testing::appendCustomer(*session, c);
  EXPECT_EQ(raw("CUST5", 1, "email"), c.email.substr(0, 59) + " ");
  EXPECT_EQ(raw("CUST5", 1, "last"), std::string(20, 'L'));
}

TEST_F(AccessRecordsTest, CutCountsCharactersNotUtf8Bytes) {
  ASSERT_TRUE(session->OpenCustomers());
  CustomerRecord c;
  std::string umlauts;
  for (int i = 0; i < 60; ++i) umlauts += "\xC3\xBC";  // 60 times ü
  c.email = umlauts;
  testing::appendCustomer(*session, c);
  EXPECT_EQ(raw("CUST5", 1, "email"), std::string(59, '\xFC') + " ");
}

TEST_F(AccessRecordsTest, MuellerIsWindows1252InTheFileAndUtf8InTheBuffer) {
  ASSERT_TRUE(session->OpenCustomers());
  CustomerRecord c;
  c.cuno = 7;
  c.last = "M\xC3\xBCller";
  c.comments = "Gr\xC3\xBC\xC3\x9F\x65 \xE2\x82\xAC 5";  // "Grüße € 5"
  testing::appendCustomer(*session, c);
  EXPECT_EQ(base::trimRight(raw("CUST5", 1, "last")), "M\xFCller");
  EXPECT_EQ(raw("CUST5", 1, "comments"), "Gr\xFC\xDF\x65 \x80 5");

  auto fresh = newSession();
  ASSERT_TRUE(fresh->OpenCustomers());
  // The name order upper-cases the stored bytes: "M\xDCLLER".
  ASSERT_EQ(fresh->customers()->seek("M\xDCLLER"), engine::Result::Success);
  ASSERT_EQ(fresh->LoadCustomer(), 0);
  EXPECT_EQ(base::trim(fresh->Customer.last), "M\xC3\xBCller");
  EXPECT_EQ(fresh->Customer.comments, c.comments);
}

TEST_F(AccessRecordsTest, MemoOf32000CharactersIsKeptWhole) {
  ASSERT_TRUE(session->OpenProducts());
  ProductRecord p;
  p.PrID = "BIG";
  for (int i = 0; i < 3200; ++i) p.PMemo += "0123456789";
  testing::appendProduct(*session, p);
  EXPECT_EQ(session->Product.PMemo.size(), 32000u);

  auto fresh = newSession();
  ASSERT_TRUE(fresh->OpenProducts());
  ASSERT_EQ(fresh->LoadProduct(), 0);
  EXPECT_EQ(fresh->Product.PMemo, p.PMemo);
}

TEST_F(AccessRecordsTest, LongerMemoIsCutTo32000AndTheBufferShowsWhatWasStored) {
  ASSERT_TRUE(session->OpenInvoices());
  InvoiceRecord inv;
  inv.IvNo = 1;
  inv.REM = std::string(31999, 'r') + "xyz";
  testing::appendInvoice(*session, inv);
  EXPECT_EQ(session->Invoice.REM, std::string(31999, 'r') + "x");
  EXPECT_EQ(raw("INV5", 1, "REM"), std::string(31999, 'r') + "x");
}

TEST_F(AccessRecordsTest, MemoIsTrimmedOnTheRightAndPutBack) {
  ASSERT_TRUE(session->OpenCustomers());
  CustomerRecord c;
  c.comments = "  Call first.  \r\n\r\n  ";
  testing::appendCustomer(*session, c);
  EXPECT_EQ(session->Customer.comments, "  Call first.");
  EXPECT_EQ(raw("CUST5", 1, "comments"), "  Call first.");
}

TEST_F(AccessRecordsTest, LogicalsAreStoredAsTOrF) {
  ASSERT_TRUE(session->OpenProducts());
  ProductRecord p;
  p.PrID = "W1";
  p.LTax1 = true;
  p.LTax2 = false;
  p.lInven = true;
  testing::appendProduct(*session, p);
  EXPECT_EQ(raw("Prod5", 1, "LTax1"), "T");
  EXPECT_EQ(raw("Prod5", 1, "LTax2"), "F");
  EXPECT_EQ(raw("Prod5", 1, "lInven"), "T");
  EXPECT_EQ(raw("Prod5", 1, "lBuild"), "F");

  // Other programs' "t", "Y" and "y" read as true too.
  poke("Prod5", 1, "LTax2", "y");
  auto fresh = newSession();
  ASSERT_TRUE(fresh->OpenProducts());
  ASSERT_EQ(fresh->LoadProduct(), 0);
  EXPECT_TRUE(fresh->Product.LTax1);
  EXPECT_TRUE(fresh->Product.LTax2);
  EXPECT_TRUE(fresh->Product.lInven);
}

TEST_F(AccessRecordsTest, DatesAreStoredAsKeysInTheCenturyWindow) {
  ASSERT_TRUE(session->OpenPayments());
  testing::appendPayment(*session, {5, base::MakeDate(1998, 3, 5), 10.0});
  testing::appendPayment(*session, {5, base::MakeDate(1985, 7, 1), 10.0});
  EXPECT_EQ(raw("PMT", 1, "PDate"), "19980305");
  EXPECT_EQ(raw("PMT", 2, "PDate"), "20850701");
}

TEST_F(AccessRecordsTest, BlankDateReadsAsTheCurrentDateAndTime) {
  ASSERT_TRUE(session->OpenPayments());
  ASSERT_EQ(session->payments()->appendBlank(), 0);
  session->payments()->field("IvNo")->assignLong(9);
  ASSERT_EQ(session->payments()->flush(), 0);
  ASSERT_EQ(session->LoadPayment(), 0);
  EXPECT_EQ(session->Payment.IvNo, 9);
  EXPECT_EQ(session->Payment.PDate, testing::kTestNow);
}

TEST_F(AccessRecordsTest, StoreItemAlwaysWritesItsConstants) {
  ASSERT_TRUE(session->OpenItems());
  testing::appendItem(*session, {12, "W1", 2, 3.5, true, false, "Widget", "blue"});
  poke("ITM5", 1, "lBuild", "T");
  poke("ITM5", 1, "BackOrder", "4.00");
  ASSERT_TRUE(session->OpenItems());
  ASSERT_EQ(session->LoadItem(), 0);
  EXPECT_DOUBLE_EQ(session->Item.UPR, 3.5);
  ASSERT_EQ(session->StoreItem(), 0);
  EXPECT_EQ(raw("ITM5", 1, "lBuild"), "F");
  EXPECT_DOUBLE_EQ(std::stod(raw("ITM5", 1, "BackOrder")), 0.0);
  EXPECT_EQ(raw("ITM5", 1, "LTax1"), "T");
}

TEST_F(AccessRecordsTest, ProductCarriesReorderAndOnHand) {
  ASSERT_TRUE(session->OpenProducts());
  ProductRecord p;
  p.PrID = "W1";
  p.REORDER = 5;
  testing::appendProduct(*session, p);
  poke("Prod5", 1, "ONHAND", "12.50");
  ASSERT_TRUE(session->OpenProducts());
  ASSERT_EQ(session->LoadProduct(), 0);
  EXPECT_DOUBLE_EQ(session->Product.ONHAND, 12.5);
  EXPECT_DOUBLE_EQ(session->Product.REORDER, 5);
  session->Product.PDesc = "Widget, large";
  ASSERT_EQ(session->StoreProduct(), 0);
  EXPECT_DOUBLE_EQ(std::stod(raw("Prod5", 1, "ONHAND")), 12.5);
  EXPECT_DOUBLE_EQ(std::stod(raw("Prod5", 1, "REORDER")), 5);
}

TEST_F(AccessRecordsTest, PurchaseCarriesItsNumber) {
  ASSERT_TRUE(session->OpenPurchases());
  ASSERT_EQ(session->purchases()->appendBlank(), 0);
  session->Purchase = {"W1", base::MakeDate(2025, 11, 30), 10, 99.95, 0};
  ASSERT_EQ(session->StorePurchase(), 0);
  poke("Pur5", 1, "PURNo", "77");
  ASSERT_TRUE(session->OpenPurchases());
  ASSERT_EQ(session->LoadPurchase(), 0);
  EXPECT_EQ(session->Purchase.PURNo, 77);
  EXPECT_EQ(session->Purchase.PURDate, base::MakeDate(2025, 11, 30));
  EXPECT_DOUBLE_EQ(session->Purchase.PURCost, 99.95);
  session->Purchase.PURQty = 11;
  ASSERT_EQ(session->StorePurchase(), 0);
  EXPECT_EQ(base::trim(raw("Pur5", 1, "PURNo")), "77");
}

TEST_F(AccessRecordsTest, LabelDimensionsMapInTheirFieldOrder) {
  ASSERT_TRUE(session->OpenLabels());
  ASSERT_EQ(session->labels()->appendBlank(), 0);
  session->Label.Name = "Avery 5160";
  for (size_t i = 0; i < LabelDim::Count; ++i) session->Label.Dims[i] = 10.125 * double(i + 1);
  session->Label.NAcross = 3;
  session->Label.Continuous = true;
  ASSERT_EQ(session->StoreLabel(), 0);
  const char* names[] = {"TopM", "LeftM", "BottomM", "RightM", "Width", "Height", "HGap", "VGap"};
  for (size_t i = 0; i < LabelDim::Count; ++i) {
    EXPECT_DOUBLE_EQ(std::stod(raw("LABELS", 1, names[i])), 10.125 * double(i + 1)) << names[i];
  }
  EXPECT_EQ(raw("LABELS", 1, "NAcross"), "3");
  EXPECT_EQ(raw("LABELS", 1, "Continuous"), "T");
}

TEST_F(AccessRecordsTest, StoreWithoutACurrentRecordFailsAndWritesNothing) {
  ASSERT_TRUE(session->OpenGroups());
  ASSERT_EQ(session->EngineResult, engine::Result::Eof);
  session->Group = {1, "Retail"};
  EXPECT_EQ(session->StoreGroup(), engine::kErrRecord);
  EXPECT_EQ(session->engine().lastError(), 0);
  EXPECT_EQ(session->groups()->recCount(), 0u);
}

}  // namespace
}  // namespace vt::data
