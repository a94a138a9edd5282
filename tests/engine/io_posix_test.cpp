// The real file system: transfers, names matched without regard to case, and
// locks that belong to each open file.
#include <gtest/gtest.h>

#include <algorithm>

#include "dbf_test_support.h"
#include "engine/io.h"

namespace vt::engine {
namespace {

using dbftest::readBytes;
using dbftest::ScratchDir;
using dbftest::writeBytes;

TEST(IoPosix, ReadsStopAtEndOfFileAndWritesExtend) {
  ScratchDir dir;
  FileSystem& fs = realFileSystem();
  auto f = fs.open(dir.file("a.bin"), OpenMode::Create);
  ASSERT_TRUE(f);
  ASSERT_TRUE(f->write(4, "abcd", 4));
  uint64_t size = 0;
  ASSERT_TRUE(f->size(&size));
  EXPECT_EQ(size, 8u);
  char buf[16];
  size_t got = 99;
  ASSERT_TRUE(f->read(6, buf, sizeof buf, &got));
  EXPECT_EQ(got, 2u);
  EXPECT_EQ(std::string(buf, 2), "cd");
  ASSERT_TRUE(f->read(100, buf, sizeof buf, &got));
  EXPECT_EQ(got, 0u);
  ASSERT_TRUE(f->truncate(5));
  f.reset();
  EXPECT_EQ(readBytes(dir.file("a.bin")), std::string("\0\0\0\0a", 5));
}

TEST(IoPosix, OpenModes) {
  ScratchDir dir;
  FileSystem& fs = realFileSystem();
  EXPECT_FALSE(fs.open(dir.file("missing"), OpenMode::ReadOnly));
  EXPECT_FALSE(fs.open(dir.file("missing"), OpenMode::ReadWrite));
  EXPECT_FALSE(fs.open(dir.path(), OpenMode::ReadOnly)) << "a directory is not a file";
  writeBytes(dir.file("x"), "hello");
  auto ro = fs.open(dir.file("x"), OpenMode::ReadOnly);
  ASSERT_TRUE(ro);
  EXPECT_FALSE(ro->write(0, "J", 1));
  auto created = fs.open(dir.file("x"), OpenMode::Create);
  ASSERT_TRUE(created);
  uint64_t size = 1;
  ASSERT_TRUE(created->size(&size));
  EXPECT_EQ(size, 0u) << "Create truncates";
}

TEST(IoPosix, RenameRemoveExistsList) {
  ScratchDir dir;
  FileSystem& fs = realFileSystem();
  writeBytes(dir.file("new.tmp"), "new");
  writeBytes(dir.file("old.dbf"), "old");
  ASSERT_TRUE(fs.rename(dir.file("new.tmp"), dir.file("old.dbf")));
  EXPECT_EQ(readBytes(dir.file("old.dbf")), "new");
  EXPECT_FALSE(fs.exists(dir.file("new.tmp")));
  EXPECT_EQ(fs.list(dir.path()), std::vector<std::string>{"old.dbf"});
  EXPECT_TRUE(fs.syncDir(dir.path()));
  EXPECT_TRUE(fs.remove(dir.file("old.dbf")));
  EXPECT_FALSE(fs.remove(dir.file("old.dbf")));
  EXPECT_TRUE(fs.list(dir.path()).empty());
  EXPECT_TRUE(fs.list(dir.file("nowhere")).empty());
}

TEST(ResolvePath, FindsNamesWithoutRegardToCase) {
  ScratchDir dir;
  FileSystem& fs = realFileSystem();
  writeBytes(dir.file("cust5.dbf"), "x");
  EXPECT_EQ(resolvePath(fs, dir.path(), "CUST5.DBF"), dir.file("cust5.dbf"));
  EXPECT_EQ(resolvePath(fs, dir.path(), "Cust5.Dbf"), dir.file("cust5.dbf"));
  EXPECT_EQ(resolvePath(fs, dir.path(), "cust5.dbf"), dir.file("cust5.dbf"));
}

TEST(ResolvePath, ExactNameWinsAndMissingNameStaysAsGiven) {
  ScratchDir dir;
  FileSystem& fs = realFileSystem();
  writeBytes(dir.file("Items.dbf"), "x");
  writeBytes(dir.file("ITEMS.DBF"), "y");
  EXPECT_EQ(resolvePath(fs, dir.path(), "ITEMS.DBF"), dir.file("ITEMS.DBF"));
  EXPECT_EQ(resolvePath(fs, dir.path(), "Items.dbf"), dir.file("Items.dbf"));
  EXPECT_EQ(resolvePath(fs, dir.path(), "NEW.DBF"), dir.file("NEW.DBF"));
  EXPECT_EQ(resolvePath(fs, dir.path(), "ITEMS.DB"), dir.file("ITEMS.DB"));
}

TEST(IoLocks, TwoOpensOfOneFileExcludeEachOther) {
  ScratchDir dir;
  FileSystem& fs = realFileSystem();
  writeBytes(dir.file("t.dbf"), "data");
  auto a = fs.open(dir.file("t.dbf"), OpenMode::ReadWrite);
  auto b = fs.open(dir.file("t.dbf"), OpenMode::ReadWrite);
  ASSERT_TRUE(a && b);
  ASSERT_TRUE(a->lock(1000000, 10, LockKind::Exclusive, false));
  EXPECT_FALSE(b->lock(1000005, 1, LockKind::Exclusive, false));
  EXPECT_FALSE(b->lock(1000000, 10, LockKind::Shared, false));
  EXPECT_TRUE(b->lock(1000010, 5, LockKind::Exclusive, false)) << "the next range is free";
  ASSERT_TRUE(a->unlock(1000000, 10));
  EXPECT_TRUE(b->lock(1000000, 10, LockKind::Exclusive, false));
}

TEST(IoLocks, SharedLocksDoNotConflict) {
  ScratchDir dir;
  FileSystem& fs = realFileSystem();
  writeBytes(dir.file("t.dbf"), "data");
  auto a = fs.open(dir.file("t.dbf"), OpenMode::ReadOnly);
  auto b = fs.open(dir.file("t.dbf"), OpenMode::ReadOnly);
  auto c = fs.open(dir.file("t.dbf"), OpenMode::ReadWrite);
  ASSERT_TRUE(a && b && c);
  EXPECT_TRUE(a->lock(0, 100, LockKind::Shared, false));
  EXPECT_TRUE(b->lock(0, 100, LockKind::Shared, false));
  EXPECT_FALSE(c->lock(50, 1, LockKind::Exclusive, false));
}

TEST(IoLocks, ClosingAFileReleasesItsLocks) {
  ScratchDir dir;
  FileSystem& fs = realFileSystem();
  writeBytes(dir.file("t.dbf"), "data");
  auto a = fs.open(dir.file("t.dbf"), OpenMode::ReadWrite);
  auto b = fs.open(dir.file("t.dbf"), OpenMode::ReadWrite);
  ASSERT_TRUE(a->lock(0, 1, LockKind::Exclusive, false));
  EXPECT_FALSE(b->lock(0, 1, LockKind::Exclusive, false));
  a.reset();
  EXPECT_TRUE(b->lock(0, 1, LockKind::Exclusive, true));
}

}  // namespace
}  // namespace vt::engine
