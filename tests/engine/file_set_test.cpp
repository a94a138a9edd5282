// A change of several files as one unit (engine/file_set): its record read
// in its own directory, whatever the working directory; a failed sync at the
// end told as a failure.
#include "engine/file_set.h"

#include <gtest/gtest.h>

#include <fstream>

#include "engine/fault_fs.h"
#include "engine/status.h"
#include "table_support.h"

namespace vt::engine::testing {
namespace {

namespace fs = std::filesystem;

void write(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

std::string read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(FileSet, AFailedSyncAtTheEndIsAWriteErrorAndNoRecordOutlivesTheNextOpen) {
  // The record's removal is followed by one directory sync: each of the
  // last two syncs fails in turn.
  for (uint64_t fromEnd : {0u, 1u}) {
    TempDir dir;
    write(dir.file("a.txt"), "old");
    write(dir.file("a.txt.copying"), "new");
    FaultFileSystem counting(realFileSystem());
    {
      TempDir dry;
      write(dry.file("a.txt.copying"), "new");
      ASSERT_EQ(
          commitFileSet(counting, dry.path(), {{dry.file("a.txt.copying"), dry.file("a.txt")}}),
          kOk);
    }
    FaultFileSystem faulty(realFileSystem());
    faulty.failSyncAt(counting.syncs() - fromEnd);
    EXPECT_EQ(commitFileSet(faulty, dir.path(), {{dir.file("a.txt.copying"), dir.file("a.txt")}}),
              kErrWrite);
    EXPECT_EQ(read(dir.file("a.txt")), "new");
    EXPECT_EQ(finishFileSet(realFileSystem(), dir.path()), kOk);
    EXPECT_FALSE(fileSetPending(realFileSystem(), dir.path()));
    EXPECT_FALSE(fs::exists(dir.file("a.txt.old")));
  }
}

// A record written before names were relative lists paths as the program was
// given them ("R/a.txt"); it is finished in its own directory, and a file of
// that path under the working directory is left alone.
TEST(FileSet, AnOlderRecordIsFinishedInItsOwnDirectoryFromAnyWorkingDirectory) {
  TempDir dir, elsewhere;
  write(dir.file(kFileSetRecord), "R/a.txt.copying\tR/a.txt\n\tR/a.ntx\nend\n");
  write(dir.file("a.txt.old"), "old");
  write(dir.file("a.txt.copying"), "new");
  write(dir.file("a.ntx"), "old index");
  write(elsewhere.file("R/a.ntx"), "another business's index");
  const fs::path was = fs::current_path();
  fs::current_path(elsewhere.path());
  EXPECT_EQ(finishFileSet(realFileSystem(), dir.path()), kOk);
  fs::current_path(was);
  EXPECT_EQ(read(dir.file("a.txt")), "new");
  EXPECT_FALSE(fs::exists(dir.file("a.ntx")));
  EXPECT_FALSE(fs::exists(dir.file("a.txt.old")));
  EXPECT_FALSE(fileSetPending(realFileSystem(), dir.path()));
  EXPECT_EQ(read(elsewhere.file("R/a.ntx")), "another business's index");
}

}  // namespace
}  // namespace vt::engine::testing
