// Write failures while building and flushing an index: each is reported
// as kErrWrite, a failed build leaves no file behind, and a failed flush can
// be repeated.
#include <gtest/gtest.h>

#include "engine/fault_fs.h"
#include "ntx_test_util.h"

namespace vt::engine::test {
namespace {

Entries someEntries(uint32_t n) {
  Entries e;
  for (uint32_t r = n; r >= 1; --r) e.emplace_back(numKey((r * 7919) % 10007, 10), r);
  return e;
}

TEST(NtxFaultTest, FailedBuildWritesLeaveNoFiles) {
  Entries input = someEntries(20000);
  for (size_t budget : {size_t{40} << 20, size_t{32} << 10}) {  // in memory, then with runs
    uint64_t n = 1;
    for (;; ++n) {
      MemFileSystem mem;
      FaultFileSystem ffs(mem);
      ffs.failWriteAt(n);
      int st = buildIndex(ffs, "t.ntx", 10, input, budget);
      if (!ffs.faultHit()) {
        ASSERT_EQ(st, kOk);
        EXPECT_EQ(checkTree(mem.bytes("t.ntx")).entries.size(), input.size());
        break;
      }
      EXPECT_EQ(st, kErrWrite) << "write " << n;
      EXPECT_FALSE(mem.exists("t.ntx")) << "write " << n;
      EXPECT_FALSE(mem.exists("t.ntx.run")) << "write " << n;
    }
    EXPECT_GT(n, 2u);
  }
}

TEST(NtxFaultTest, FailedSyncFailsTheBuild) {
  MemFileSystem mem;
  FaultFileSystem ffs(mem);
  ffs.failSyncAt(1);
  EXPECT_EQ(buildIndex(ffs, "t.ntx", 10, someEntries(100)), kErrWrite);
  EXPECT_FALSE(mem.exists("t.ntx"));
}

TEST(NtxFaultTest, FailedFlushKeepsTheChangesForTheNextFlush) {
  MemFileSystem mem;
  ASSERT_EQ(buildIndex(mem, "t.ntx", 10, someEntries(3000)), kOk);
  uint64_t n = 1;
  for (;; ++n) {
    FaultFileSystem ffs(mem);
    auto idx = openIndex(ffs, "t.ntx");
    for (uint32_t r = 1; r <= 300; ++r) ASSERT_EQ(idx->insert(numKey(r * 31, 10), 10000 + r), kOk);
    std::vector<uint8_t> before = mem.bytes("t.ntx");
    ffs.failWriteAt(n);
    int st = idx->flush();
    if (!ffs.faultHit()) {
      ASSERT_EQ(st, kOk);
      break;
    }
    EXPECT_EQ(st, kErrWrite);
    // The header is written last: other users still see the old counter.
    EXPECT_EQ(ntx::rd16(&mem.bytes("t.ntx")[2]), ntx::rd16(&before[2]));
    ASSERT_EQ(idx->flush(), kOk);
    EXPECT_EQ(ntx::rd16(&mem.bytes("t.ntx")[2]), ntx::rd16(&before[2]) + 1);
    TreeReport rep = checkTree(mem.bytes("t.ntx"));
    EXPECT_EQ(rep.problem, "");
    EXPECT_EQ(rep.entries.size(), 3300u);
    ASSERT_EQ(buildIndex(mem, "t.ntx", 10, someEntries(3000)), kOk);
  }
  EXPECT_GT(n, 3u);
}

}  // namespace
}  // namespace vt::engine::test
