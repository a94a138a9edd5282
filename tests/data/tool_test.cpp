// vantrell-tool as a user runs it: exit codes and what it prints.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

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

  ToolRun run(const std::string& args) {
    const std::string out = scratch.file("stdout"), err = scratch.file("stderr");
    const std::string command = "'" + tool_ + "' " + args + " >'" + out + "' 2>'" + err + "'";
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

TEST_F(ToolTest, ReindexOfATableInUseFailsWithTheProgramsMessage) {
  ASSERT_NO_FATAL_FAILURE(testing::initDataDir(dir.path()));
  engine::Engine program(dir.path());
  ASSERT_NE(program.open("LABELS"), nullptr);
  const ToolRun r = run("reindex " + quoted(dir.path()));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("Unable to open file LABELS.DBF\nProgram will now terminate."),
            std::string::npos)
      << r.err;
}

}  // namespace
}  // namespace vt::data
