// The fault-injecting file system: faults hit exactly the call they were set
// for, and counters tell what an operation did.
#include <gtest/gtest.h>

#include "dbf_test_support.h"
#include "engine/fault_fs.h"

namespace vt::engine {
namespace {

using dbftest::readBytes;
using dbftest::ScratchDir;

TEST(FaultFs, FailWriteAtHitsTheNthWriteOnlyAndWritesNothing) {
  ScratchDir dir;
  FaultFileSystem fs(realFileSystem());
  auto f = fs.open(dir.file("a"), OpenMode::Create);
  ASSERT_TRUE(f->write(0, "aa", 2));
  fs.failWriteAt(2);  // counted from now: the second write after this one
  EXPECT_TRUE(f->write(2, "bb", 2));
  EXPECT_FALSE(fs.faultHit());
  EXPECT_FALSE(f->write(4, "cc", 2));
  EXPECT_TRUE(fs.faultHit());
  EXPECT_TRUE(f->write(6, "dd", 2)) << "the fault hits once";
  f.reset();
  EXPECT_EQ(readBytes(dir.file("a")), std::string("aabb\0\0dd", 8));
  EXPECT_EQ(fs.writes(), 4u);
}

TEST(FaultFs, WritesAreCountedOverAllFiles) {
  ScratchDir dir;
  FaultFileSystem fs(realFileSystem());
  auto a = fs.open(dir.file("a"), OpenMode::Create);
  auto b = fs.open(dir.file("b"), OpenMode::Create);
  fs.failWriteAt(2);
  EXPECT_TRUE(a->write(0, "1", 1));
  EXPECT_FALSE(b->write(0, "2", 1));
}

TEST(FaultFs, ShortWriteWritesHalfThenFails) {
  ScratchDir dir;
  FaultFileSystem fs(realFileSystem());
  auto f = fs.open(dir.file("a"), OpenMode::Create);
  fs.shortWriteAt(1);
  EXPECT_FALSE(f->write(0, "abcdefgh", 8));
  f.reset();
  EXPECT_EQ(readBytes(dir.file("a")), "abcd");
}

TEST(FaultFs, DiskFullStopsWritesAtTheLimitForGood) {
  ScratchDir dir;
  FaultFileSystem fs(realFileSystem());
  auto f = fs.open(dir.file("a"), OpenMode::Create);
  fs.diskFullAfter(5);
  EXPECT_TRUE(f->write(0, "abc", 3));
  EXPECT_FALSE(f->write(3, "defg", 4));
  EXPECT_FALSE(f->write(5, "x", 1));
  EXPECT_TRUE(fs.faultHit());
  f.reset();
  EXPECT_EQ(readBytes(dir.file("a")), "abcde");
  fs.reset();
  auto g = fs.open(dir.file("a"), OpenMode::ReadWrite);
  EXPECT_TRUE(g->write(5, "f", 1)) << "reset() clears the limit";
}

TEST(FaultFs, RenameSyncTruncateAndOpenFaults) {
  ScratchDir dir;
  FaultFileSystem fs(realFileSystem());
  auto f = fs.open(dir.file("a"), OpenMode::Create);
  fs.failRenameAt(1);
  EXPECT_FALSE(fs.rename(dir.file("a"), dir.file("b")));
  EXPECT_TRUE(fs.exists(dir.file("a")));
  EXPECT_TRUE(fs.rename(dir.file("a"), dir.file("b")));
  EXPECT_EQ(fs.renames(), 2u);
  fs.failSyncAt(2);
  EXPECT_TRUE(f->sync());
  EXPECT_FALSE(fs.syncDir(dir.path()));
  fs.failTruncateAt(1);
  EXPECT_FALSE(f->truncate(0));
  fs.failOpenAt(1);
  EXPECT_FALSE(fs.open(dir.file("b"), OpenMode::ReadOnly));
  EXPECT_TRUE(fs.open(dir.file("b"), OpenMode::ReadOnly));
  EXPECT_EQ(fs.faultsHit(), 4u);
}

TEST(FaultFs, CountsReadsPerPath) {
  ScratchDir dir;
  FaultFileSystem fs(realFileSystem());
  auto a = fs.open(dir.file("a"), OpenMode::Create);
  auto b = fs.open(dir.file("b"), OpenMode::Create);
  char c;
  size_t got;
  a->read(0, &c, 1, &got);
  a->read(0, &c, 1, &got);
  b->read(0, &c, 1, &got);
  EXPECT_EQ(fs.reads(), 3u);
  EXPECT_EQ(fs.readsOf(dir.file("a")), 2u);
  EXPECT_EQ(fs.readsOf(dir.file("b")), 1u);
  EXPECT_EQ(fs.readsOf(dir.file("c")), 0u);
  fs.reset();
  EXPECT_EQ(fs.reads(), 0u);
  EXPECT_EQ(fs.readsOf(dir.file("a")), 0u);
}

}  // namespace
}  // namespace vt::engine
