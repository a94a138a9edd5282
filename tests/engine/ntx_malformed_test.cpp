// Damaged and foreign index files: every defect gives kErrIndex, nothing
// crashes or hangs, and the file is left exactly as it was.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "ntx_test_util.h"

namespace vt::engine::test {
namespace {

using namespace ntx;
using Bytes = std::vector<uint8_t>;

class NtxMalformedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // 5,000 keys of 10 bytes: 50 a page, three levels (a root of one key).
    for (uint32_t r = 1; r <= 5000; ++r) entries.emplace_back(numKey(r * 7, 10), r);
    ASSERT_EQ(buildIndex(fs, "t.ntx", 10, entries), kOk);
    ASSERT_EQ(checkTree(file()).height, 3);
  }
  Bytes& file() { return fs.bytes("t.ntx"); }
  uint8_t* at(uint32_t offset) { return &file()[offset]; }
  uint32_t root() { return rd32(at(4)); }
  // The page reached from the root through child slots `a` then `b`.
  uint32_t below(int a, int b = -1) {
    uint32_t p = child(at(root()), a);
    return b < 0 ? p : child(at(p), b);
  }
  int openStatus(bool writable = true) {
    std::unique_ptr<NtxIndex> idx;
    return NtxIndex::open(fs, "t.ntx", writable, &idx);
  }
  // Opens the damaged file and expects every way through it to stop with
  // kErrIndex, without writing.
  void expectDamageFoundOnTheWay() {
    Bytes before = file();
    auto idx = openIndex(fs, "t.ntx");
    ASSERT_TRUE(idx);
    int st = kOk;
    walkAll(*idx, &st);
    EXPECT_EQ(st, kErrIndex);
    size_t n = 0;
    for (bool on = idx->first(); on; on = idx->next()) ++n;
    EXPECT_LT(n, entries.size());
    EXPECT_EQ(idx->status(), kErrIndex);
    EXPECT_FALSE(idx->valid());
    EXPECT_EQ(idx->flush(), kOk);
    EXPECT_EQ(file(), before);
  }
  MemFileSystem fs;
  Entries entries;
};

TEST_F(NtxMalformedTest, TruncatedFilesAreRefused) {
  Bytes whole = file();
  for (size_t size : {size_t{0}, size_t{1000}, size_t{1024}, size_t{3000}, whole.size() - 512}) {
    file() = Bytes(whole.begin(), whole.begin() + static_cast<long>(size));
    Bytes before = file();
    EXPECT_EQ(openStatus(), kErrIndex) << size;
    EXPECT_EQ(file(), before);
  }
}

TEST_F(NtxMalformedTest, HeaderDefectsAreRefused) {
  std::vector<std::function<void()>> defects = {
      [&] { wr16(at(0), 0x0007); },                              // signature
      [&] { wr16(at(14), 0); },                                  // key length 0
      [&] { wr16(at(12), 17); },                                 // item size != key length + 8
      [&] { wr16(at(18), 1); },                                  // max items below 2
      [&] { wr16(at(18), 90); },                                 // pages of 90 items do not fit
      [&] { wr32(at(4), root() + 1); },                          // root not on a page boundary
      [&] { wr32(at(4), 0); },                                   // root on the header
      [&] { wr32(at(4), root() + 1024); },                       // root past the end
      [&] { wr32(at(8), 512); },                                 // free list off a page boundary
      [&] { wr16(at(root()), 51); },                             // root holds more than max items
      [&] { wr16(at(root() + 2), 1020); },                       // root slot reaching past the page
      [&] { wr32(at(root() + rd16(at(root() + 2))), root()); },  // root is its own child
  };
  Bytes good = file();
  for (size_t i = 0; i < defects.size(); ++i) {
    file() = good;
    defects[i]();
    Bytes before = file();
    EXPECT_EQ(openStatus(true), kErrIndex) << "defect " << i;
    EXPECT_EQ(openStatus(false), kErrIndex) << "defect " << i;
    EXPECT_EQ(file(), before) << "defect " << i;
  }
}

TEST_F(NtxMalformedTest, OverfullLeafStopsWalksAndSeeks) {
  uint32_t leaf = below(1, 4);
  std::string inLeaf(reinterpret_cast<const char*>(key(at(leaf), 0)), 10);
  wr16(at(leaf), 51);
  ASSERT_NO_FATAL_FAILURE(expectDamageFoundOnTheWay());
  Bytes before = file();
  auto idx = openIndex(fs, "t.ntx");
  EXPECT_EQ(idx->seek(inLeaf), NtxIndex::SeekResult::Eof);
  EXPECT_EQ(idx->status(), kErrIndex);
  EXPECT_EQ(idx->insert(inLeaf, 99999), kErrIndex);
  EXPECT_EQ(idx->remove(inLeaf, 1), kErrIndex);
  EXPECT_EQ(idx->flush(), kOk);
  EXPECT_EQ(file(), before);
}

