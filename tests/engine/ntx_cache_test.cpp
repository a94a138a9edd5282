// The page cache writes back exactly the pages left dirty, in offset order,
// however their dirty marks came and went: marked twice, put back clean by an
// undo, dropped, evicted, or left over from a failed write.
#include "engine/ntx_cache.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/status.h"

namespace vt::engine::test {
namespace {

using ntx::kPageSize;
using ntx::PageCache;

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
int take(PageCache& cache, WriteLog& file, uint8_t n) {
  int f = cache.claim(page(n), file);
  EXPECT_GE(f, 0);
  cache.data(f)[0] = n;
  return f;
}

TEST(NtxCache, WritesBackExactlyThePagesLeftDirty) {
  WriteLog file;
  PageCache cache(2);
  int a = take(cache, file, 2), b = take(cache, file, 3);
  cache.markDirty(a);
  cache.markDirty(a);
  cache.markDirty(b);
  cache.setDirty(b, false);      // undone: the page is as on disk again
  int c = take(cache, file, 4);  // evicts page 2, writing it first
  ASSERT_EQ(c, a);
  EXPECT_FALSE(cache.isDirty(c));
  EXPECT_EQ(cache.writeDirty(file), kOk);  // nothing left: page 3 was undone
  cache.markDirty(c);
  cache.markDirty(b);
  file.failNext = true;
  EXPECT_EQ(cache.writeDirty(file), kErrWrite);
  EXPECT_TRUE(cache.isDirty(b) && cache.isDirty(c));
  EXPECT_EQ(cache.writeDirty(file), kOk);  // pages 3 and 4 in one write
  EXPECT_EQ(cache.writeDirty(file), kOk);
  cache.markDirty(b);
  cache.release(b);  // a page taken for changes that were undone
  EXPECT_EQ(cache.writeDirty(file), kOk);
  cache.markDirty(c);
  cache.clear();
  EXPECT_EQ(cache.writeDirty(file), kOk);
  const std::vector<WriteLog::Write> expected = {{page(2), {2}}, {page(3), {3, 4}}};
  EXPECT_EQ(file.writes, expected);
}

}  // namespace
}  // namespace vt::engine::test
