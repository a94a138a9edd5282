// Backup, restore and erase on a demo business: what comes back, what is
// refused, and that a failure or another program's open tables leave the
// files as they were.
#include "data/maintenance.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "base/dialogs.h"
#include "data/export.h"
#include "demo_test_support.h"
#include "engine/fault_fs.h"

namespace vt::data {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

const char* const kTables[] = {"CUST5", "GROUPS", "INV5",  "ITM5", "LABELS",
                               "PMT",   "Pur5",   "Prod5", "VTR1"};

// Every table of `dir` as CSV (memos in full), by table name.
std::map<std::string, std::string> contents(const std::string& dir) {
  engine::Engine engine(dir);
  std::map<std::string, std::string> tables;
  for (const char* name : kTables) {
    std::ostringstream out;
    EXPECT_TRUE(ExportCsv(engine, name, "", out).ok) << name;
    tables[name] = out.str();
  }
  return tables;
}

std::vector<std::string> texts(const base::ScriptedDialogs& dialogs) {
  std::vector<std::string> out;
  for (const auto& shown : dialogs.shown()) out.push_back(shown.text);
  return out;
}

class Maintenance : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(testing::makeDemoDir(work.path())); }

  TempDir work, other;
  base::ScriptedDialogs dialogs;
  base::ThrowingExit exit;
  testing::RecordingProgress progress;
};

TEST_F(Maintenance, BackupEraseRestoreGivesBackEverythingAndEraseKeepsLabelsAndSettings) {
  const auto before = contents(work.path());
  engine::Engine engine(work.path());
  ASSERT_TRUE(BackupDataFiles(engine, other.path(), dialogs, &progress));
  EXPECT_EQ(progress.events,
            (std::vector<std::string>{"show Copying Data Files", "set 10", "set 20", "set 30",
                                      "set 35", "set 45", "set 55", "set 70", "set 75", "set 85",
                                      "set 95", "set 100", "hide"}));

  dialogs.queueChoice(true);
  ASSERT_TRUE(EraseAll(engine, dialogs, nullptr, exit));
  const auto erased = contents(work.path());
  for (const char* kept : {"LABELS", "VTR1"}) EXPECT_EQ(erased.at(kept), before.at(kept));
  for (const char* emptied : {"CUST5", "INV5", "ITM5", "PMT", "Prod5", "Pur5", "GROUPS"}) {
    EXPECT_EQ(erased.at(emptied).find('\n'), erased.at(emptied).rfind('\n')) << emptied;
  }

  ASSERT_TRUE(RestoreDataFiles(engine, other.path(), dialogs, nullptr, exit));
  EXPECT_EQ(contents(work.path()), before);
  EXPECT_EQ(texts(dialogs),
            std::vector<std::string>{"WARNING: You are about to erase all of your existing data."});
}

// The e-mail settings and the record of mail sent go with a backup; a
// restore brings the settings back but never shortens the record of what was
// already sent.
TEST_F(Maintenance, TheMailSettingsAndRecordTravelWithABackup) {
  const auto write = [](const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  };
  write(work.file("VTMAIL.INI"), "host=mail.example.com\n");
  write(work.file("VTMAIL.LOG"), "sent one\n");
  engine::Engine engine(work.path());
  ASSERT_TRUE(BackupDataFiles(engine, other.path(), dialogs, nullptr));
  EXPECT_EQ(testing::readFile(other.file("VTMAIL.INI")), "host=mail.example.com\n");
  EXPECT_EQ(testing::readFile(other.file("VTMAIL.LOG")), "sent one\n");
  write(work.file("VTMAIL.INI"), "host=changed.example.com\n");
  write(work.file("VTMAIL.LOG"), "sent one\nsent two\n");
  ASSERT_TRUE(RestoreDataFiles(engine, other.path(), dialogs, nullptr, exit));
  EXPECT_EQ(testing::readFile(work.file("VTMAIL.INI")), "host=mail.example.com\n");
  EXPECT_EQ(testing::readFile(work.file("VTMAIL.LOG")), "sent one\nsent two\n");
  fs::remove(work.file("VTMAIL.LOG"));
  ASSERT_TRUE(RestoreDataFiles(engine, other.path(), dialogs, nullptr, exit));
  EXPECT_EQ(testing::readFile(work.file("VTMAIL.LOG")), "sent one\n");
}