TEST_F(NtxMalformedTest, ChildPointingBackUpIsCaught) {
  uint32_t mid = below(1);
  wr32(at(mid) + rd16(at(mid) + 2 + 2 * 5), root());
  ASSERT_NO_FATAL_FAILURE(expectDamageFoundOnTheWay());
}

TEST_F(NtxMalformedTest, LeafChildOnAnInteriorLevelIsCaught) {
  // A middle page pointing one of its children at a level-1 page.
  uint32_t mid = below(1);
  wr32(at(mid) + rd16(at(mid) + 2 + 2 * 7), below(0));
  ASSERT_NO_FATAL_FAILURE(expectDamageFoundOnTheWay());
}

TEST_F(NtxMalformedTest, SlotOutsideThePageIsCaught) {
  uint32_t leaf = below(1, 2);
  wr16(at(leaf) + 2 + 2 * 3, 1020);
  ASSERT_NO_FATAL_FAILURE(expectDamageFoundOnTheWay());
}

TEST_F(NtxMalformedTest, LoopInTheFreeListIsNotFollowed) {
  // Page `spare` heads a free list that points back at itself. Every leaf
  // is full, so the insert must split and would take free pages.
  uint32_t spare = static_cast<uint32_t>(file().size());
  file().resize(spare + 1024);
  wr32(at(spare), spare);
  wr32(at(8), spare);
  Bytes before = file();
  auto idx = openIndex(fs, "t.ntx");
  ASSERT_TRUE(idx);
  EXPECT_EQ(idx->insert(numKey(8, 10), 1), kErrIndex);
  EXPECT_EQ(idx->flush(), kOk);
  EXPECT_EQ(file(), before);
}

// Pages shared between parents: six levels whose every child pointer leads
// to the same page below, so the tree seen through them has 50^5 leaves in
// a file of seven pages. Walks must stop instead of running for ages.
TEST_F(NtxMalformedTest, SharedPagesCannotMakeWalksEndless) {
  const Layout l{10, 18, 50};
  file().resize(1024);  // keep the header only
  const std::string k(10, 'A');
  const int levels = 6;
  for (int i = 0; i < levels; ++i) {
    uint8_t page[1024];
    initPage(page, l);
    uint32_t below = i + 1 < levels ? static_cast<uint32_t>(1024 * (i + 2)) : 0;
    for (int s = 0; s < 50; ++s)
      insertItem(page, l, s, below, 1, reinterpret_cast<const uint8_t*>(k.data()));
    setChild(page, 50, below);
    file().insert(file().end(), page, page + 1024);
  }
  wr32(at(4), 1024);
  wr32(at(8), 0);
  Bytes before = file();
  auto idx = openIndex(fs, "t.ntx");
  ASSERT_TRUE(idx);
  int st = kOk;
  walkAll(*idx, &st);
  EXPECT_EQ(st, kErrIndex);
  size_t steps = 0;
  for (bool on = idx->first(); on; on = idx->next()) ++steps;
  EXPECT_EQ(idx->status(), kErrIndex);
  EXPECT_LT(steps, 1000u);
  for (bool on = idx->last(); on; on = idx->prev()) ++steps;
  EXPECT_EQ(idx->status(), kErrIndex);
  EXPECT_EQ(idx->remove(k, 2), kErrIndex);
  EXPECT_EQ(idx->seek(k), NtxIndex::SeekResult::Exact);
  EXPECT_EQ(idx->flush(), kOk);
  EXPECT_EQ(file(), before);
}

TEST_F(NtxMalformedTest, RandomDamageNeverCrashesOrWrites) {
  Bytes good = file();
  std::mt19937 rng(42);
  for (int round = 0; round < 300; ++round) {
    file() = good;
    for (int hit = 0; hit < 1 + round % 8; ++hit) {
      size_t pos = 1024 + rng() % (good.size() - 1024);
      file()[pos] = static_cast<uint8_t>(rng());
    }
    Bytes before = file();
    auto idx = openIndex(fs, "t.ntx", false, 1);
    if (!idx) continue;
    walkAll(*idx);
    for (bool on = idx->last(); on; on = idx->prev()) {
    }
    for (int i = 0; i < 50; ++i) {
      idx->seek(numKey(static_cast<long>(rng() % 40000), 10));
      idx->next();
      idx->positionTo((rng() % 1000) / 1000.0);
      idx->position();
    }
    EXPECT_EQ(file(), before);
  }
}

}  // namespace
}  // namespace vt::engine::test
