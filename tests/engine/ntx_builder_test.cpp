// Building an index: the written file walks exactly as the sorted input, in
// memory and through sorted runs on disk, with the header our engine writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "ntx_test_util.h"

namespace vt::engine::test {
namespace {

using namespace ntx;

Entries randomEntries(size_t n, int width, uint32_t seed) {
  std::mt19937 rng(seed);
  Entries e;
  for (uint32_t r = 1; r <= n; ++r) e.emplace_back(numKey(rng() % (n / 3 + 1), width), r);
  std::shuffle(e.begin(), e.end(), rng);
  return e;
}

Entries sortedByKeyThenRecno(Entries e) {
  std::sort(e.begin(), e.end());
  return e;
}

class NtxBuilderTest : public ::testing::Test {
 protected:
  MemFileSystem fs;
};

TEST_F(NtxBuilderTest, WritesTheHeaderOfANewIndex) {
  NtxIndex::Builder b(fs, "t.ntx", NtxInfo{"UPPER(LAST+FIRST)", "NAME", 34});
  ASSERT_EQ(b.add(std::string(34, 'x'), 1), kOk);
  ASSERT_EQ(b.finish(), kOk);
  const auto& f = fs.bytes("t.ntx");
  ASSERT_EQ(f.size(), 2048u);
  EXPECT_EQ(rd16(&f[0]), 6);      // signature
  EXPECT_EQ(rd16(&f[2]), 1);      // update counter
  EXPECT_EQ(rd32(&f[4]), 1024u);  // root
  EXPECT_EQ(rd32(&f[8]), 0u);     // no free pages
  EXPECT_EQ(rd16(&f[12]), 42);    // item size
  EXPECT_EQ(rd16(&f[14]), 34);    // key length
  EXPECT_EQ(rd16(&f[16]), 0);     // decimals
  EXPECT_EQ(rd16(&f[18]), 22);    // max items
  EXPECT_EQ(rd16(&f[20]), 11);    // half page
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&f[22])), "UPPER(LAST+FIRST)");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&f[538])), "NAME");
  EXPECT_TRUE(std::all_of(f.begin() + 278, f.begin() + 538, [](uint8_t b) { return b == 0; }));
  auto idx = openIndex(fs, "t.ntx");
  EXPECT_EQ(idx->info().expression, "UPPER(LAST+FIRST)");
  EXPECT_EQ(idx->info().tagName, "NAME");
  EXPECT_EQ(idx->keyLength(), 34);
}

TEST(NtxMaxItemsTest, FollowsTheDriverFormula) {
  EXPECT_EQ(ntxMaxItems(6), 62);
  EXPECT_EQ(ntxMaxItems(8), 54);
  EXPECT_EQ(ntxMaxItems(10), 50);
  EXPECT_EQ(ntxMaxItems(33), 22);
  EXPECT_EQ(ntxMaxItems(34), 22);
  EXPECT_EQ(ntxMaxItems(250), 2);
}

TEST_F(NtxBuilderTest, InMemoryBuildWalksAsTheSortedInput) {
  for (size_t n : {1u, 2u, 22u, 23u, 45u, 46u, 529u, 530u, 12167u, 40000u}) {
    Entries input = randomEntries(n, 34, static_cast<uint32_t>(n));
    ASSERT_EQ(buildIndex(fs, "t.ntx", 34, input), kOk) << n;
    TreeReport rep = checkTree(fs.bytes("t.ntx"));
    ASSERT_EQ(rep.problem, "") << n;
    ASSERT_EQ(rep.entries, sortedByKeyThenRecno(input)) << n;
  }
}

TEST_F(NtxBuilderTest, FullPagesAndAShallowTree) {
  Entries input = randomEntries(100000, 34, 2);
  ASSERT_EQ(buildIndex(fs, "t.ntx", 34, input), kOk);
  TreeReport rep = checkTree(fs.bytes("t.ntx"));
  ASSERT_EQ(rep.problem, "");
  // 100,000 entries at 22 a page need at least 4,546 pages; the build uses
  // no more than a few beyond that, and four levels.
  EXPECT_LE(rep.pages, 4560u);
  EXPECT_EQ(rep.height, 4);
  EXPECT_EQ(fs.bytes("t.ntx").size(), (rep.pages + 1) * 1024);
}

TEST_F(NtxBuilderTest, SpilledRunsMergeIntoTheSameIndex) {
  Entries input = randomEntries(30000, 12, 9);
  ASSERT_EQ(buildIndex(fs, "a.ntx", 12, input), kOk);
  ASSERT_EQ(buildIndex(fs, "b.ntx", 12, input, 16 << 10), kOk);  // about 30 runs
  EXPECT_EQ(fs.bytes("a.ntx"), fs.bytes("b.ntx"));
  EXPECT_FALSE(fs.exists("b.ntx.run"));
  TreeReport rep = checkTree(fs.bytes("b.ntx"));
  ASSERT_EQ(rep.problem, "");
  EXPECT_EQ(rep.entries, sortedByKeyThenRecno(input));
}

TEST_F(NtxBuilderTest, RunFileGoesAwayWhenTheBuildIsAbandoned) {
  {
    NtxIndex::Builder b(fs, "t.ntx", NtxInfo{"K", "", 8}, 4096);
    for (uint32_t r = 1; r <= 2000; ++r) ASSERT_EQ(b.add(numKey(r, 8), r), kOk);
    EXPECT_TRUE(fs.exists("t.ntx.run"));
  }
  EXPECT_FALSE(fs.exists("t.ntx.run"));
  EXPECT_FALSE(fs.exists("t.ntx"));
}

TEST_F(NtxBuilderTest, RejectsBadInput) {
  NtxIndex::Builder wrongKey(fs, "a.ntx", NtxInfo{"K", "", 4});
  EXPECT_EQ(wrongKey.add("ABC", 1), kErrArgument);
  EXPECT_EQ(wrongKey.finish(), kErrArgument);
  EXPECT_FALSE(fs.exists("a.ntx"));
  NtxIndex::Builder tooLong(fs, "b.ntx", NtxInfo{"K", "", 251});
  EXPECT_EQ(tooLong.finish(), kErrArgument);
  NtxIndex::Builder longName(fs, "c.ntx", NtxInfo{"K", "TWELVE_CHARS", 4});
  EXPECT_EQ(longName.finish(), kErrArgument);
  NtxIndex::Builder twice(fs, "d.ntx", NtxInfo{"K", "", 4});
  EXPECT_EQ(twice.finish(), kOk);
  EXPECT_EQ(twice.finish(), kErrArgument);
  EXPECT_EQ(twice.add("ABCD", 1), kErrArgument);
}

TEST_F(NtxBuilderTest, LongestKeysGiveTwoPerPage) {
  Entries input;
  for (uint32_t r = 1; r <= 300; ++r) input.emplace_back(std::string(250, char('A' + r % 26)), r);
  ASSERT_EQ(buildIndex(fs, "t.ntx", 250, input), kOk);
  TreeReport rep = checkTree(fs.bytes("t.ntx"));
  ASSERT_EQ(rep.problem, "");
  EXPECT_EQ(rep.entries, sortedByKeyThenRecno(input));
}

}  // namespace
}  // namespace vt::engine::test
