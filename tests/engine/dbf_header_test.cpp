// The bytes of the header and the end marker that other programs read: what
// create() writes, what flush() keeps current, what zap() and refresh() do.
#include <gtest/gtest.h>

#include "dbf_test_support.h"
#include "engine/dbf_file.h"

namespace vt::engine {
namespace {

using dbftest::field;
using dbftest::le16;
using dbftest::le32;
using dbftest::makeRecord;
using dbftest::readBytes;
using dbftest::ScratchDir;

class DbfHeaderBytes : public ::testing::Test {
 protected:
  void SetUp() override { setDbfClockForTests(2026, 3, 14); }
  void TearDown() override { setDbfClockForTests(0, 0, 0); }

  std::unique_ptr<DbfFile> createAndOpen(bool memo) {
    std::vector<FieldDesc> defs = {field("Name", 'C', 10), field("AMT", 'N', 8, 2)};
    if (memo) defs.push_back(field("NOTE", 'M', 10));
    EXPECT_EQ(DbfFile::create(realFileSystem(), path_, defs, memo), kOk);
    std::unique_ptr<DbfFile> dbf;
    EXPECT_EQ(DbfFile::open(realFileSystem(), path_, true, &dbf), kOk);
    return dbf;
  }

  ScratchDir dir_;
  const std::string path_ = dir_.file("t.dbf");
};

TEST_F(DbfHeaderBytes, NewTableIsHeaderAndEndMarker) {
  createAndOpen(false);
  const std::string b = readBytes(path_);
  ASSERT_EQ(b.size(), 32u * 2 + 33 + 1);
  EXPECT_EQ(b[0], '\x03');
  EXPECT_EQ(b[1], static_cast<char>(126)) << "year - 1900";
  EXPECT_EQ(b[2], 3);
  EXPECT_EQ(b[3], 14);
  EXPECT_EQ(le32(b, 4), 0u);
  EXPECT_EQ(le16(b, 8), 97u);
  EXPECT_EQ(le16(b, 10), 19u);
  EXPECT_EQ(b[29], '\x03') << "Windows-1252";
  EXPECT_EQ(b.substr(12, 17), std::string(17, '\0'));
  EXPECT_EQ(b.substr(32, 11), std::string("NAME\0\0\0\0\0\0\0", 11));
  EXPECT_EQ(b[32 + 11], 'C');
  EXPECT_EQ(b[32 + 16], 10);
  EXPECT_EQ(b.substr(64, 11), std::string("AMT\0\0\0\0\0\0\0\0", 11));
  EXPECT_EQ(b[64 + 11], 'N');
  EXPECT_EQ(b[64 + 16], 8);
  EXPECT_EQ(b[64 + 17], 2);
  EXPECT_EQ(b[96], '\x0D');
  EXPECT_EQ(b[97], '\x1A');
}

TEST_F(DbfHeaderBytes, MemoTablesHaveVersion83) {
  createAndOpen(true);
  EXPECT_EQ(readBytes(path_)[0], '\x83');
}

TEST_F(DbfHeaderBytes, FlushWritesRecordsCountDateAndMarker) {
  auto dbf = createAndOpen(false);
  setDbfClockForTests(2027, 12, 31);
  for (const char* name : {"one", "two", "three"}) {
    ASSERT_EQ(dbf->append(makeRecord(dbf->fields(), {name, "    1.50"}).data(), nullptr), kOk);
  }
  EXPECT_EQ(le32(readBytes(path_), 4), 0u) << "appends wait for flush()";
  ASSERT_EQ(dbf->flush(), kOk);
  const std::string b = readBytes(path_);
  ASSERT_EQ(b.size(), 97u + 3 * 19 + 1);
  EXPECT_EQ(le32(b, 4), 3u);
  EXPECT_EQ(b[1], static_cast<char>(127));
  EXPECT_EQ(b[2], 12);
  EXPECT_EQ(b[3], 31);
  EXPECT_EQ(b.substr(97 + 2 * 19, 19), std::string(" ") + "three     " + "    1.50");
  EXPECT_EQ(b.back(), '\x1A');
}

TEST_F(DbfHeaderBytes, RewriteUpdatesTheDateButKeepsTheFileLength) {
  auto dbf = createAndOpen(false);
  ASSERT_EQ(dbf->append(makeRecord(dbf->fields(), {"a"}).data(), nullptr), kOk);
  ASSERT_EQ(dbf->flush(), kOk);
  setDbfClockForTests(2030, 1, 2);
  ASSERT_EQ(dbf->write(1, makeRecord(dbf->fields(), {"b"}).data()), kOk);
  ASSERT_EQ(dbf->flush(), kOk);
  const std::string b = readBytes(path_);
  EXPECT_EQ(b.size(), 97u + 19 + 1);
  EXPECT_EQ(b[1], static_cast<char>(130));
  EXPECT_EQ(b[98], 'b');
  EXPECT_EQ(b.back(), '\x1A');
}

TEST_F(DbfHeaderBytes, DestructorWritesWhatIsPending) {
  auto dbf = createAndOpen(false);
  ASSERT_EQ(dbf->append(makeRecord(dbf->fields(), {"kept"}).data(), nullptr), kOk);
  dbf.reset();
  EXPECT_EQ(le32(readBytes(path_), 4), 1u);
}

TEST_F(DbfHeaderBytes, ZapCutsTheFileAfterTheHeader) {
  auto dbf = createAndOpen(false);
  for (int i = 0; i < 10; ++i) {
    ASSERT_EQ(dbf->append(makeRecord(dbf->fields(), {"x"}).data(), nullptr), kOk);
  }
  ASSERT_EQ(dbf->flush(), kOk);
  ASSERT_EQ(dbf->zap(), kOk);
  EXPECT_EQ(dbf->recCount(), 0u);
  const std::string b = readBytes(path_);
  EXPECT_EQ(b.size(), 98u);
  EXPECT_EQ(le32(b, 4), 0u);
  EXPECT_EQ(b.back(), '\x1A');
  uint32_t recno = 0;
  ASSERT_EQ(dbf->append(makeRecord(dbf->fields(), {"after"}).data(), &recno), kOk);
  EXPECT_EQ(recno, 1u);
}

TEST_F(DbfHeaderBytes, RefreshSeesAppendsOfAnotherOpen) {
  auto writer = createAndOpen(false);
  std::unique_ptr<DbfFile> reader;
  ASSERT_EQ(DbfFile::open(realFileSystem(), path_, false, &reader), kOk);
  ASSERT_EQ(writer->append(makeRecord(writer->fields(), {"first"}).data(), nullptr), kOk);
  ASSERT_EQ(writer->flush(), kOk);
  bool changed = false;
  ASSERT_EQ(reader->refresh(&changed), kOk);
  EXPECT_TRUE(changed);
  EXPECT_EQ(reader->recCount(), 1u);
  ASSERT_EQ(reader->refresh(&changed), kOk);
  EXPECT_FALSE(changed);

  std::string rec(reader->recordLength(), '\0');
  ASSERT_EQ(reader->read(1, rec.data()), kOk);
  ASSERT_EQ(writer->write(1, makeRecord(writer->fields(), {"changed"}).data()), kOk);
  ASSERT_EQ(writer->flush(), kOk);
  ASSERT_EQ(reader->refresh(&changed), kOk);
  ASSERT_EQ(reader->read(1, rec.data()), kOk);
  EXPECT_EQ(rec.substr(1, 7), "changed") << "refresh forgets records read before";
}

}  // namespace
}  // namespace vt::engine
