// Tables and memo files written by our engine, read field for field by two
// independent readers: python3-dbfread and Perl XBase.
#include <gtest/gtest.h>

#include "interop/interop_sample.h"
#include "interop/interop_support.h"

namespace vt::interop {
namespace {

class InteropOurTablesInOtherReaders : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty()) << "no scratch directory";
    ASSERT_EQ(0, writeWithEngine(dir_.path(), "people", records_));
    dbfPath_ = findFile(dir_.path(), "people.dbf");
    ASSERT_FALSE(dbfPath_.empty()) << "the engine wrote no people.dbf";
    for (const auto& f : sampleFields()) fieldNames_.push_back(f.name);
  }

  // Runs a reader's dump script on the table and parses what it printed.
  void dump(const char* interpreter, const char* script, std::vector<Row>* rows) {
    const std::string path = helperScript(script);
    ASSERT_FALSE(path.empty()) << "VT_SOURCE_DIR is not set";
    ToolRun run = runTool({interpreter, path, dbfPath_});
    ASSERT_EQ(0, run.exitCode) << script << " failed:\n" << run.err;
    std::string error;
    ASSERT_TRUE(parseRows(run.out, rows, &error)) << script << ": " << error;
  }

  ScratchDir dir_;
  std::vector<SampleRecord> records_ = sampleRecords();
  std::vector<std::string> fieldNames_;
  std::string dbfPath_;
};

TEST_F(InteropOurTablesInOtherReaders, DbfreadReadsEveryFieldOfEveryRecord) {
  std::vector<Row> rows;
  ASSERT_NO_FATAL_FAILURE(dump(kPython, "interop_dbfread_dump.py", &rows));
  expectSameRows(liveThenDeleted(expectedRows(records_)), rows, fieldNames_, "dbfread");
}

TEST_F(InteropOurTablesInOtherReaders, PerlXBaseReadsEveryFieldOfEveryRecord) {
  std::vector<Row> rows;
  ASSERT_NO_FATAL_FAILURE(dump(kPerl, "interop_xbase_dump.pl", &rows));
  std::vector<Row> expected = expectedRows(records_);
  // Perl XBase looks for the 0x1A 0x1A end mark one 512-byte block at a
  // time, so it misses a mark that straddles two blocks (a memo of 511 bytes,
  // or 1023, ...) and reads on. Such a memo must still start with our text
  // and its first end byte; the rest of the row is compared as usual.
  const size_t note = fieldNames_.size() - 1;
  for (size_t i = 0; i < std::min(rows.size(), expected.size()); ++i) {
    const std::string& want = *expected[i].cells[note];
    if (want.size() % 512 != 511 || rows[i].cells.size() != expected[i].cells.size()) continue;
    const Cell& got = rows[i].cells[note];
    EXPECT_TRUE(got && got->compare(0, want.size() + 1, want + '\x1A') == 0)
        << "Perl XBase: memo of row " << i + 1 << " does not start with the text written";
    rows[i].cells[note] = want;
  }
  expectSameRows(expected, rows, fieldNames_, "Perl XBase");
}

}  // namespace
}  // namespace vt::interop