TEST_F(Maintenance, TheWorkingDirectoryHoweverWrittenIsRefused) {
  fs::create_directory_symlink(work.path(), other.file("link"));
  engine::Engine engine(work.path());
  for (const std::string& dir : {work.path(), work.path() + "/", " " + work.path() + " ",
                                 work.path() + "/.", other.file("link")}) {
    dialogs.clear();
    EXPECT_FALSE(BackupDataFiles(engine, dir, dialogs, nullptr)) << dir;
    EXPECT_FALSE(RestoreDataFiles(engine, dir, dialogs, nullptr, exit)) << dir;
    EXPECT_EQ(texts(dialogs), (std::vector<std::string>{
                                  "Backup must be to a different drive and/or directory",
                                  "Restore must be from a different drive and/or directory"}));
  }
}

TEST_F(Maintenance, ARestoreWithAFileMissingChangesNoDataFile) {
  engine::Engine engine(work.path());
  ASSERT_TRUE(BackupDataFiles(engine, other.path(), dialogs, nullptr));
  fs::remove(other.file("INV5.dbt"));
  testing::addCustomers(work.path(), {{901, "Newer", "", "", ""}});
  const auto before = contents(work.path());

  EXPECT_FALSE(RestoreDataFiles(engine, other.path(), dialogs, nullptr, exit));
  EXPECT_EQ(texts(dialogs), (std::vector<std::string>{"Unable to find " + other.file("INV5.dbt") +
                                                      "\r\nFunction Aborted"}));
  EXPECT_EQ(contents(work.path()), before);
}

TEST_F(Maintenance, ABackupOnAFullDiskLeavesTheOldBackupWhole) {
  engine::Engine plain(work.path());
  ASSERT_TRUE(BackupDataFiles(plain, other.path(), dialogs, nullptr));
  const std::string oldCopy = testing::readFile(other.file("CUST5.dbf"));
  testing::addCustomers(work.path(), {{901, "Newer", "", "", ""}});

  engine::FaultFileSystem faults(engine::realFileSystem());
  engine::Engine engine(work.path(), &faults);
  faults.diskFullAfter(100);
  dialogs.clear();
  dialogs.queueChoice(true);   // try again: still full
  dialogs.queueChoice(false);  // then give up
  EXPECT_FALSE(BackupDataFiles(engine, other.path(), dialogs, nullptr));
  EXPECT_EQ(texts(dialogs),
            (std::vector<std::string>{"Disk Full. Insert another disk.CUST5.dbf",
                                      "Disk Full. Insert another disk.CUST5.dbf",
                                      "Backup Failed . . Check that disk is not write protected"}));
  EXPECT_EQ(testing::readFile(other.file("CUST5.dbf")), oldCopy);
  EXPECT_FALSE(fs::exists(other.file("CUST5.dbf.copying")));
}

TEST_F(Maintenance, NothingChangesWhileAnotherProgramHasATableOpen) {
  engine::Engine engine(work.path());
  ASSERT_TRUE(BackupDataFiles(engine, other.path(), dialogs, nullptr));
  testing::addCustomers(work.path(), {{901, "Newer", "", "", ""}});
  const auto before = contents(work.path());
  const std::function<bool()> operations[] = {
      [&] { return BackupDataFiles(engine, other.path(), dialogs, nullptr); },
      [&] { return RestoreDataFiles(engine, other.path(), dialogs, nullptr, exit); },
      [&] {
        dialogs.queueChoice(true);
        return EraseAll(engine, dialogs, nullptr, exit);
      },
  };
  engine::Engine otherProgram(work.path());
  engine::Table* held = otherProgram.open("PMT");
  ASSERT_NE(held, nullptr);
  for (const auto& operation : operations) {
    dialogs.clear();
    EXPECT_FALSE(operation());
    ASSERT_FALSE(dialogs.shown().empty());
    EXPECT_EQ(dialogs.shown().back().text.rfind("PMT.DBF is open in another program", 0), 0u);
  }
  held->close();
  EXPECT_EQ(contents(work.path()), before);
  EXPECT_NE(testing::readFile(other.file("CUST5.dbf")), testing::readFile(work.file("CUST5.dbf")));
}

}  // namespace
}  // namespace vt::data
