// The data-directory check: silent on good data, and it names the file and
// the record or entry of each fault planted behind the engine's back.
#include "data/check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "data_test_support.h"
#include "engine/ntx_index.h"

namespace vt::data {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

std::string allProblems(const CheckReport& report) {
  std::string text;
  for (const Problem& p : report.problems) text += p.text() + "\n";
  return text;
}

// The one problem reported; fails the test when there are others.
Problem onlyProblem(const CheckReport& report) {
  EXPECT_EQ(report.problems.size(), 1u) << allProblems(report);
  return report.problems.empty() ? Problem{} : report.problems.front();
}

uint32_t readLe32(const std::string& bytes, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

class CheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(testing::initDataDir(dir.path()));
    ASSERT_NO_FATAL_FAILURE(testing::addCustomers(
        dir.path(), {{1, "Adams", "Al", "30301", "Acme", "first memo"},
                     {2, "Baker", "Bea", "40401", "Beta", "second memo\r\nwith two lines"},
                     {3, "Cole", "Cy", "50501", "Core", "", true}}));
  }
  TempDir dir;
};

TEST_F(CheckTest, FreshInstallationPasses) {
  TempDir fresh;
  ASSERT_NO_FATAL_FAILURE(testing::initDataDir(fresh.path()));
  const CheckReport report = CheckDataDir(fresh.path());
  EXPECT_TRUE(report.ok()) << allProblems(report);
  EXPECT_EQ(report.tables, 9);
  EXPECT_EQ(report.indexes, 16);
  EXPECT_EQ(report.records, 1u);
}

TEST_F(CheckTest, DataWrittenByTheEnginePasses) {
  const CheckReport report = CheckDataDir(dir.path());
  EXPECT_TRUE(report.ok()) << allProblems(report);
  EXPECT_EQ(report.records, 4u);
  EXPECT_EQ(report.entries, 12u);  // four customer tags, three records
  EXPECT_EQ(report.memos, 2u);
}

TEST_F(CheckTest, EntriesOutOfOrder) {
  // Swap the first two slots of the zip index's only page.
  const std::string ntx = testing::readFile(dir.file("czip.ntx"));
  const uint32_t root = readLe32(ntx, 4);
  const std::string slots = ntx.substr(root + 2, 4);
  ASSERT_NO_FATAL_FAILURE(
      testing::patchFile(dir.file("czip.ntx"), root + 2, slots.substr(2, 2) + slots.substr(0, 2)));
  const Problem p = onlyProblem(CheckDataDir(dir.path()));
  EXPECT_EQ(p.file, "czip.ntx");
  EXPECT_EQ(p.location, "entry 2 (record 1)");
  EXPECT_NE(p.message.find("out of order"), std::string::npos) << p.message;
}

TEST_F(CheckTest, RecordWithoutAnEntry) {
  engine::NtxInfo info;
  info.expression = "Str(CuNo, 6)";
  info.tagName = "CCNO";
  info.keyLength = 6;
  engine::NtxIndex::Builder builder(engine::realFileSystem(), dir.file("ccno.ntx"), info);
  ASSERT_EQ(builder.add("     1", 1), 0);
  ASSERT_EQ(builder.add("     3", 3), 0);
  ASSERT_EQ(builder.finish(), 0);
  const Problem p = onlyProblem(CheckDataDir(dir.path()));
  EXPECT_EQ(p.file, "ccno.ntx");
  EXPECT_EQ(p.location, "record 2");
  EXPECT_NE(p.message.find("no entry"), std::string::npos) << p.message;
}

TEST_F(CheckTest, EntryForARecordThatIsNotThere) {
  engine::NtxInfo info;
  info.expression = "Str(CuNo, 6)";
  info.keyLength = 6;
  engine::NtxIndex::Builder builder(engine::realFileSystem(), dir.file("ccno.ntx"), info);
  for (uint32_t r : {1u, 2u, 3u}) ASSERT_EQ(builder.add("     " + std::to_string(r), r), 0);
  ASSERT_EQ(builder.add("     9", 9), 0);
  ASSERT_EQ(builder.finish(), 0);
  const Problem p = onlyProblem(CheckDataDir(dir.path()));
  EXPECT_EQ(p.location, "entry 4 (record 9)");
  EXPECT_NE(p.message.find("past the end of the table"), std::string::npos) << p.message;
}

