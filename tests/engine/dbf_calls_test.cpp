// How many system calls records cost: appends go out in large writes, reads
// near the last one come from memory, a jump costs one read.
#include <gtest/gtest.h>

#include "dbf_test_support.h"
#include "engine/dbf_file.h"
#include "engine/fault_fs.h"

namespace vt::engine {
namespace {

using dbftest::field;
using dbftest::makeRecord;
using dbftest::ScratchDir;

class DbfCalls : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(DbfFile::create(fs_, path_, {field("NO", 'C', 10), field("PAD", 'C', 90)}, false),
              kOk);
    ASSERT_EQ(DbfFile::open(fs_, path_, true, &dbf_), kOk);
  }

  void appendNumbered(uint32_t n) {
    for (uint32_t i = 1; i <= n; ++i) {
      ASSERT_EQ(dbf_->append(makeRecord(dbf_->fields(), {std::to_string(i)}).data(), nullptr), kOk);
    }
  }

  std::string read(uint32_t recno) {
    std::string rec(dbf_->recordLength(), '\0');
    EXPECT_EQ(dbf_->read(recno, rec.data()), kOk);
    return rec.substr(1, 10);
  }

  ScratchDir dir_;
  const std::string path_ = dir_.file("t.dbf");
  FaultFileSystem fs_{realFileSystem()};
  std::unique_ptr<DbfFile> dbf_;
};

TEST_F(DbfCalls, AppendsAreWrittenInLargeBlocks) {
  fs_.reset();
  appendNumbered(30000);  // 3 MB of 101-byte records
  EXPECT_LE(fs_.writes(), 3u);
  ASSERT_EQ(dbf_->flush(), kOk);
  EXPECT_LE(fs_.writes(), 5u);
  EXPECT_EQ(fs_.reads(), 0u) << "appending reads nothing";
}

TEST_F(DbfCalls, BufferedRecordsAreReadFromMemory) {
  appendNumbered(100);
  fs_.reset();
  EXPECT_EQ(read(50), "50        ");
  EXPECT_EQ(fs_.reads(), 0u);
}

TEST_F(DbfCalls, SequentialReadsTakeAWindowAtATime) {
  appendNumbered(10000);
  ASSERT_EQ(dbf_->flush(), kOk);
  fs_.reset();
  for (uint32_t i = 1; i <= 10000; ++i)
    ASSERT_EQ(read(i), (std::to_string(i) + "         ").substr(0, 10));
  // 1 MB of records through a 64 KB window: about 16 reads.
  EXPECT_LE(fs_.reads(), 20u);
  fs_.reset();
  for (uint32_t i = 10000; i >= 1; --i)
    ASSERT_EQ(read(i).substr(0, 5), (std::to_string(i) + "    ").substr(0, 5));
  EXPECT_LE(fs_.reads(), 20u) << "backwards as well";
}

TEST_F(DbfCalls, AJumpCostsOneReadAndRereadingItNone) {
  appendNumbered(10000);
  ASSERT_EQ(dbf_->flush(), kOk);
  fs_.reset();
  EXPECT_EQ(read(7777).substr(0, 4), "7777");
  EXPECT_EQ(fs_.reads(), 1u);
  EXPECT_EQ(read(7777).substr(0, 4), "7777");
  EXPECT_EQ(read(123).substr(0, 3), "123");
  EXPECT_EQ(fs_.reads(), 2u);
}

TEST_F(DbfCalls, ScannerReadsLargeChunks) {
  appendNumbered(20000);  // 2 MB
  ASSERT_EQ(dbf_->flush(), kOk);
  fs_.reset();
  DbfFile::Scanner scan(*dbf_);
  const char* rec = nullptr;
  uint32_t recno = 0, seen = 0;
  while (scan.next(&rec, &recno) == kOk && rec != nullptr) ++seen;
  EXPECT_EQ(seen, 20000u);
  EXPECT_LE(fs_.reads(), 9u);
}

}  // namespace
}  // namespace vt::engine
