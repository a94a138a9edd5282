// Packing after deletions: records marked deleted go, the indexes and memos
// follow, the progress box shows each step, and NeedsPack is cleared only
// when every table was packed.
#include <gtest/gtest.h>

#include <filesystem>

#include "access_test_support.h"
#include "base/text1252.h"

namespace vt::data {
namespace {

namespace fs = std::filesystem;

class PackTest : public testing::AccessTest {
 protected:
  void SetUp() override {
    AccessTest::SetUp();
    ASSERT_TRUE(session->OpenCustomers());
    const char* names[] = {"Adams", "Baker", "Clark"};
    for (int i = 0; i < 3; ++i) {
      CustomerRecord c;
      c.cuno = i + 1;
      c.last = names[i];
      c.comments = std::string(20000, char('a' + i));
      ASSERT_NO_FATAL_FAILURE(testing::appendCustomer(*session, c));
    }
  }
  // Marks record `recno` of an open table deleted, as an editor does.
  void deleteRecord(engine::Table* table, uint32_t recno) {
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->go(recno), engine::Result::Success);
    table->deleteRecord();
    ASSERT_EQ(table->flush(), 0);
    session->NeedsPack = true;
  }
};

TEST_F(PackTest, PackTableRemovesDeletedRecordsAndKeepsTheIndexCurrent) {
  deleteRecord(session->customers(), 2);
  ASSERT_EQ(session->PackTable("CUST5", false), 0);
  EXPECT_EQ(session->customers(), nullptr) << "the session's handle was closed first";

  ASSERT_TRUE(session->OpenCustomers());
  EXPECT_EQ(session->customers()->recCount(), 2u);
  EXPECT_NE(session->customers()->seek("BAKER"), engine::Result::Success);
  ASSERT_EQ(session->customers()->seek("CLARK"), engine::Result::Success);
  EXPECT_EQ(session->customers()->recNo(), 2u);
  ASSERT_EQ(session->LoadCustomer(), 0);
  EXPECT_EQ(session->Customer.cuno, 3);
  EXPECT_EQ(session->Customer.comments, std::string(20000, 'c'));
}

TEST_F(PackTest, MemoCompressionDropsTheDeletedRecordsMemo) {
  deleteRecord(session->customers(), 1);
  session->CloseAll();
  const auto before = fs::file_size(dir.file("CUST5.dbt"));
  ASSERT_EQ(session->PackTable("cust5", true), 0);
  EXPECT_LT(fs::file_size(dir.file("CUST5.dbt")), before - 19000);
  ASSERT_TRUE(session->OpenCustomers());
  ASSERT_EQ(session->LoadCustomer(), 0);
  EXPECT_EQ(base::trim(session->Customer.last), "Baker");
  EXPECT_EQ(session->Customer.comments, std::string(20000, 'b'));
}

TEST_F(PackTest, PackTableOfAMissingTableFails) {
  EXPECT_EQ(session->PackTable("NOSUCH", false), engine::kErrOpen);
  EXPECT_EQ(session->engine().accessMode, engine::AccessMode::Shared);
}

TEST_F(PackTest, PackAllPacksEveryTableWithProgressAndClearsNeedsPack) {
  deleteRecord(session->customers(), 3);
  ASSERT_TRUE(session->OpenInvoices());
  ASSERT_TRUE(session->OpenItems());
  InvoiceRecord inv;
  inv.IvNo = 1;
  ASSERT_NO_FATAL_FAILURE(testing::appendInvoice(*session, inv));
  ASSERT_NO_FATAL_FAILURE(testing::appendItem(*session, {1, "W1", 1, 1, false, false, "", ""}));
  ASSERT_NO_FATAL_FAILURE(testing::appendItem(*session, {1, "W2", 1, 1, false, false, "", ""}));
  deleteRecord(session->items(), 1);

  ASSERT_EQ(session->PackAll(), 0);
  EXPECT_FALSE(session->NeedsPack);
  EXPECT_EQ(progress.events,
            (std::vector<std::string>{"show Packing Data Files", "set 10", "set 30", "set 35",
                                      "set 50", "set 70", "set 75", "set 85", "set 100", "hide"}));
  EXPECT_EQ(session->engine().accessMode, engine::AccessMode::Shared);

  ASSERT_TRUE(session->OpenCustomers());
  ASSERT_TRUE(session->OpenItems());
  EXPECT_EQ(session->customers()->recCount(), 2u);
  EXPECT_EQ(session->items()->recCount(), 1u);
  ASSERT_EQ(session->items()->seek("     1"), engine::Result::Success);
  ASSERT_EQ(session->LoadItem(), 0);
  EXPECT_EQ(base::trim(session->Item.PrID), "W2");
}

TEST_F(PackTest, PackAllGoesOnPastAFailureAndKeepsNeedsPack) {
  deleteRecord(session->customers(), 1);
  session->CloseAll();
  fs::remove(dir.file("GROUPS.dbf"));
  EXPECT_EQ(session->PackAll(), engine::kErrOpen);
  EXPECT_TRUE(session->NeedsPack);
  EXPECT_EQ(progress.events.back(), "hide");
  ASSERT_TRUE(session->OpenCustomers());
  EXPECT_EQ(session->customers()->recCount(), 2u) << "the customers were packed all the same";
}

}  // namespace
}  // namespace vt::data
