// The page cache writes back exactly the pages left dirty, in offset order,
// however their dirty marks came and went: marked twice, put back clean by an
// undo, dropped, evicted, or left over from a failed write.
#include "engine/ntx_cache.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/status.h"
#include "ntx_test_util.h"

namespace vt::engine::test {
namespace {

using ntx::kPageSize;
using ntx::PageCache;
using ntx::PagePool;

// Logs each write as its offset and the first byte of every page in it.
class WriteLog final : public File {
 public:
  struct Write {
    uint64_t offset;
    std::vector<uint8_t> marks;
    bool operator==(const Write&) const = default;
  };
  std::vector<Write> writes;
  bool failNext = false;

  bool read(uint64_t, void*, size_t, size_t* got) override {
    *got = 0;
    return true;
  }
  bool write(uint64_t offset, const void* buf, size_t n) override {
    if (failNext) {
      failNext = false;
      return false;
    }
    Write w{offset, {}};
    for (size_t at = 0; at < n; at += kPageSize)
      w.marks.push_back(static_cast<const uint8_t*>(buf)[at]);
    writes.push_back(w);
    return true;
  }
  bool size(uint64_t* out) override {
    *out = 0;
    return true;
  }
  bool truncate(uint64_t) override { return true; }
  bool sync() override { return true; }
  bool lock(uint64_t, uint64_t, LockKind, bool) override { return true; }
  bool unlock(uint64_t, uint64_t) override { return true; }
};

constexpr uint32_t page(uint8_t n) {
  return n * kPageSize;
}

// Takes a frame for page n and marks its bytes with n.
int take(PageCache& cache, uint8_t n) {
  int f = cache.claim(page(n));
  EXPECT_GE(f, 0);
  cache.data(f)[0] = n;
  return f;
}

TEST(NtxCache, WritesBackExactlyThePagesLeftDirty) {
  WriteLog file;
  PagePool pool(2);
  PageCache cache(pool, file);
  int a = take(cache, 2), b = take(cache, 3);
  cache.markDirty(a);
  cache.markDirty(a);
  cache.markDirty(b);
  cache.setDirty(b, false);  // undone: the page is as on disk again
  int c = take(cache, 4);    // evicts page 2, writing it first
  ASSERT_EQ(c, a);
  EXPECT_FALSE(cache.isDirty(c));
  EXPECT_EQ(cache.writeDirty(), kOk);  // nothing left: page 3 was undone
  cache.markDirty(c);
  cache.markDirty(b);
  file.failNext = true;
  EXPECT_EQ(cache.writeDirty(), kErrWrite);
  EXPECT_TRUE(cache.isDirty(b) && cache.isDirty(c));
  EXPECT_EQ(cache.writeDirty(), kOk);  // pages 3 and 4 in one write
  EXPECT_EQ(cache.writeDirty(), kOk);
  cache.markDirty(b);
  cache.release(b);  // a page taken for changes that were undone
  EXPECT_EQ(cache.writeDirty(), kOk);
  cache.markDirty(c);
  cache.clear();
  EXPECT_EQ(cache.writeDirty(), kOk);
  const std::vector<WriteLog::Write> expected = {{page(2), {2}}, {page(3), {3, 4}}};
  EXPECT_EQ(file.writes, expected);
}

// Four indexes of 100,000 keys share one pool far smaller than any of them:
// seeks, whole walks, inserts and removes in turn keep the pool within its
// budget while every index still reads right, and closing them gives all of
// its memory back.
TEST(NtxPagePool, FourIndexesStayWithinOneBudget) {
  constexpr uint32_t kKeys = 100000;
  constexpr size_t kBudget = 512;  // frames, a whole number of chunks
  MemFileSystem fs;
  PagePool pool(kBudget);
  std::vector<std::unique_ptr<NtxIndex>> indexes;
  for (uint32_t i = 0; i < 4; ++i) {
    Entries entries;
    for (uint32_t r = 1; r <= kKeys; ++r)
      entries.emplace_back(numKey((r * 7919 + i) % kKeys, 8), r);
    const std::string path = "i" + std::to_string(i) + ".ntx";
    ASSERT_EQ(buildIndex(fs, path, 8, entries), kOk);
    std::unique_ptr<NtxIndex> idx;
    ASSERT_EQ(NtxIndex::open(fs, path, true, &idx, pool), kOk);
    indexes.push_back(std::move(idx));
  }
  EXPECT_LT(pool.framesInUse(), size_t{64});  // only the left edges read so far
  for (uint32_t round = 0; round < 4; ++round) {
    for (uint32_t i = 0; i < 4; ++i) {
      NtxIndex& idx = *indexes[i];
      for (uint32_t k = 0; k < 250; ++k) {
        uint32_t r = 1 + round * 250 + k;  // a record whose key is replaced
        ASSERT_EQ(idx.remove(numKey((r * 7919 + i) % kKeys, 8), r), kOk);
        ASSERT_EQ(idx.insert(numKey(r * 97 % kKeys, 8), r), kOk);
      }
      ASSERT_EQ(idx.flush(), kOk);
      size_t walked = 0;
      std::string last;
      for (bool on = idx.first(); on; on = idx.next(), ++walked) {
        ASSERT_LE(last, idx.key());
        last = idx.key();
      }
      ASSERT_EQ(idx.status(), kOk);
      EXPECT_EQ(walked, kKeys);
      EXPECT_LE(pool.framesInUse(), kBudget);
      EXPECT_LE(pool.residentBytes(), kBudget * kPageSize);
    }
  }
  EXPECT_EQ(pool.peakFrames(), kBudget);  // the budget was reached, never passed
  indexes.clear();
  EXPECT_EQ(pool.framesInUse(), 0u);
  EXPECT_EQ(pool.residentBytes(), 0u);
}

}  // namespace
}  // namespace vt::engine::test
