// The File Maintenance page's reindex and pack, and the pack at the end of
// a run with deletions pending.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QProgressBar>
#include <QSignalSpy>
#include <algorithm>
#include <filesystem>

#include "engine/engine.h"
#include "shell/picture_button.h"
#include "shell/shell_test_support.h"

namespace vt::shell::testing {
namespace {

// Adds customers numbered 1 to `count` to CUST5 (with its indexes), the
// numbers in `deleted` marked deleted.
void addCustomers(const std::string& dir, int count, std::vector<int> deleted) {
  engine::Engine engine(dir);
  engine::Table* table = engine.open("CUST5");
  ASSERT_NE(table, nullptr);
  for (int cuno = 1; cuno <= count; ++cuno) {
    ASSERT_EQ(table->appendBlank(), 0);
    table->field("cuno")->assignLong(cuno);
    table->field("last")->assign("Customer " + std::to_string(cuno));
    if (std::find(deleted.begin(), deleted.end(), cuno) != deleted.end()) table->deleteRecord();
    ASSERT_EQ(table->flush(), 0);
  }
  table->close();
}

uint32_t customerCount(const std::string& dir) {
  engine::Engine engine(dir);
  engine::Table* table = engine.open("CUST5");
  EXPECT_NE(table, nullptr);
  if (!table) return 0;
  const uint32_t count = table->recCount();
  table->close();
  return count;
}

// What the progress box showed each time its bar moved.
struct ProgressSeen {
  bool visible;
  QString caption;
  int percent;
};

class Maintenance : public ::testing::Test {
 protected:
  void SetUp() override {
    run.startUp();
    QObject::connect(run.main->progressBar, &QProgressBar::valueChanged, [this](int percent) {
      seen.push_back({!run.main->progressBox->isHidden(), run.main->progressBox->title(), percent});
    });
  }

  DataDir dir;
  ProgramRun run{dir.path()};
  std::vector<ProgressSeen> seen;
};

TEST_F(Maintenance, ReindexRebuildsEveryIndexWithTheProgressBox) {
  std::filesystem::remove(dir.file("czip.ntx"));
  std::filesystem::remove(dir.file("Prod.ntx"));
  run.main->button("reindexButton")->click();

  EXPECT_TRUE(fileExists(dir.file("czip.ntx")));
  EXPECT_TRUE(fileExists(dir.file("Prod.ntx")));
  ASSERT_FALSE(seen.empty());
  for (const ProgressSeen& step : seen) {
    EXPECT_TRUE(step.visible);
    EXPECT_EQ(step.caption, "Rebuilding Indexes");
  }
  EXPECT_TRUE(std::any_of(seen.begin(), seen.end(),
                          [](const ProgressSeen& step) { return step.percent == 100; }));
  EXPECT_TRUE(run.main->progressBox->isHidden());
  EXPECT_TRUE(run.dialogs.shown().empty());
}

TEST_F(Maintenance, ReindexedIndexesFindTheRecords) {
  addCustomers(dir.path(), 3, {});
  std::filesystem::remove(dir.file("ccno.ntx"));
  run.main->button("reindexButton")->click();

  engine::Engine engine(dir.path());
  engine::Table* table = engine.open("CUST5");
  ASSERT_NE(table, nullptr);
  table->selectTag(table->tag("CCNO"));
  EXPECT_EQ(table->seek("     2"), engine::Result::Success);
  EXPECT_EQ(table->field("cuno")->asLong(), 2);
}

TEST_F(Maintenance, PackRemovesDeletedRecordsWithTheProgressBox) {
  addCustomers(dir.path(), 3, {2});
  run.state.session()->NeedsPack = true;
  run.main->button("packButton")->click();

  EXPECT_EQ(customerCount(dir.path()), 2u);
  EXPECT_FALSE(run.state.session()->NeedsPack);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front().caption, "Packing Data Files");
  EXPECT_TRUE(seen.front().visible);
  EXPECT_TRUE(run.main->progressBox->isHidden());
  EXPECT_TRUE(run.dialogs.shown().empty());
}

TEST_F(Maintenance, ClosingWithDeletionsPendingPacksAndReleasesTheEngine) {
  addCustomers(dir.path(), 4, {1, 4});
  run.state.session()->NeedsPack = true;
  QSignalSpy ended(run.main.get(), &TMain::runEnded);
  run.main->close();

  EXPECT_EQ(customerCount(dir.path()), 2u);
  EXPECT_EQ(run.state.session(), nullptr);
  ASSERT_EQ(ended.count(), 1);
  EXPECT_EQ(ended[0][0].toInt(), 0);
}

TEST_F(Maintenance, ClosingWithoutDeletionsPendingLeavesTheTables) {
  addCustomers(dir.path(), 2, {1});
  run.main->close();
  EXPECT_EQ(customerCount(dir.path()), 2u);
  EXPECT_EQ(run.state.session(), nullptr);
}

TEST_F(Maintenance, BackupCopiesTheDataFilesToTheChosenDirectory) {
  const TempDir backup;
  run.dialogs.queueText(backup.path());
  run.main->button("backupButton")->click();

  ASSERT_EQ(run.dialogs.shown().size(), 2u);
  EXPECT_EQ(run.dialogs.shown()[0].caption, "Choose Backup Drive & Directory");
  EXPECT_EQ(run.dialogs.shown()[0].text, "Backup");
  EXPECT_EQ(run.dialogs.shown()[1].text, "11 files backed up to " + backup.path() + ".");
  for (const char* file : {"CUST5.dbf", "INV5.dbt", "Prod5.dbt"}) {
    EXPECT_TRUE(fileExists(backup.path() + "/" + file)) << file;
  }
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front().caption, "Copying Data Files");
  EXPECT_TRUE(std::any_of(seen.begin(), seen.end(),
                          [](const ProgressSeen& step) { return step.percent == 100; }));
  EXPECT_TRUE(run.main->progressBox->isHidden());
}

