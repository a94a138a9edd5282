// DataFilesPresent: all nine .dbf files, names matched without regard to
// case; memo and index files are not required.
#include <gtest/gtest.h>

#include <fstream>

#include "data/datafiles.h"
#include "data_test_support.h"

namespace vt::data {
namespace {

using testing::TempDir;

const char* const kTables[] = {"VTR1.dbf",   "CUST5.dbf", "GROUPS.dbf", "INV5.dbf", "ITM5.dbf",
                               "LABELS.dbf", "PMT.dbf",   "Prod5.dbf",  "Pur5.dbf"};

void touch(const std::string& path) {
  std::ofstream(path) << "";
}

std::string upper(std::string name) {
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

TEST(DataFilesPresent, FalseWhenAnyOneTableIsMissing) {
  for (const char* missing : kTables) {
    TempDir dir;
    for (const char* name : kTables) {
      if (std::string(name) != missing) touch(dir.file(name));
    }
    EXPECT_FALSE(DataFilesPresent(dir.path())) << "without " << missing;
    EXPECT_EQ(MissingDataFiles(engine::realFileSystem(), dir.path()),
              std::vector<std::string>{missing});
  }
}

TEST(DataFilesPresent, TrueWithUpperCaseNamesAndNoMemoOrIndexFiles) {
  TempDir dir;
  for (const char* name : kTables) touch(dir.file(upper(name)));
  EXPECT_TRUE(DataFilesPresent(dir.path()));
}

TEST(DataFilesPresent, FalseForAMissingDirectory) {
  TempDir dir;
  EXPECT_FALSE(DataFilesPresent(dir.file("nowhere")));
}

TEST(DataFilesPresent, OtherExtensionsDoNotCount) {
  TempDir dir;
  for (const char* name : kTables) touch(dir.file(std::string(name) + ".bak"));
  touch(dir.file("CUST5.dbt"));
  EXPECT_FALSE(DataFilesPresent(dir.path()));
  EXPECT_EQ(MissingDataFiles(engine::realFileSystem(), dir.path()).size(), 9u);
}

}  // namespace
}  // namespace vt::data
