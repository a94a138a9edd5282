// Tables we create read back exactly: every field type at its width,
// appended and rewritten records, before and after reopening.
#include <gtest/gtest.h>

#include "dbf_test_support.h"
#include "engine/dbf_file.h"

namespace vt::engine {
namespace {

using dbftest::field;
using dbftest::makeRecord;
using dbftest::ScratchDir;

class DbfRoundTrip : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(DbfFile::create(realFileSystem(), path_, defs_, true), kOk);
    ASSERT_EQ(DbfFile::open(realFileSystem(), path_, true, &dbf_), kOk);
  }

  std::string readRecord(uint32_t recno) {
    std::string rec(dbf_->recordLength(), '\0');
    EXPECT_EQ(dbf_->read(recno, rec.data()), kOk);
    return rec;
  }

  uint32_t append(const std::string& rec) {
    uint32_t recno = 0;
    EXPECT_EQ(dbf_->append(rec.data(), &recno), kOk);
    return recno;
  }

  void reopen(bool writable = true) {
    dbf_.reset();
    ASSERT_EQ(DbfFile::open(realFileSystem(), path_, writable, &dbf_), kOk);
  }

  ScratchDir dir_;
  const std::string path_ = dir_.file("items.dbf");
  const std::vector<FieldDesc> defs_ = {field("name", 'C', 254),    field("Qty", 'N', 19),
                                        field("PRICE", 'N', 12, 2), field("DAY", 'D', 8),
                                        field("OK", 'L', 1),        field("NOTE", 'M', 10),
                                        field("CODE", 'C', 1),      field("FRAC", 'N', 5, 4)};
  std::unique_ptr<DbfFile> dbf_;
};

TEST_F(DbfRoundTrip, FieldsAreUpperCasedWithOffsets) {
  const auto& f = dbf_->fields();
  ASSERT_EQ(f.size(), 8u);
  EXPECT_EQ(f[0].name, "NAME");
  EXPECT_EQ(f[1].name, "QTY");
  EXPECT_EQ(f[2].type, 'N');
  EXPECT_EQ(f[2].decimals, 2);
  EXPECT_EQ(f[0].offset, 1u);
  EXPECT_EQ(f[1].offset, 255u);
  EXPECT_EQ(f[3].offset, 255u + 19 + 12);
  EXPECT_EQ(dbf_->recordLength(), 1u + 254 + 19 + 12 + 8 + 1 + 10 + 1 + 5);
  EXPECT_EQ(dbf_->headerLength(), 32u * 8 + 33);
  EXPECT_TRUE(dbf_->hasMemo());
  EXPECT_TRUE(dbf_->writable());
  EXPECT_EQ(dbf_->recCount(), 0u);
}

TEST_F(DbfRoundTrip, FieldNamesMatchWithoutRegardToCase) {
  EXPECT_EQ(dbf_->fieldIndex("price"), 2);
  EXPECT_EQ(dbf_->fieldIndex("Price"), 2);
  EXPECT_EQ(dbf_->fieldIndex("PRICE"), 2);
  EXPECT_EQ(dbf_->fieldIndex("PRIC"), -1);
  EXPECT_EQ(dbf_->fieldIndex("PRICES"), -1);
  EXPECT_EQ(dbf_->fieldIndex(""), -1);
}

TEST_F(DbfRoundTrip, EveryTypeAtItsFullWidthSurvivesReopening) {
  const std::string full(254, 'x');
  const std::vector<std::vector<std::string>> rows = {
      {full, "9999999999999999999", "-12345678.99", "20261231", "T", "         1", "Z", ".1234"},
      {"M\xFCller \xE9t\xE9", "-999999999999999999", "      112.25", "        ", " ", "", "",
       "    0"},
      {"", "                  0", "       -0.50", "19000101", "F", "0000000042", "\xFF", "-.001"},
  };
  for (const auto& row : rows) append(makeRecord(dbf_->fields(), row));
  for (uint32_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(readRecord(i + 1), makeRecord(dbf_->fields(), rows[i])) << "buffered " << i;
  }
  reopen();
  ASSERT_EQ(dbf_->recCount(), 3u);
  for (uint32_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(readRecord(i + 1), makeRecord(dbf_->fields(), rows[i])) << "reopened " << i;
  }
}

TEST_F(DbfRoundTrip, DeletionFlagIsByteZero) {
  std::string rec = makeRecord(dbf_->fields(), {"gone"});
  rec[0] = '*';
  append(rec);
  reopen();
  EXPECT_EQ(readRecord(1)[0], '*');
}

TEST_F(DbfRoundTrip, RewritesInPlaceAndInTheAppendBuffer) {
  for (int i = 0; i < 5; ++i) append(makeRecord(dbf_->fields(), {"r" + std::to_string(i)}));
  ASSERT_EQ(dbf_->write(2, makeRecord(dbf_->fields(), {"buffered"}).data()), kOk);
  ASSERT_EQ(dbf_->flush(), kOk);
  EXPECT_EQ(readRecord(4).substr(1, 2), "r3") << "reading fills the window";
  ASSERT_EQ(dbf_->write(4, makeRecord(dbf_->fields(), {"on disk"}).data()), kOk);
  EXPECT_EQ(readRecord(4).substr(1, 7), "on disk") << "the window follows writes";
  reopen();
  EXPECT_EQ(readRecord(2).substr(1, 8), "buffered");
  EXPECT_EQ(readRecord(4).substr(1, 7), "on disk");
  EXPECT_EQ(readRecord(5).substr(1, 2), "r4");
}

