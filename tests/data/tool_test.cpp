// vantrell-tool as a user runs it: exit codes and what it prints.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "data_test_support.h"

namespace vt::data {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

struct ToolRun {
  int code = -1;
  std::string out, err;
};

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tool = std::getenv("VT_TOOL");
    ASSERT_NE(tool, nullptr) << "VT_TOOL must name the built vantrell-tool";
    tool_ = tool;
  }

  // `shell` is run first in the same shell ("ulimit -f 100; ").
  ToolRun run(const std::string& args, const std::string& shell = "") {
    const std::string out = scratch.file("stdout"), err = scratch.file("stderr");
    const std::string command =
        shell + "'" + tool_ + "' " + args + " >'" + out + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    ToolRun r;
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = testing::readFile(out);
    r.err = testing::readFile(err);
    return r;
  }

  std::string quoted(const std::string& path) { return "'" + path + "'"; }

  TempDir scratch;
  TempDir dir;
  std::string tool_;
};

TEST_F(ToolTest, BadArgumentsShowUsage) {
  for (const char* args :
       {"", "frobnicate", "init", "check a b", "export DIR CUST5", "export DIR CUST5 --out",
        "export DIR --out x.csv", "export DIR CUST5 --out x.csv --sort name", "backup DIR",
        "restore DIR --to x"}) {
    const ToolRun r = run(args);
    EXPECT_EQ(r.code, 2) << args;
    EXPECT_NE(r.err.find("usage: vantrell-tool"), std::string::npos) << args;
  }
  EXPECT_EQ(run("--help").code, 0);
}

TEST_F(ToolTest, InitCheckReindexExport) {
  const std::string data = dir.file("new/data");
  ToolRun r = run("init " + quoted(data));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(fs::exists(data + "/VTR1.dbf"));

  r = run("init " + quoted(data));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("already holds data files"), std::string::npos) << r.err;

  ASSERT_NO_FATAL_FAILURE(testing::addCustomers(data, {{5, "Lee", "Kim", "02134", "Lee & Co"}}));
  r = run("check " + quoted(data));
  EXPECT_EQ(r.code, 0) << r.out;
  EXPECT_EQ(r.out.rfind("OK: 9 tables, 2 records", 0), 0u) << r.out;

  fs::remove(data + "/ccno.ntx");
  r = run("reindex " + quoted(data));
  EXPECT_EQ(r.code, 0) << r.err;
  // Into a file, not a terminal: the step on a line of its own, no bar.
  EXPECT_NE(r.err.find("Rebuilding Indexes\n"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find('\r'), std::string::npos) << r.err;
  EXPECT_TRUE(fs::exists(data + "/ccno.ntx"));

  const std::string csv = dir.file("cust.csv");
  r = run("export " + quoted(data) + " cust5 --tag CCNO --out " + quoted(csv));
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(testing::readFile(csv).substr(0, 19), "recno,deleted,CUNO,");
  EXPECT_NE(testing::readFile(csv).find("\r\n1,0,5,,Kim,Lee,Lee & Co,"), std::string::npos);
}

TEST_F(ToolTest, BackupAndRestore) {
  const std::string data = dir.file("data"), backup = dir.file("backup");
  ASSERT_TRUE(fs::create_directories(data) && fs::create_directories(backup));
  ASSERT_NO_FATAL_FAILURE(testing::initDataDir(data));
  const struct {
    std::string args;
    int code;
    std::string said;
  } runs[] = {
      {"backup " + quoted(data) + " --to " + quoted(backup), 0, "Backed up"},
      {"restore " + quoted(data) + " --from " + quoted(data + "/"), 1,
       "Restore must be from a different drive and/or directory"},
      {"restore " + quoted(data) + " --from " + quoted(backup), 0, "Restored"},
  };
  for (const auto& step : runs) {
    const ToolRun r = run(step.args);
    EXPECT_EQ(r.code, step.code) << step.args << "\n" << r.err;
    EXPECT_NE((r.out + r.err).find(step.said), std::string::npos) << r.out << r.err;
  }
  EXPECT_TRUE(fs::exists(backup + "/Prod5.dbt"));
}

TEST_F(ToolTest, CheckFailsOnADamagedIndex) {
  ASSERT_NO_FATAL_FAILURE(testing::initDataDir(dir.path()));
  ASSERT_NO_FATAL_FAILURE(testing::addCustomers(dir.path(), {{5, "Lee", "Kim", "02134", ""}}));
  fs::remove(dir.file("invc.ntx"));
  const ToolRun r = run("check " + quoted(dir.path()));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("invc.ntx: index file is missing"), std::string::npos) << r.out;
}

TEST_F(ToolTest, MissingDirectoryTableOrTag) {
  ToolRun r = run("check " + quoted(dir.file("nowhere")));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("no such directory"), std::string::npos) << r.err;

  r = run("reindex " + quoted(dir.path()));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("missing: CUST5.dbf GROUPS.dbf"), std::string::npos) << r.err;

  ASSERT_NO_FATAL_FAILURE(testing::initDataDir(dir.path()));
  const std::string csv = dir.file("out.csv");
  r = run("export " + quoted(dir.path()) + " INVOICES --out " + quoted(csv));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("no table INVOICES"), std::string::npos) << r.err;

  r = run("export " + quoted(dir.path()) + " INV5 --tag bydue --out " + quoted(csv));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("has no tag bydue"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(csv));
}

