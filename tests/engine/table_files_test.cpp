// Finding a table's files without regard to case, the group file, and what
// opening does with missing or damaged companions.
#include <filesystem>
#include <fstream>

#include "table_support.h"

namespace vt::engine::testing {
namespace {

namespace fs = std::filesystem;

TEST(TableFiles, NamesMatchWithoutRegardToCase) {
  TempDir dir;
  makeCustomers(dir.path(), {{1, "Adams", "A", "1"}, {2, "Baker", "B", "2"}});
  fs::rename(dir.file("CUST.dbf"), dir.file("cust.DBF"));
  fs::rename(dir.file("CUST.dbt"), dir.file("Cust.Dbt"));
  fs::rename(dir.file("CName.ntx"), dir.file("CNAME.NTX"));
  fs::rename(dir.file("CUST.cgp"), dir.file("cust.cgp"));
  Engine engine(dir.path());
  Table* t = engine.open("Cust");
  ASSERT_NE(t, nullptr);
  EXPECT_NE(t->tag("cname"), nullptr);
  EXPECT_NE(t->field("Last"), nullptr);
  EXPECT_NE(t->field("LAST"), nullptr);
  EXPECT_EQ(walk(t, "CName"), (std::vector<uint32_t>{1, 2}));
  // Rebuilding writes over the existing upper-case file, not beside it.
  engine.safety = false;
  ASSERT_EQ(t->createIndexGroup("CUST", customerTags()), 0);
  EXPECT_TRUE(fs::exists(dir.file("CNAME.NTX")));
  EXPECT_FALSE(fs::exists(dir.file("CName.ntx")));
}

TEST(TableFiles, GroupFileListsTagsInOrder) {
  TempDir dir;
  makeCustomers(dir.path(), {});
  std::ifstream in(dir.file("CUST.cgp"), std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "CName\r\nCCNO\r\nCZip\r\n");
  Engine engine(dir.path());
  Table* t = engine.open("CUST");
  ASSERT_EQ(t->tags().size(), 3u);
  EXPECT_EQ(t->tags()[1]->name(), "CCNO");
  EXPECT_EQ(t->tags()[1]->expression(), "Str(CuNo, 6)");
  EXPECT_EQ(t->tags()[0]->keyLength(), 33u);
}

TEST(TableFiles, SafetyRefusesToOverwriteIndexes) {
  TempDir dir;
  makeCustomers(dir.path(), {});
  Engine engine(dir.path());
  Table* t = engine.open("CUST");
  EXPECT_EQ(t->createIndexGroup("CUST", customerTags()), kErrExists);
  EXPECT_EQ(engine.create("CUST", customerFields()), kErrExists);
}

TEST(TableFiles, MissingTableOrMemoFileFailsToOpen) {
  TempDir dir;
  makeCustomers(dir.path(), {});
  Engine engine(dir.path());
  EXPECT_EQ(engine.open("NOSUCH"), nullptr);
  EXPECT_EQ(engine.errorCode(), kErrOpen);
  fs::remove(dir.file("CUST.dbt"));
  EXPECT_EQ(engine.open("CUST"), nullptr);
  EXPECT_LT(engine.errorCode(), 0);
}

TEST(TableFiles, MissingIndexListedInGroupFailsToOpen) {
  TempDir dir;
  makeCustomers(dir.path(), {});
  fs::remove(dir.file("CZip.ntx"));
  Engine engine(dir.path());
  EXPECT_EQ(engine.open("CUST"), nullptr);
  EXPECT_LT(engine.errorCode(), 0);
  engine.autoOpen = false;
  Table* t = engine.open("CUST");
  ASSERT_NE(t, nullptr);
  EXPECT_TRUE(t->tags().empty());
}

TEST(TableFiles, GarbageGroupFileIsAnErrorNotACrash) {
  TempDir dir;
  makeCustomers(dir.path(), {});
  std::ofstream(dir.file("CUST.cgp"), std::ios::binary) << std::string("\x01\x02\xff\x00zz", 6);
  Engine engine(dir.path());
  EXPECT_EQ(engine.open("CUST"), nullptr);
  EXPECT_LT(engine.errorCode(), 0);
}

TEST(TableFiles, ForeignFileIsRejectedUntouched) {
  TempDir dir;
  std::ofstream(dir.file("JUNK.dbf"), std::ios::binary) << "<html>not a table</html>";
  auto before = fs::file_size(dir.file("JUNK.dbf"));
  Engine engine(dir.path());
  EXPECT_EQ(engine.open("JUNK"), nullptr);
  EXPECT_EQ(engine.errorCode(), kErrFormat);
  EXPECT_EQ(fs::file_size(dir.file("JUNK.dbf")), before);
}

}  // namespace
}  // namespace vt::engine::testing