TEST_F(DbfRoundTrip, ReadPartReadsOneField) {
  append(makeRecord(dbf_->fields(), {"abc", "7", "1.25"}));
  char price[12];
  ASSERT_EQ(dbf_->readPart(1, dbf_->fields()[2].offset, 12, price), kOk);
  EXPECT_EQ(std::string(price, 12), "1.25        ");
  EXPECT_EQ(dbf_->readPart(1, dbf_->recordLength() - 1, 2, price), kErrArgument);
}

TEST_F(DbfRoundTrip, RecordNumbersOutOfRange) {
  append(makeRecord(dbf_->fields(), {"one"}));
  std::string rec(dbf_->recordLength(), ' ');
  EXPECT_EQ(dbf_->read(0, rec.data()), kErrRecord);
  EXPECT_EQ(dbf_->read(2, rec.data()), kErrRecord);
  EXPECT_EQ(dbf_->write(2, rec.data()), kErrRecord);
}

TEST_F(DbfRoundTrip, ManyAppendsCrossTheBufferAndTheWindow) {
  const uint32_t n = 20000;  // about 6 MB: several buffer writes
  for (uint32_t i = 1; i <= n; ++i) {
    ASSERT_EQ(append(makeRecord(dbf_->fields(), {std::to_string(i)})), i);
  }
  EXPECT_EQ(dbf_->recCount(), n);
  EXPECT_EQ(readRecord(n).substr(1, 5), "20000");
  EXPECT_EQ(readRecord(1).substr(1, 2), "1 ");
  reopen(false);
  for (uint32_t i : {1u, 2u, 3u, 9999u, 10000u, 10001u, n}) {
    EXPECT_EQ(readRecord(i).substr(1, 6), (std::to_string(i) + "      ").substr(0, 6));
  }
  for (uint32_t i = n; i >= n - 500; --i) {  // backwards, one by one
    ASSERT_EQ(readRecord(i).substr(1, 5), std::to_string(i));
  }
}

TEST_F(DbfRoundTrip, ScannerReturnsEveryRecordInOrder) {
  const uint32_t n = 3000;
  for (uint32_t i = 1; i <= n; ++i) append(makeRecord(dbf_->fields(), {std::to_string(i)}));
  ASSERT_EQ(dbf_->flush(), kOk);
  for (uint32_t i = 1; i <= 3; ++i) append(makeRecord(dbf_->fields(), {"new" + std::to_string(i)}));
  DbfFile::Scanner scan(*dbf_, 2);
  const char* rec = nullptr;
  uint32_t recno = 0, expected = 2;
  while (true) {
    ASSERT_EQ(scan.next(&rec, &recno), kOk);
    if (rec == nullptr) break;
    ASSERT_EQ(recno, expected);
    const std::string want =
        expected <= n ? std::to_string(expected) : "new" + std::to_string(expected - n);
    ASSERT_EQ(std::string(rec + 1, want.size()), want);
    ++expected;
  }
  EXPECT_EQ(expected, n + 4);
}

TEST_F(DbfRoundTrip, ReadOnlyTablesRefuseChanges) {
  append(makeRecord(dbf_->fields(), {"one"}));
  reopen(false);
  const std::string rec = makeRecord(dbf_->fields(), {"two"});
  uint32_t recno = 0;
  EXPECT_EQ(dbf_->append(rec.data(), &recno), kErrReadOnly);
  EXPECT_EQ(dbf_->write(1, rec.data()), kErrReadOnly);
  EXPECT_EQ(dbf_->zap(), kErrReadOnly);
  EXPECT_FALSE(dbf_->writable());
}

TEST(DbfCreate, RejectsBadDefinitions) {
  ScratchDir dir;
  FileSystem& fs = realFileSystem();
  const std::string path = dir.file("bad.dbf");
  using Defs = std::vector<FieldDesc>;
  const std::vector<Defs> bad = {
      {},
      {field("", 'C', 5)},
      {field("ELEVENCHARS", 'C', 5)},
      {field("1ST", 'C', 5)},
      {field("A B", 'C', 5)},
      {field("NAME", 'C', 5), field("name", 'C', 5)},
      {field("NAME", 'C', 0)},
      {field("NAME", 'C', 255)},
      {field("NAME", 'C', 5, 1)},
      {field("QTY", 'N', 20)},
      {field("QTY", 'N', 5, 5)},
      {field("DAY", 'D', 6)},
      {field("OK", 'L', 2)},
      {field("NOTE", 'M', 10)},  // no memo file
      {field("X", 'Q', 5)},
  };
  for (const Defs& defs : bad) {
    EXPECT_EQ(DbfFile::create(fs, path, defs, false), kErrArgument)
        << (defs.empty() ? "(none)" : defs.back().name);
    EXPECT_FALSE(fs.exists(path));
  }
}

TEST(DbfCreate, FixedWidthsMayBeLeftOpen) {
  ScratchDir dir;
  const std::string path = dir.file("t.dbf");
  ASSERT_EQ(
      DbfFile::create(realFileSystem(), path,
                      {field("DAY", 'D', 0), field("OK", 'L', 0), field("NOTE", 'M', 0)}, true),
      kOk);
  std::unique_ptr<DbfFile> dbf;
  ASSERT_EQ(DbfFile::open(realFileSystem(), path, false, &dbf), kOk);
  EXPECT_EQ(dbf->recordLength(), 1u + 8 + 1 + 10);
}

TEST(DbfCreate, UnwritablePlaceIsACreateError) {
  EXPECT_EQ(
      DbfFile::create(realFileSystem(), "/nonexistent-dir/x.dbf", {field("A", 'C', 1)}, false),
      kErrCreate);
  std::unique_ptr<DbfFile> dbf;
  EXPECT_EQ(DbfFile::open(realFileSystem(), "/nonexistent-dir/x.dbf", false, &dbf), kErrOpen);
}

}  // namespace
}  // namespace vt::engine
