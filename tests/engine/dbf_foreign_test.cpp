// Tables written by other programs, with the liberties the format leaves:
// a longer header, a two-digit year, no end marker, 'F' fields, junk in
// reserved bytes.
#include <gtest/gtest.h>

#include "dbf_test_support.h"
#include "engine/dbf_file.h"

namespace vt::engine {
namespace {

using dbftest::rawDbf;
using dbftest::RawField;
using dbftest::readBytes;
using dbftest::ScratchDir;
using dbftest::writeBytes;

const std::vector<RawField> kFields = {{"NAME", 'C', 6}, {"AMT", 'N', 7, 2}, {"DAY", 'D', 8}};
// Deletion flag, NAME C6, AMT N7.2, DAY D8: 22 bytes.
const std::vector<std::string> kRecords = {std::string(" ") + "alpha " + "  12.50" + "20260102",
                                           std::string("*") + "beta  " + "  -1.00" + "        ",
                                           std::string(" ") + "gamma " + "   0.00" + "19991231"};
constexpr size_t kHeaderPlusOne = 32 + 3 * 32 + 1 + 1;

std::string recordOf(DbfFile& dbf, uint32_t recno) {
  std::string rec(dbf.recordLength(), '\0');
  EXPECT_EQ(dbf.read(recno, rec.data()), kOk);
  return rec;
}

void expectReadsBack(const std::string& bytes) {
  ScratchDir dir;
  writeBytes(dir.file("f.dbf"), bytes);
  std::unique_ptr<DbfFile> dbf;
  ASSERT_EQ(DbfFile::open(realFileSystem(), dir.file("f.dbf"), false, &dbf), kOk);
  ASSERT_EQ(dbf->recCount(), kRecords.size());
  for (uint32_t i = 0; i < kRecords.size(); ++i) EXPECT_EQ(recordOf(*dbf, i + 1), kRecords[i]);
  EXPECT_EQ(dbf->fields()[1].decimals, 2);
  EXPECT_EQ(dbf->fields()[2].offset, 14u);
}

TEST(DbfForeign, HeaderOneByteLongerThanOurs) {
  const std::string bytes = rawDbf(kFields, kRecords, 0x03, 1);  // 32·n+34
  expectReadsBack(bytes);
}

TEST(DbfForeign, LongerHeaderPaddingIsSkipped) {
  expectReadsBack(rawDbf(kFields, kRecords, 0x03, 263));
}

TEST(DbfForeign, MissingEndMarker) {
  expectReadsBack(rawDbf(kFields, kRecords, 0x03, 0, false));
}

TEST(DbfForeign, FloatFieldsReadAsNumbers) {
  std::vector<RawField> fields = kFields;
  fields[1].type = 'F';
  ScratchDir dir;
  writeBytes(dir.file("f.dbf"), rawDbf(fields, kRecords));
  std::unique_ptr<DbfFile> dbf;
  ASSERT_EQ(DbfFile::open(realFileSystem(), dir.file("f.dbf"), false, &dbf), kOk);
  EXPECT_EQ(dbf->fields()[1].type, 'N');
}

TEST(DbfForeign, ReservedBytesAndLowerCaseNamesAreAccepted) {
  std::string bytes = rawDbf(kFields, kRecords, 0x83);
  bytes[29] = 0x02;       // DOS 850
  bytes[32 + 12] = 0x01;  // a field "address" in the reserved bytes
  bytes[32 + 0] = 'n';
  bytes[32 + 1] = 'a';
  bytes[64 + 17] = 2;  // decimals of the date field: meaningless
  ScratchDir dir;
  writeBytes(dir.file("f.dbf"), bytes);
  std::unique_ptr<DbfFile> dbf;
  ASSERT_EQ(DbfFile::open(realFileSystem(), dir.file("f.dbf"), false, &dbf), kOk);
  EXPECT_TRUE(dbf->hasMemo());
  EXPECT_EQ(dbf->fields()[0].name, "naME");
  EXPECT_EQ(dbf->fieldIndex("NAME"), 0);
  EXPECT_EQ(dbf->fields()[2].decimals, 0);
}

TEST(DbfForeign, AppendingToAForeignTableKeepsItsHeaderLength) {
  ScratchDir dir;
  const std::string path = dir.file("f.dbf");
  writeBytes(path, rawDbf(kFields, kRecords, 0x03, 1, false));
  {
    std::unique_ptr<DbfFile> dbf;
    ASSERT_EQ(DbfFile::open(realFileSystem(), path, true, &dbf), kOk);
    const std::string rec = std::string(" ") + "delta " + "   3.25" + "20260303";
    ASSERT_EQ(dbf->append(rec.data(), nullptr), kOk);
    ASSERT_EQ(dbf->flush(), kOk);
  }
  const std::string b = readBytes(path);
  EXPECT_EQ(b.size(), kHeaderPlusOne + 4 * 22 + 1);
  EXPECT_EQ(b.substr(kHeaderPlusOne + 3 * 22, 6), " delta");
  EXPECT_EQ(b.back(), '\x1A');
}

}  // namespace
}  // namespace vt::engine