// The program holding a table alone (packing it, say): every command that
// needs it says so and stops.
TEST_F(ToolTest, ATableInUseByTheProgramIsToldAndNothingChanged) {
  ASSERT_NO_FATAL_FAILURE(testing::initDataDir(dir.path()));
  engine::Engine program(dir.path());
  program.accessMode = engine::AccessMode::DenyWrite;
  ASSERT_NE(program.open("CUST5"), nullptr);
  const std::string out = quoted(scratch.file("out"));
  for (const std::string& command :
       {"reindex " + quoted(dir.path()), "export " + quoted(dir.path()) + " CUST5 --out " + out,
        "mailmerge --data " + quoted(dir.path()) + " --groups 1 --out " + out}) {
    const ToolRun r = run(command);
    EXPECT_EQ(r.code, 1) << command;
    EXPECT_NE(r.err.find("CUST5.DBF is open in another program."), std::string::npos)
        << command << "\n"
        << r.err;
    EXPECT_NE(r.err.find("Close the other program and try again; nothing was changed."),
              std::string::npos)
        << command << "\n"
        << r.err;
    EXPECT_FALSE(fs::exists(scratch.file("out"))) << command;
  }
}

// The files of a directory, name and bytes.
std::map<std::string, std::string> filesIn(const std::string& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(dir)) {
    files[entry.path().filename().string()] = testing::readFile(entry.path().string());
  }
  return files;
}

// A change record that cannot be finished is told by every command with
// what to do, and leaves the files as they are; check does not say OK.
TEST_F(ToolTest, AnUnfinishableChangeRecordIsToldByEveryCommand) {
  const struct {
    std::string record;
    std::string said;
  } cases[] = {
      {"\x01\x02 not a record",
       "files.commit, the record of an unfinished change of the data "
       "files, cannot be read. Nothing was changed. Restore"},
      {"names relative to this directory\nCUST5.dbf.copying\tCUST5.dbf\nend\n",
       "cannot be finished: CUST5.dbf.copying not found. Nothing was changed. Restore"},
  };
  for (const auto& c : cases) {
    TempDir data;
    ASSERT_NO_FATAL_FAILURE(testing::initDataDir(data.path()));
    fs::remove(data.file("CUST5.dbf"));
    std::ofstream(data.file("files.commit"), std::ios::binary) << c.record;
    const auto before = filesIn(data.path());
    for (const std::string& command :
         {"check " + quoted(data.path()), "reindex " + quoted(data.path()),
          "export " + quoted(data.path()) + " PMT --out -"}) {
      const ToolRun r = run(command);
      EXPECT_EQ(r.code, 1) << command;
      EXPECT_NE(r.err.find(c.said), std::string::npos) << command << "\n" << r.err;
    }
    EXPECT_EQ(filesIn(data.path()), before);
  }
}

TEST_F(ToolTest, BackupRefusesADamagedTableAndKeepsTheEarlierBackup) {
  const struct {
    const char* file;
    uint32_t recordCount;  // in the header, more than the file holds
  } damages[] = {{"INV5.dbf", 1}, {"ITM5.dbf", 1000000000}};
  for (const auto& damage : damages) {
    TempDir data, backup;
    ASSERT_NO_FATAL_FAILURE(testing::initDataDir(data.path()));
    ASSERT_EQ(run("backup " + quoted(data.path()) + " --to " + quoted(backup.path())).code, 0);
    const auto earlier = filesIn(backup.path());
    const uint32_t count = damage.recordCount;
    testing::patchFile(data.file(damage.file), 4,
                       std::string(reinterpret_cast<const char*>(&count), 4));
    const ToolRun r = run("backup " + quoted(data.path()) + " --to " + quoted(backup.path()));
    EXPECT_EQ(r.code, 1) << damage.file;
    const std::string name = std::string(damage.file).substr(0, 4);
    EXPECT_NE(r.err.find(".DBF cannot be backed up: malformed or foreign table file"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find(name), std::string::npos) << r.err;
    EXPECT_EQ(r.out.find("Backed up"), std::string::npos) << r.out;
    EXPECT_EQ(filesIn(backup.path()), earlier);
  }
}

// Past the file-size limit a write fails like any other: told, nothing left
// behind, the earlier backup kept.
TEST_F(ToolTest, BackupPastTheFileSizeLimitFailsAsAWriteError) {
  const std::string data = dir.file("data"), backup = dir.file("backup");
  ASSERT_TRUE(fs::create_directories(data) && fs::create_directories(backup));
  ASSERT_NO_FATAL_FAILURE(testing::initDataDir(data));
  ASSERT_EQ(run("backup " + quoted(data) + " --to " + quoted(backup)).code, 0);
  const auto earlier = filesIn(backup);
  std::vector<testing::Customer> customers;
  for (int n = 1; n <= 8; ++n)
    customers.push_back({n, "Lee", "Kim", "1", "", std::string(60000, 'm')});
  ASSERT_NO_FATAL_FAILURE(testing::addCustomers(data, customers));
  const ToolRun r = run("backup " + quoted(data) + " --to " + quoted(backup), "ulimit -f 200; ");
  EXPECT_EQ(r.code, 1) << r.err;
  EXPECT_NE(r.err.find("Backup Failed"), std::string::npos) << r.err;
  EXPECT_EQ(filesIn(backup), earlier);
}
}  // namespace
}  // namespace vt::data
