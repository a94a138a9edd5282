// A failed write, at whichever write it happens, is reported as kErrWrite and
// leaves a valid table that still holds every record it held before.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "dbf_test_support.h"
#include "engine/dbf_file.h"
#include "engine/fault_fs.h"

namespace vt::engine {
namespace {

using dbftest::field;
using dbftest::makeRecord;
using dbftest::readBytes;
using dbftest::ScratchDir;

const std::vector<FieldDesc> kDefs = {field("NO", 'C', 10), field("TEXT", 'C', 250)};

std::string recordFor(const std::vector<FieldDesc>& fields, uint32_t n) {
  char no[16];
  std::snprintf(no, sizeof no, "%u", n);
  return makeRecord(fields, {no, std::string(250, static_cast<char>('a' + n % 26))});
}

// A table holding records 1..count.
void makeTable(const std::string& path, uint32_t count) {
  ASSERT_EQ(DbfFile::create(realFileSystem(), path, kDefs, false), kOk);
  std::unique_ptr<DbfFile> dbf;
  ASSERT_EQ(DbfFile::open(realFileSystem(), path, true, &dbf), kOk);
  for (uint32_t i = 1; i <= count; ++i) {
    ASSERT_EQ(dbf->append(recordFor(dbf->fields(), i).data(), nullptr), kOk);
  }
  ASSERT_EQ(dbf->flush(), kOk);
}

// The table opens and records 1..recCount are exactly what was appended;
// returns the count.
uint32_t checkTable(const std::string& path) {
  std::unique_ptr<DbfFile> dbf;
  EXPECT_EQ(DbfFile::open(realFileSystem(), path, false, &dbf), kOk);
  if (!dbf) return 0;
  DbfFile::Scanner scan(*dbf);
  const char* rec = nullptr;
  uint32_t recno = 0;
  while (scan.next(&rec, &recno) == kOk && rec != nullptr) {
    EXPECT_EQ(std::string(rec, dbf->recordLength()), recordFor(dbf->fields(), recno)) << recno;
  }
  return dbf->recCount();
}

// Appends `more` records and flushes, through `fs`; the first failure.
int appendAndFlush(FileSystem& fs, const std::string& path, uint32_t more) {
  std::unique_ptr<DbfFile> dbf;
  int status = DbfFile::open(fs, path, true, &dbf);
  if (status != kOk) return status;
  const uint32_t first = dbf->recCount() + 1;
  for (uint32_t i = first; i < first + more && status == kOk; ++i) {
    status = dbf->append(recordFor(dbf->fields(), i).data(), nullptr);
  }
  return status != kOk ? status : dbf->flush();
}

// Runs appendAndFlush with `inject` setting a fault at write n, for n = 1, 2,
// ... until the operation no longer reaches the fault.
void everyWriteFails(uint32_t before, uint32_t more,
                     const std::function<void(FaultFileSystem&, uint64_t)>& inject) {
  for (uint64_t n = 1; n < 100; ++n) {
    ScratchDir dir;
    const std::string path = dir.file("t.dbf");
    makeTable(path, before);
    FaultFileSystem fs(realFileSystem());
    inject(fs, n);
    const int status = appendAndFlush(fs, path, more);
    if (!fs.faultHit()) {
      EXPECT_EQ(status, kOk);
      EXPECT_EQ(checkTable(path), before + more);
      EXPECT_GT(n, 1u) << "the operation must write at all";
      return;
    }
    EXPECT_EQ(status, kErrWrite) << "fault at write " << n;
    const uint32_t count = checkTable(path);
    EXPECT_GE(count, before) << "fault at write " << n;
    EXPECT_LE(count, before + more) << "fault at write " << n;
  }
  ADD_FAILURE() << "the fault was still hit after 100 writes";
}

TEST(DbfFault, FailedWriteDuringAppendAndFlush) {
  everyWriteFails(3, 5, [](FaultFileSystem& fs, uint64_t n) { fs.failWriteAt(n); });
}

TEST(DbfFault, ShortWriteDuringAppendAndFlush) {
  everyWriteFails(3, 5, [](FaultFileSystem& fs, uint64_t n) { fs.shortWriteAt(n); });
}

TEST(DbfFault, FailedWriteWhileAppendsSpillFromTheBuffer) {
  // About 10 MB of appends: several large writes before flush().
  everyWriteFails(10, 33000, [](FaultFileSystem& fs, uint64_t n) { fs.failWriteAt(n); });
}

TEST(DbfFault, DiskFullKeepsTheRecordsOfBefore) {
  // Five records take 5 · 261 + 1 bytes, the header's count 7 more.
  for (uint64_t room : {0, 1, 100, 1000, 1306, 1310}) {
    ScratchDir dir;
    const std::string path = dir.file("t.dbf");
    makeTable(path, 3);
    FaultFileSystem fs(realFileSystem());
    fs.diskFullAfter(room);
    EXPECT_EQ(appendAndFlush(fs, path, 5), kErrWrite) << room;
    const uint32_t count = checkTable(path);
    // With room for the records, the half-written header may already count them.
    EXPECT_TRUE(count == 3u || (room >= 1306 && count == 8u)) << room << ": " << count;
  }
}

TEST(DbfFault, FailedCreateLeavesNoFile) {
  ScratchDir dir;
  FaultFileSystem fs(realFileSystem());
  fs.failWriteAt(1);
  EXPECT_EQ(DbfFile::create(fs, dir.file("t.dbf"), kDefs, false), kErrWrite);
  EXPECT_FALSE(fs.exists(dir.file("t.dbf")));
}

TEST(DbfFault, FailedZapLeavesAValidTable) {
  ScratchDir dir;
  const std::string path = dir.file("t.dbf");
  makeTable(path, 4);
  const std::string before = readBytes(path);
  {
    FaultFileSystem fs(realFileSystem());
    std::unique_ptr<DbfFile> dbf;
    ASSERT_EQ(DbfFile::open(fs, path, true, &dbf), kOk);
    fs.failWriteAt(1);
    EXPECT_EQ(dbf->zap(), kErrWrite);
    EXPECT_EQ(dbf->recCount(), 4u);
  }
  EXPECT_EQ(readBytes(path), before);
  {
    FaultFileSystem fs(realFileSystem());
    std::unique_ptr<DbfFile> dbf;
    ASSERT_EQ(DbfFile::open(fs, path, true, &dbf), kOk);
    fs.failTruncateAt(1);
    EXPECT_EQ(dbf->zap(), kErrWrite);
  }
  EXPECT_EQ(checkTable(path), 0u);
}

}  // namespace
}  // namespace vt::engine
