// Every open index stays current through appends, changed keys, deletion
// marks, recalls, pack and zap; equal keys keep the Clipper order.
#include <random>

#include "table_support.h"

namespace vt::engine::testing {
namespace {

class IndexUpkeep : public ::testing::Test {
 protected:
  void SetUp() override {
    makeCustomers(
        dir.path(),
        {{3, "Clark", "Al", "50000"}, {1, "Adams", "Bo", "10000"}, {2, "Baker", "Cy", "50000"}});
    engine = std::make_unique<Engine>(dir.path());
    t = engine->open("CUST");
    ASSERT_NE(t, nullptr);
  }
  void expectConsistent() {
    ASSERT_EQ(t->flush(), 0);
    EXPECT_EQ(indexProblems(dir.path(), "CUST"), "");
  }
  TempDir dir;
  std::unique_ptr<Engine> engine;
  Table* t = nullptr;
};

TEST_F(IndexUpkeep, AppendedRecordsJoinEveryTag) {
  appendCustomer(t, {0, "Aaron", "Di", "00001"});
  expectConsistent();
  EXPECT_EQ(walk(t, "cname"), (std::vector<uint32_t>{4, 2, 3, 1}));
  EXPECT_EQ(walk(t, "ccno"), (std::vector<uint32_t>{4, 2, 3, 1}));
  EXPECT_EQ(walk(t, "czip"), (std::vector<uint32_t>{4, 2, 1, 3}));
}

TEST_F(IndexUpkeep, ChangedKeyMovesBehindEqualKeys) {
  // Record 2 takes the zip of records 1 and 3: it goes after both.
  ASSERT_EQ(t->go(2), Result::Success);
  t->field("zip")->assign("50000");
  expectConsistent();
  EXPECT_EQ(walk(t, "czip"), (std::vector<uint32_t>{1, 3, 2}));
  // And record 1 changed to the same key moves to the end of the group.
  ASSERT_EQ(t->go(1), Result::Success);
  t->field("zip")->assign("50000 ");
  t->field("last")->assign("Zeta");
  expectConsistent();
  EXPECT_EQ(walk(t, "czip"), (std::vector<uint32_t>{1, 3, 2}));
  EXPECT_EQ(walk(t, "cname"), (std::vector<uint32_t>{2, 3, 1}));
}

TEST_F(IndexUpkeep, RecordWrittenWhenMovingAway) {
  t->selectTag(t->tag("ccno"));
  ASSERT_EQ(t->seek("     1"), Result::Success);
  t->field("cuno")->assignLong(99);
  // The change is written first, so the skip starts from the record's new
  // place in the order, which is the end.
  ASSERT_EQ(t->skip(1), Result::Eof);
  EXPECT_EQ(t->seek("    99"), Result::Success);
  EXPECT_EQ(t->recNo(), 2u);
  EXPECT_EQ(t->seek("     1"), Result::After);
  expectConsistent();
}

TEST_F(IndexUpkeep, DeletedRecordsStayInIndexesUntilPacked) {
  ASSERT_EQ(t->go(2), Result::Success);
  t->deleteRecord();
  ASSERT_EQ(t->go(3), Result::Success);
  t->deleteRecord();
  t->recall();
  expectConsistent();
  EXPECT_EQ(walk(t, "cname").size(), 3u);
  ASSERT_EQ(t->go(2), Result::Success);
  EXPECT_TRUE(t->deleted());
  ASSERT_EQ(t->go(3), Result::Success);
  EXPECT_FALSE(t->deleted());
  ASSERT_EQ(t->pack(), 0);
  EXPECT_EQ(t->recCount(), 2u);
  expectConsistent();
  t->selectTag(t->tag("ccno"));
  EXPECT_EQ(t->seek("     1"), Result::After);
  EXPECT_EQ(t->field("cuno")->asLong(), 2);
}

TEST_F(IndexUpkeep, ZapEmptiesTableAndIndexes) {
  ASSERT_EQ(t->zap(), 0);
  EXPECT_EQ(t->recCount(), 0u);
  EXPECT_EQ(walk(t, "cname").size(), 0u);
  appendCustomer(t, {5, "New", "One", "1"});
  expectConsistent();
  EXPECT_EQ(walk(t, "ccno"), (std::vector<uint32_t>{1}));
}

TEST_F(IndexUpkeep, RandomWorkKeepsIndexesExact) {
  std::mt19937 rng(7);
  for (int i = 0; i < 600; ++i) {
    int what = rng() % 4;
    uint32_t count = t->recCount();
    if (what == 0 || count == 0) {
      appendCustomer(t, {static_cast<long>(rng() % 500), "N" + std::to_string(rng() % 50), "F",
                         std::to_string(rng() % 20)});
    } else {
      ASSERT_EQ(t->go(1 + rng() % count), Result::Success);
      if (what == 1) t->field("zip")->assign(std::to_string(rng() % 20));
      if (what == 2) t->field("last")->assign("N" + std::to_string(rng() % 50));
      if (what == 3) t->field("cuno")->assignLong(rng() % 500);
    }
    if (i % 150 == 149) expectConsistent();
  }
  engine->closeAll();
  EXPECT_EQ(indexProblems(dir.path(), "CUST"), "");
}

}  // namespace
}  // namespace vt::engine::testing