TEST_F(CheckTest, KeyThatNoLongerMatchesItsRecord) {
  // Change record 2's zip in the .dbf without the index knowing.
  const uint64_t at = testing::fieldOffset(dir.file("CUST5.dbf"), 2, "ZIP");
  ASSERT_GT(at, 0u);
  ASSERT_NO_FATAL_FAILURE(testing::patchFile(dir.file("CUST5.dbf"), at, "40402"));
  const Problem p = onlyProblem(CheckDataDir(dir.path()));
  EXPECT_EQ(p.file, "czip.ntx");
  EXPECT_EQ(p.location, "entry 2 (record 2)");
  EXPECT_NE(p.message.find("\"40401     \""), std::string::npos) << p.message;
  EXPECT_NE(p.message.find("\"40402     \""), std::string::npos) << p.message;
}

TEST_F(CheckTest, MemoReferencePastTheEndOfTheMemoFile) {
  const uint64_t at = testing::fieldOffset(dir.file("CUST5.dbf"), 1, "COMMENTS");
  ASSERT_GT(at, 0u);
  ASSERT_NO_FATAL_FAILURE(testing::patchFile(dir.file("CUST5.dbf"), at, "       999"));
  const Problem p = onlyProblem(CheckDataDir(dir.path()));
  EXPECT_EQ(p.file, "CUST5.dbf");
  EXPECT_EQ(p.location, "record 1, field COMMENTS");
  EXPECT_NE(p.message.find("past the end of CUST5.dbt"), std::string::npos) << p.message;
}

TEST_F(CheckTest, MemoWithoutItsTerminator) {
  // Record 2's memo is the last one; cut the file before its 0x1A 0x1A.
  const std::string dbt = testing::readFile(dir.file("CUST5.dbt"));
  const size_t end = dbt.rfind("\x1A\x1A");
  ASSERT_NE(end, std::string::npos);
  fs::resize_file(dir.file("CUST5.dbt"), end);
  const Problem p = onlyProblem(CheckDataDir(dir.path()));
  EXPECT_EQ(p.file, "CUST5.dbf");
  EXPECT_EQ(p.location, "record 2, field COMMENTS");
  EXPECT_NE(p.message.find("does not read back"), std::string::npos) << p.message;
}

TEST_F(CheckTest, MissingIndexAndGroupFiles) {
  fs::remove(dir.file("ccomp.ntx"));
  fs::remove(dir.file("Pur5.cgp"));
  const CheckReport report = CheckDataDir(dir.path());
  ASSERT_EQ(report.problems.size(), 2u) << allProblems(report);
  EXPECT_EQ(report.problems[0].file, "ccomp.ntx");
  EXPECT_EQ(report.problems[1].file, "Pur5.cgp");
}

TEST_F(CheckTest, MalformedIndexFileIsReportedNotFatal) {
  std::ofstream(dir.file("invd.ntx"), std::ios::binary | std::ios::trunc) << "not an index";
  const Problem p = onlyProblem(CheckDataDir(dir.path()));
  EXPECT_EQ(p.file, "invd.ntx");
  EXPECT_NE(p.message.find("cannot be opened"), std::string::npos) << p.message;
}

TEST_F(CheckTest, ProblemsPerFileAreCapped) {
  // An index that leaves out every record of a larger table.
  engine::Engine engine(dir.path());
  engine::Table* groups = engine.open("GROUPS");
  ASSERT_NE(groups, nullptr);
  for (int n = 1; n <= 30; ++n) {
    ASSERT_EQ(groups->appendBlank(), 0);
    groups->field("nGroup")->assignInt(n);
    ASSERT_EQ(groups->flush(), 0);
  }
  engine.closeAll();
  engine::NtxInfo info;
  info.expression = "Upper(cGroup)";
  info.keyLength = 30;
  engine::NtxIndex::Builder builder(engine::realFileSystem(), dir.file("cGroup.ntx"), info);
  ASSERT_EQ(builder.finish(), 0);
  const CheckReport report = CheckDataDir(dir.path());
  ASSERT_EQ(report.problems.size(), kProblemsPerFile + 1) << allProblems(report);
  EXPECT_EQ(report.problems.back().text(), "cGroup.ntx: and 10 more problems");
}

}  // namespace
}  // namespace vt::data
