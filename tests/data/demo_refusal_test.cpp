// `vantrell-tool demo` fills only a new data directory: one without the
// data files, or already holding records, is refused and left as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "demo_test_support.h"

namespace vt::data {
namespace {

using testing::TempDir;

TEST(DemoRefusal, ASecondRunChangesNothing) {
  TempDir dir;
  ASSERT_NO_FATAL_FAILURE(testing::makeDemoDir(dir.path()));
  testing::ageFiles(dir.path());
  const testing::ToolRun r = testing::runTool({"demo", dir.path()});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("already holds records (CUST5, GROUPS, INV5"), std::string::npos) << r.err;
  EXPECT_EQ(testing::rewrittenFiles(dir.path()), std::vector<std::string>{});
}

TEST(DemoRefusal, ADirectoryWithCustomersButNoInvoices) {
  TempDir dir;
  ASSERT_NO_FATAL_FAILURE(testing::initDataDir(dir.path()));
  ASSERT_NO_FATAL_FAILURE(testing::addCustomers(dir.path(), {{7, "Lee", "Kim", "02134", ""}}));
  testing::ageFiles(dir.path());
  const testing::ToolRun r = testing::runTool({"demo", dir.path()});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("already holds records (CUST5)"), std::string::npos) << r.err;
  EXPECT_EQ(testing::rewrittenFiles(dir.path()), std::vector<std::string>{});
}

TEST(DemoRefusal, ADirectoryWithOtherFilesButNotTheDataFiles) {
  TempDir dir;
  std::ofstream(dir.file("notes.txt")) << "kept";
  testing::ToolRun r = testing::runTool({"demo", dir.path()});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("missing: CUST5.dbf"), std::string::npos) << r.err;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);

  // A directory not there yet gets the data files first.
  r = testing::runTool({"demo", dir.file("new")});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(std::filesystem::exists(dir.file("new") + "/CUST5.dbf"));

  r = testing::runTool({"demo"});
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("demo takes one directory"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace vt::data