// The data directory itself is refused, and the chooser opens again.
TEST_F(Maintenance, BackupToTheDataDirectoryIsToldAndTheChooserOpensAgain) {
  const TempDir backup;
  run.dialogs.queueText(dir.path());
  run.dialogs.queueText(backup.path());
  run.main->button("backupButton")->click();

  ASSERT_EQ(run.dialogs.shown().size(), 4u);
  EXPECT_EQ(run.dialogs.shown()[1].text, "Backup must be to a different drive and/or directory");
  EXPECT_EQ(run.dialogs.shown()[2].caption, "Choose Backup Drive & Directory");
  EXPECT_TRUE(fileExists(backup.path() + "/CUST5.dbf"));
}

// The import asks for the older program's directory; one without its
// tables is told and changes nothing, and the data files are packed after.
TEST_F(Maintenance, ImportFromADirectoryWithoutTheOlderTablesChangesNothing) {
  addCustomers(dir.path(), 2, {});
  const TempDir older;
  run.dialogs.queueText(older.path());
  run.main->button("importButton")->click();

  ASSERT_EQ(run.dialogs.shown().size(), 2u);
  EXPECT_EQ(run.dialogs.shown()[0].caption, "Choose Drive & Directory Containing Old VESKA Data");
  EXPECT_EQ(run.dialogs.shown()[0].text, "Upgrade");
  EXPECT_EQ(run.dialogs.shown()[1].text, "Data files not found in " + older.path());
  EXPECT_EQ(customerCount(dir.path()), 2u);
  EXPECT_TRUE(run.main->progressBox->isHidden());
}

// Rebuilding the indexes while another program has a table open is refused
// with the table named; nothing is rebuilt and the program goes on.
TEST_F(Maintenance, ReindexWaitsForAnotherProgramToLetGo) {
  engine::Engine other(dir.path());
  ASSERT_NE(other.open("PMT"), nullptr);
  run.main->button("reindexButton")->click();
  ASSERT_EQ(run.dialogs.shown().size(), 1u);
  EXPECT_NE(run.dialogs.shown()[0].text.find("PMT.DBF is open in another program"),
            std::string::npos);
  EXPECT_TRUE(seen.empty());
}

TEST_F(Maintenance, APackThatCannotOpenATableIsTold) {
  engine::Engine other(dir.path());
  other.accessMode = engine::AccessMode::DenyWrite;
  engine::Table* held = other.open("GROUPS");
  ASSERT_NE(held, nullptr);
  run.state.session()->NeedsPack = true;
  run.main->button("packButton")->click();
  ASSERT_EQ(run.dialogs.shown().size(), 1u);
  EXPECT_NE(run.dialogs.shown()[0].text.find("GROUPS.DBF is open in another program"),
            std::string::npos);
  EXPECT_TRUE(run.state.session()->NeedsPack);
  held->close();
}

}  // namespace
}  // namespace vt::shell::testing
