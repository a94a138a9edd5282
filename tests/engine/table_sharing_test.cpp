// Two users of one data directory: shared opens see each other's changes;
// an open that denies writing excludes everyone else and is excluded by them.
#include "table_support.h"

namespace vt::engine::testing {
namespace {

class Sharing : public ::testing::Test {
 protected:
  void SetUp() override {
    makeCustomers(dir.path(), {{1, "Adams", "A", "1"}, {2, "Baker", "B", "2"}});
  }
  TempDir dir;
};

TEST_F(Sharing, SharedUsersSeeEachOthersAppendsAndChanges) {
  Engine first(dir.path()), second(dir.path());
  Table* a = first.open("CUST");
  Table* b = second.open("CUST");
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  b->selectTag(b->tag("ccno"));
  ASSERT_EQ(b->seek("     1"), Result::Success);  // warms b's caches

  appendCustomer(a, {3, "Clark", "C", "3"});
  ASSERT_EQ(a->go(1), Result::Success);
  a->field("cuno")->assignLong(10);
  ASSERT_EQ(a->flush(), 0);

  EXPECT_EQ(b->recCount(), 3u);
  EXPECT_EQ(b->seek("     3"), Result::Success);
  EXPECT_EQ(b->field("last")->str().substr(0, 5), "Clark");
  EXPECT_EQ(b->seek("    10"), Result::Success);
  EXPECT_EQ(b->recNo(), 1u);
  EXPECT_EQ(b->seek("     1"), Result::After);

  // And the other way round, with a memo.
  ASSERT_EQ(b->go(2), Result::Success);
  b->field("notes")->assignMemo("written by the second user");
  ASSERT_EQ(b->flush(), 0);
  ASSERT_EQ(a->go(2), Result::Success);
  EXPECT_EQ(a->field("notes")->memo(), "written by the second user");
  first.closeAll();
  second.closeAll();
  EXPECT_EQ(indexProblems(dir.path(), "CUST"), "");
}

TEST_F(Sharing, InterleavedAppendsKeepEveryRecord) {
  Engine first(dir.path()), second(dir.path());
  Table* a = first.open("CUST");
  Table* b = second.open("CUST");
  for (int i = 0; i < 50; ++i) {
    appendCustomer(a, {100 + i, "A", "", ""});
    appendCustomer(b, {200 + i, "B", "", ""});
  }
  EXPECT_EQ(a->recCount(), 102u);
  EXPECT_EQ(b->recCount(), 102u);
  first.closeAll();
  second.closeAll();
  EXPECT_EQ(indexProblems(dir.path(), "CUST"), "");
}

TEST_F(Sharing, DenyWriteOpenFailsWhileAnotherUserHasTheTable) {
  Engine user(dir.path()), maintenance(dir.path());
  ASSERT_NE(user.open("CUST"), nullptr);
  maintenance.accessMode = AccessMode::DenyWrite;
  EXPECT_EQ(maintenance.open("CUST"), nullptr);
  EXPECT_EQ(maintenance.errorCode(), kErrLocked);
  user.closeAll();
  EXPECT_NE(maintenance.open("CUST"), nullptr);
}

TEST_F(Sharing, SharedOpenFailsWhileTableIsHeldDenyWrite) {
  Engine maintenance(dir.path()), user(dir.path());
  maintenance.accessMode = AccessMode::DenyWrite;
  ASSERT_NE(maintenance.open("CUST"), nullptr);
  EXPECT_EQ(user.open("CUST"), nullptr);
  EXPECT_EQ(user.errorCode(), kErrLocked);
}

TEST_F(Sharing, PackRefusedWhileAnotherUserHasTheTable) {
  Engine first(dir.path()), second(dir.path());
  Table* a = first.open("CUST");
  ASSERT_NE(second.open("CUST"), nullptr);
  EXPECT_EQ(a->pack(), kErrLocked);
  second.closeAll();
  EXPECT_EQ(a->pack(), 0);
}

}  // namespace
}  // namespace vt::engine::testing

namespace vt::engine::testing {
namespace {

// A reader holding a table across many reads sees, on every tag, what was
// written before the hold, cannot write while it holds, and sees later
// changes once it lets go.
TEST(HeldReads, SeeEarlierChangesOnEveryTagRefuseWritesAndLetGo) {
  TempDir dir;
  makeCustomers(dir.path(), {{1, "Adams", "A", "1"}, {2, "Baker", "B", "2"}});
  Engine writer(dir.path()), reader(dir.path());
  Table* w = writer.open("CUST");
  Table* r = reader.open("CUST");
  r->selectTag(r->tag("CName"));
  ASSERT_EQ(r->seek("BAKER"), Result::Success);  // warms the caches
  r->selectTag(r->tag("CCNO"));
  ASSERT_EQ(r->seek("     2"), Result::Success);

  appendCustomer(w, {3, "Clark", "C", "3"});
  ASSERT_EQ(r->holdReads(), 0);
  EXPECT_EQ(r->recCount(), 3u);
  r->selectTag(r->tag("CName"));
  EXPECT_EQ(r->seek("CLARK"), Result::Success);
  EXPECT_EQ(r->appendBlank(), kErrLocked);
  r->releaseReads();

  ASSERT_EQ(w->go(1), Result::Success);
  w->field("last")->assign("Young");
  ASSERT_EQ(w->flush(), 0);
  EXPECT_EQ(r->seek("YOUNG"), Result::Success);
  EXPECT_EQ(r->recNo(), 1u);
}

}  // namespace
}  // namespace vt::engine::testing
