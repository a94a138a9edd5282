// Top, bottom, skip, seek, go and position on empty, one-record and larger
// tables, in physical and in tag order.
#include <algorithm>
#include <numeric>

#include "table_support.h"

namespace vt::engine::testing {
namespace {

std::vector<Customer> numbered(int n) {
  std::vector<Customer> rows;
  for (int i = 1; i <= n; ++i) {
    // Names sort in the reverse of record order.
    char last[16];
    std::snprintf(last, sizeof last, "NAME%05d", n - i);
    rows.push_back({i * 10, last, "Ann", std::to_string(90000 + i % 7)});
  }
  return rows;
}

class Positioning : public ::testing::Test {
 protected:
  Table* open(const std::vector<Customer>& rows) {
    makeCustomers(dir.path(), rows);
    engine = std::make_unique<Engine>(dir.path());
    return engine->open("CUST");
  }
  TempDir dir;
  std::unique_ptr<Engine> engine;
};

TEST_F(Positioning, EmptyTableGivesEndOfFileEverywhere) {
  Table* t = open({});
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->top(), Result::Eof);
  EXPECT_TRUE(t->eof());
  EXPECT_EQ(t->recNo(), 1u);
  EXPECT_EQ(t->bottom(), Result::Eof);
  EXPECT_EQ(t->skip(1), Result::Eof);
  t->selectTag(t->tag("ccno"));
  EXPECT_EQ(t->top(), Result::Eof);
  EXPECT_EQ(t->seek("    42"), Result::Eof);
  EXPECT_EQ(t->position(), 0.0);
  EXPECT_EQ(t->go(1), Result::Eof);
}

TEST_F(Positioning, OneRecordTable) {
  Table* t = open({{42, "Smith", "Jo", "12345"}});
  t->selectTag(t->tag("CCNO"));
  EXPECT_EQ(t->top(), Result::Success);
  EXPECT_EQ(t->recNo(), 1u);
  EXPECT_EQ(t->skip(1), Result::Eof);
  EXPECT_EQ(t->recNo(), 2u);
  EXPECT_EQ(t->skip(-1), Result::Success);
  EXPECT_EQ(t->recNo(), 1u);
  EXPECT_EQ(t->skip(-1), Result::Bof);
  EXPECT_EQ(t->recNo(), 1u);
  EXPECT_TRUE(t->bof());
  EXPECT_EQ(t->seek("    42"), Result::Success);
  EXPECT_EQ(t->seek("    41"), Result::After);
  EXPECT_EQ(t->recNo(), 1u);
  EXPECT_EQ(t->seek("    43"), Result::Eof);
  EXPECT_TRUE(t->eof());
}

TEST_F(Positioning, CustomerNumberSeeksAsSixCharacters) {
  Table* t = open({{7, "A", "", ""}, {42, "B", "", ""}, {1001, "C", "", ""}});
  t->selectTag(t->tag("ccno"));
  ASSERT_EQ(t->seek("    42"), Result::Success);
  EXPECT_EQ(t->field("last")->str().substr(0, 1), "B");
  EXPECT_EQ(t->seek("    43"), Result::After);
  EXPECT_EQ(t->field("cuno")->asLong(), 1001);
  EXPECT_EQ(walk(t, "ccno"), (std::vector<uint32_t>{1, 2, 3}));
}

TEST_F(Positioning, TagOrderAndPhysicalOrderWalkBothWays) {
  const int n = 3000;
  Table* t = open(numbered(n));
  std::vector<uint32_t> physical(n);
  std::iota(physical.begin(), physical.end(), 1);
  t->selectTag(nullptr);
  std::vector<uint32_t> seen;
  for (Result r = t->top(); r == Result::Success; r = t->skip(1)) seen.push_back(t->recNo());
  EXPECT_EQ(seen, physical);
  std::vector<uint32_t> byName(physical.rbegin(), physical.rend());
  EXPECT_EQ(walk(t, "cname"), byName);
  EXPECT_EQ(walkBackwards(t, "cname"), physical);
  EXPECT_EQ(walk(t, "ccno"), physical);
}

TEST_F(Positioning, SkipByManyAndPastEitherEnd) {
  Table* t = open(numbered(500));
  t->selectTag(t->tag("ccno"));
  ASSERT_EQ(t->top(), Result::Success);
  EXPECT_EQ(t->skip(250), Result::Success);
  EXPECT_EQ(t->recNo(), 251u);
  EXPECT_EQ(t->skip(-100), Result::Success);
  EXPECT_EQ(t->recNo(), 151u);
  EXPECT_EQ(t->skip(-1000), Result::Bof);
  EXPECT_EQ(t->recNo(), 1u);
  EXPECT_EQ(t->skip(10000), Result::Eof);
  EXPECT_EQ(t->skip(-1), Result::Success);
  EXPECT_EQ(t->recNo(), 500u);
}

TEST_F(Positioning, PrefixSeekFindsFirstMatchingName) {
  Table* t = open({{1, "Miller", "Zed", ""},
                   {2, "Meyer", "Al", ""},
                   {3, "Miller", "Ann", ""},
                   {4, "Moss", "Bo", ""}});
  t->selectTag(t->tag("CNAME"));
  ASSERT_EQ(t->seek("MIL"), Result::Success);
  EXPECT_EQ(t->recNo(), 3u);  // "MILLERANN" sorts before "MILLERZED"
  ASSERT_EQ(t->seek("MIN"), Result::After);
  EXPECT_EQ(t->recNo(), 4u);
  EXPECT_EQ(t->seek("N"), Result::Eof);
}

TEST_F(Positioning, PositionRunsFromZeroToOneInTagOrder) {
  Table* t = open(numbered(2000));
  t->selectTag(t->tag("cname"));
  ASSERT_EQ(t->top(), Result::Success);
  EXPECT_EQ(t->position(), 0.0);
  ASSERT_EQ(t->bottom(), Result::Success);
  EXPECT_EQ(t->position(), 1.0);
  double last = -1;
  t->top();
  for (int i = 0; i < 20; ++i) {
    double p = t->position();
    EXPECT_GT(p, last);
    last = p;
    t->skip(100);
  }
  ASSERT_EQ(t->positionTo(0.5), Result::Success);
  EXPECT_NEAR(t->position(), 0.5, 0.05);
}

TEST_F(Positioning, GoRejectsRecordNumbersOutOfRange) {
  Table* t = open(numbered(3));
  EXPECT_EQ(t->go(3), Result::Success);
  EXPECT_EQ(t->go(4), Result::Eof);
  EXPECT_EQ(engine->errorCode(), kErrRecord);
  EXPECT_EQ(t->go(0), Result::Eof);
}

}  // namespace
}  // namespace vt::engine::testing
