// RebuildIndexes: the silent start-up form rebuilds only tables missing an
// index file, the full form reports its progress, and failures end the
// program through the exit hook after telling the user.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/dialogs.h"
#include "base/program_exit.h"
#include "data/datafiles.h"
#include "data_test_support.h"

namespace vt::data {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

class RebuildIndexesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(testing::initDataDir(dir.path()));
    ASSERT_NO_FATAL_FAILURE(testing::addCustomers(
        dir.path(), {{7, "Smith", "Ann", "62701", "Acme"}, {42, "Jones", "Bo", "10001", "Beta"}}));
    testing::ageFiles(dir.path());
  }

  TempDir dir;
  base::ScriptedDialogs dialogs;
  base::ThrowingExit exit;
  testing::RecordingProgress progress;
};

TEST_F(RebuildIndexesTest, MissingZipIndexRebuildsTheCustomerGroupOnly) {
  fs::remove(dir.file("czip.ntx"));
  engine::Engine engine(dir.path());
  RebuildIndexes(engine, true, &progress, dialogs, exit);
  EXPECT_EQ(
      testing::rewrittenFiles(dir.path()),
      (std::vector<std::string>{"CUST5.cgp", "cName.ntx", "ccno.ntx", "ccomp.ntx", "czip.ntx"}));
  EXPECT_TRUE(dialogs.shown().empty());
  EXPECT_TRUE(progress.events.empty());
  EXPECT_FALSE(exit.called());

  // The rebuilt zip order finds its customer.
  engine::Table* cust = engine.open("CUST5");
  ASSERT_NE(cust, nullptr);
  cust->selectTag(cust->tag("CZip"));
  ASSERT_EQ(cust->seek("62701"), engine::Result::Success);
  EXPECT_EQ(cust->field("cuno")->asLong(), 7);
}

TEST_F(RebuildIndexesTest, MissingGroupFileRebuildsItsTable) {
  fs::remove(dir.file("Prod5.cgp"));
  engine::Engine engine(dir.path());
  const RebuildOutcome outcome = RebuildIndexFiles(engine, true, nullptr);
  EXPECT_TRUE(outcome.ok());
  EXPECT_EQ(outcome.rebuilt, std::vector<std::string>{"Prod5"});
  EXPECT_EQ(testing::rewrittenFiles(dir.path()),
            (std::vector<std::string>{"Prod.ntx", "Prod5.cgp"}));
}

TEST_F(RebuildIndexesTest, NothingMissingRebuildsNothingWhateverTheCase) {
  fs::rename(dir.file("cName.ntx"), dir.file("CNAME.NTX"));
  fs::rename(dir.file("GROUPS.cgp"), dir.file("groups.CGP"));
  testing::ageFiles(dir.path());
  engine::Engine engine(dir.path());
  RebuildIndexes(engine, true, &progress, dialogs, exit);
  EXPECT_TRUE(testing::rewrittenFiles(dir.path()).empty());
}

TEST_F(RebuildIndexesTest, FullRebuildReportsEveryStepAndRewritesEveryIndex) {
  engine::Engine engine(dir.path());
  RebuildIndexes(engine, false, &progress, dialogs, exit);
  EXPECT_EQ(progress.events, (std::vector<std::string>{"show Rebuilding Indexes", "set 5", "set 25",
                                                       "set 30", "set 35", "set 40", "set 60",
                                                       "set 80", "set 100", "set 100", "hide"}));
  std::vector<std::string> rewritten = testing::rewrittenFiles(dir.path());
  std::vector<std::string> indexFiles;
  for (const std::string& name : testing::fileNames(dir.path())) {
    const std::string ext = fs::path(name).extension().string();
    if (ext == ".ntx" || ext == ".cgp") indexFiles.push_back(name);
  }
  EXPECT_EQ(indexFiles.size(), 24u);
  EXPECT_EQ(rewritten, indexFiles);
  EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(RebuildIndexesTest, EngineSettingsAreRestored) {
  engine::Engine engine(dir.path());
  engine.autoOpen = true;
  engine.safety = true;
  engine.accessMode = engine::AccessMode::Shared;
  RebuildIndexes(engine, false, nullptr, dialogs, exit);
  EXPECT_TRUE(engine.autoOpen);
  EXPECT_TRUE(engine.safety);
  EXPECT_EQ(engine.accessMode, engine::AccessMode::Shared);
  EXPECT_TRUE(engine.openTables().empty());
}

TEST_F(RebuildIndexesTest, MissingTableEndsTheProgramThroughOpenFailed) {
  fs::remove(dir.file("GROUPS.dbf"));
  engine::Engine engine(dir.path());
  EXPECT_THROW(RebuildIndexes(engine, false, &progress, dialogs, exit), base::ProgramExited);
  EXPECT_EQ(exit.calls(), 1);
  EXPECT_EQ(exit.lastCode(), 1);
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].kind, base::DialogKind::Information);
  EXPECT_EQ(dialogs.shown()[0].text,
            "Unable to open file GROUPS.DBF\r\nProgram will now terminate.");
  // CUST5 came first and was rebuilt; the box was hidden before the message.
  EXPECT_EQ(progress.events.back(), "hide");
  EXPECT_TRUE(engine.safety);
  EXPECT_EQ(engine.accessMode, engine::AccessMode::Shared);
}

TEST_F(RebuildIndexesTest, TableInUseElsewhereEndsTheProgramThroughOpenFailed) {
  engine::Engine other(dir.path());
  ASSERT_NE(other.open("PMT"), nullptr);  // shared, as a running program holds it
  engine::Engine engine(dir.path());
  EXPECT_THROW(RebuildIndexes(engine, false, nullptr, dialogs, exit), base::ProgramExited);
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].text, "Unable to open file PMT.DBF\r\nProgram will now terminate.");
  // Every table is taken before the first is rebuilt: no index was touched.
  EXPECT_EQ(testing::rewrittenFiles(dir.path()), std::vector<std::string>{});
}

TEST_F(RebuildIndexesTest, KeyThatDoesNotFitItsTableEndsTheProgramNamingTheTable) {
  // An ITM5 without its PrID field: it opens, but its ItmP key cannot be
  // built.
  fs::remove(dir.file("ITM5.dbf"));
  engine::Engine maker(dir.path());
  engine::FieldDesc ivno;
  ivno.name = "IVNO";
  ivno.type = 'N';
  ivno.length = 6;
  ASSERT_EQ(maker.create("ITM5", {ivno}), 0);
  engine::Engine engine(dir.path());
  EXPECT_THROW(RebuildIndexes(engine, false, &progress, dialogs, exit), base::ProgramExited);
  ASSERT_EQ(dialogs.shown().size(), 1u);
  const std::string& text = dialogs.shown()[0].text;
  EXPECT_EQ(text.rfind("Unable to rebuild the index files of ITM5: ", 0), 0u) << text;
  EXPECT_NE(text.find("Program will now terminate."), std::string::npos) << text;
  EXPECT_EQ(exit.lastCode(), 1);
}

}  // namespace
}  // namespace vt::data
