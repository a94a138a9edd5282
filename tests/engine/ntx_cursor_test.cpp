// Moving through an index: seek, first/last, next/prev and position on
// empty, one-key and large indexes; prefix seeks; the order of equal keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine/fault_fs.h"
#include "ntx_test_util.h"

namespace vt::engine::test {
namespace {

class NtxCursorTest : public ::testing::Test {
 protected:
  std::unique_ptr<NtxIndex> build(uint16_t keyLength, const Entries& entries) {
    EXPECT_EQ(buildIndex(fs, "t.ntx", keyLength, entries), kOk);
    return openIndex(fs, "t.ntx");
  }
  MemFileSystem fs;
};

// 100,000 keys "    0".."99999" (even numbers only, so odd ones fall between),
// record numbers shuffled.
Entries largeSet() {
  Entries e;
  std::mt19937 rng(7);
  std::vector<uint32_t> recnos(100000);
  for (uint32_t i = 0; i < recnos.size(); ++i) recnos[i] = i + 1;
  std::shuffle(recnos.begin(), recnos.end(), rng);
  for (long i = 0; i < 100000; ++i) e.emplace_back(numKey(2 * i, 8), recnos[i]);
  std::shuffle(e.begin(), e.end(), rng);
  return e;
}

TEST_F(NtxCursorTest, EmptyIndexHasNoEntries) {
  auto idx = build(10, {});
  ASSERT_TRUE(idx);
  EXPECT_EQ(fs.bytes("t.ntx").size(), 2048u);  // header and an empty root
  EXPECT_FALSE(idx->first());
  EXPECT_FALSE(idx->last());
  EXPECT_FALSE(idx->valid());
  EXPECT_EQ(idx->seek("A"), NtxIndex::SeekResult::Eof);
  EXPECT_FALSE(idx->next());
  EXPECT_FALSE(idx->prev());
  EXPECT_FALSE(idx->positionTo(0.5));
  EXPECT_EQ(idx->status(), kOk);
  EXPECT_TRUE(walkAll(*idx).empty());
}

TEST_F(NtxCursorTest, OneKeyIsFirstAndLast) {
  auto idx = build(5, {{"MMMMM", 9}});
  ASSERT_TRUE(idx->first());
  EXPECT_EQ(idx->key(), "MMMMM");
  EXPECT_EQ(idx->recno(), 9u);
  EXPECT_EQ(idx->position(), 0.0);
  EXPECT_FALSE(idx->next());
  ASSERT_TRUE(idx->last());
  EXPECT_EQ(idx->recno(), 9u);
  EXPECT_FALSE(idx->prev());
  EXPECT_EQ(idx->seek("MMMMM"), NtxIndex::SeekResult::Exact);
  EXPECT_EQ(idx->seek("AAAAA"), NtxIndex::SeekResult::After);
  EXPECT_EQ(idx->recno(), 9u);
  EXPECT_EQ(idx->seek("ZZZZZ"), NtxIndex::SeekResult::Eof);
  EXPECT_FALSE(idx->valid());
  EXPECT_TRUE(idx->positionTo(0.7));
  EXPECT_EQ(idx->recno(), 9u);
}

TEST_F(NtxCursorTest, LargeIndexWalksInKeyOrderBothWays) {
  Entries input = largeSet();
  auto idx = build(8, input);
  Entries sorted = input;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(cursorForward(*idx), sorted);
  Entries backward = cursorBackward(*idx);
  std::reverse(backward.begin(), backward.end());
  EXPECT_EQ(backward, sorted);
}

TEST_F(NtxCursorTest, LargeIndexSeeksExactAndBetweenKeys) {
  Entries input = largeSet();
  auto idx = build(8, input);
  Entries sorted = input;
  std::sort(sorted.begin(), sorted.end());
  for (size_t i = 0; i < sorted.size(); i += 997) {
    ASSERT_EQ(idx->seek(sorted[i].first), NtxIndex::SeekResult::Exact);
    EXPECT_EQ(idx->recno(), sorted[i].second);
    // An odd number lies between two keys: the cursor lands on the next one.
    long odd = std::stol(sorted[i].first) + 1;
    if (i + 1 < sorted.size()) {
      ASSERT_EQ(idx->seek(numKey(odd, 8)), NtxIndex::SeekResult::After);
      EXPECT_EQ(idx->key(), sorted[i + 1].first);
      ASSERT_TRUE(idx->prev());
      EXPECT_EQ(idx->key(), sorted[i].first);
    }
  }
  EXPECT_EQ(idx->seek(numKey(199999, 8)), NtxIndex::SeekResult::Eof);
  // '-' sorts between blank and digits: "      -1" falls after the one-digit
  // keys and before "      10".
  EXPECT_EQ(idx->seek(numKey(-1, 8)), NtxIndex::SeekResult::After);
  EXPECT_EQ(idx->key(), numKey(10, 8));
}

TEST_F(NtxCursorTest, PositionRisesFromZeroToOneAndInverts) {
  Entries input = largeSet();
  input.resize(20000);
  auto idx = build(8, input);
  double before = -1.0;
  size_t n = 0;
  for (bool on = idx->first(); on; on = idx->next(), ++n) {
    double p = idx->position();
    if (n == 0) {
      EXPECT_EQ(p, 0.0);
    }
    ASSERT_GT(p, before) << "entry " << n;
    before = p;
  }
  EXPECT_EQ(before, 1.0);
  ASSERT_TRUE(idx->positionTo(0.0));
  EXPECT_EQ(idx->position(), 0.0);
  ASSERT_TRUE(idx->positionTo(1.0));
  EXPECT_EQ(idx->position(), 1.0);
  for (double f = 0.05; f < 1.0; f += 0.05) {
    ASSERT_TRUE(idx->positionTo(f));
    EXPECT_NEAR(idx->position(), f, 0.02);
  }
}

TEST_F(NtxCursorTest, PrefixSeekComparesOnlyTheGivenBytes) {
  auto idx = build(
      12, {{"SMITH  JOHN ", 1}, {"SMITH  ANNA ", 2}, {"SMYTHE PAUL ", 3}, {"JONES  ADA  ", 4}});
  EXPECT_EQ(idx->seek("SMI"), NtxIndex::SeekResult::Exact);
  EXPECT_EQ(idx->recno(), 2u);  // "SMITH  ANNA" is the first SMI entry
  EXPECT_EQ(idx->seek("SMJ"), NtxIndex::SeekResult::After);
  EXPECT_EQ(idx->recno(), 3u);
  EXPECT_EQ(idx->seek("SMZ"), NtxIndex::SeekResult::Eof);
  EXPECT_EQ(idx->seek(""), NtxIndex::SeekResult::Exact);
  EXPECT_EQ(idx->recno(), 4u);
  // Bytes past the key length are cut off.
  EXPECT_EQ(idx->seek("JONES  ADA  EXTRA"), NtxIndex::SeekResult::Exact);
  EXPECT_EQ(idx->recno(), 4u);
}

TEST_F(NtxCursorTest, EqualKeysFromABuildListInRecordOrder) {
  Entries input;
  for (uint32_t r = 3000; r >= 1; --r) input.emplace_back(r % 3 == 0 ? "BB" : "AC", r);
  input.emplace_back("AB", 5000);
  input.emplace_back("CC", 5001);
  auto idx = build(2, input);
  // The 1000 "BB" entries span many pages; the seek lands on the first.
  ASSERT_EQ(idx->seek("BB"), NtxIndex::SeekResult::Exact);
  EXPECT_EQ(idx->recno(), 3u);
  for (uint32_t r = 6; r <= 3000; r += 3) {
    ASSERT_TRUE(idx->next());
    ASSERT_EQ(idx->recno(), r);
  }
  ASSERT_TRUE(idx->next());
  EXPECT_EQ(idx->key(), "CC");
  ASSERT_EQ(idx->seek("BB"), NtxIndex::SeekResult::Exact);
  ASSERT_TRUE(idx->prev());
  EXPECT_EQ(idx->key(), "AC");
  EXPECT_EQ(idx->recno(), 2999u);
  EXPECT_TRUE(idx->locate("BB", 2997));
  EXPECT_EQ(idx->recno(), 2997u);
  EXPECT_FALSE(idx->locate("BB", 2998));
}

TEST_F(NtxCursorTest, MovingOffAnEndAndBack) {
  Entries input;
  for (long i = 0; i < 500; ++i) input.emplace_back(numKey(i, 4), static_cast<uint32_t>(i + 1));
  auto idx = build(4, input);
  ASSERT_TRUE(idx->last());
  EXPECT_FALSE(idx->next());
  EXPECT_EQ(idx->position(), 1.0);
  ASSERT_TRUE(idx->prev());  // back from past the end: the last entry
  EXPECT_EQ(idx->recno(), 500u);
  ASSERT_TRUE(idx->first());
  EXPECT_FALSE(idx->prev());
  ASSERT_TRUE(idx->next());  // back from before the start: the first entry
  EXPECT_EQ(idx->recno(), 1u);
}

TEST_F(NtxCursorTest, WarmSeeksReadNothing) {
  Entries input = largeSet();
  ASSERT_EQ(buildIndex(fs, "t.ntx", 8, input), kOk);
  FaultFileSystem counting(fs);
  auto idx = openIndex(counting, "t.ntx", false, 8192);
  for (const Entry& e : input) ASSERT_EQ(idx->seek(e.first), NtxIndex::SeekResult::Exact);
  uint64_t reads = counting.reads();
  for (const Entry& e : input) ASSERT_EQ(idx->seek(e.first), NtxIndex::SeekResult::Exact);
  EXPECT_EQ(counting.reads(), reads);
}

TEST_F(NtxCursorTest, SmallCacheStillFindsEverything) {
  Entries input = largeSet();
  auto idx = [&] {
    EXPECT_EQ(buildIndex(fs, "t.ntx", 8, input), kOk);
    return openIndex(fs, "t.ntx", false, 1);  // the smallest cache allowed
  }();
  Entries sorted = input;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(cursorForward(*idx), sorted);
  std::mt19937 rng(3);
  for (int i = 0; i < 2000; ++i) {
    const Entry& e = sorted[rng() % sorted.size()];
    ASSERT_EQ(idx->seek(e.first), NtxIndex::SeekResult::Exact);
    ASSERT_EQ(idx->recno(), e.second);
  }
}

}  // namespace
}  // namespace vt::engine::test
