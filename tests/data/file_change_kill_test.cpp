// Backup, restore and import stopped dead at every write, rename or removal
// in turn (a child process killed there): what the next start finds holds
// every file either as before the work or as after it, never a mixture, and
// the data directory checks clean.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>

#include "data/check.h"
#include "data/datafiles.h"
#include "data/file_change.h"
#include "data/import_older.h"
#include "data/maintenance.h"
#include "data/pending_work.h"
#include "data/table_defs.h"
#include "data_test_support.h"
#include "killing_file_system.h"
#include "older_tables.h"

namespace vt::data::testing {
namespace {

using Files = std::map<std::string, std::string>;  // name -> bytes ("" when absent)

Files snapshot(const std::string& dir, const std::vector<std::string>& names) {
  Files files;
  for (const std::string& name : names) {
    const std::string path = dir + "/" + name;
    files[name] = std::filesystem::exists(path) ? readFile(path) : std::string();
  }
  return files;
}

// One piece of work: what it changes, and the work itself on a file system.
struct Work {
  std::string dataDir;             // the data directory it works on
  std::string target;              // the directory it changes
  std::vector<std::string> files;  // the files of it that must agree
  std::function<bool(engine::FileSystem&)> run;
};

// The start of the program or of any command: pending work settled.
void startAgain(const std::string& dataDir, engine::FileSystem& fs) {
  const Settled settled = SettlePendingWork(fs, dataDir);
  EXPECT_TRUE(settled.ok()) << (settled.problems().empty() ? "" : settled.problems().front());
}

void copyDir(const std::string& from, const std::string& to) {
  std::filesystem::copy(from, to, std::filesystem::copy_options::recursive);
}

using MakeWork = std::function<Work(const std::string&, const std::string&)>;

// Where the work runs and where the next start finishes it: the work in the
// data directory itself, named ".", the other directory by a relative path;
// the next start from a directory holding another business, whose files it
// must leave alone.
struct Places {
  bool elsewhere = false;
  // Made in each fresh copy of the data before the work.
  std::function<void(const std::string&)> eachCopy = [](const std::string&) {};
};

// Runs `make`'s work killed at change `limit` in a child process; its exit
// status.
int runKilled(const MakeWork& make, const std::string& data, const std::string& other,
              uint64_t limit, const Places& places) {
  const pid_t child = fork();
  if (child == 0) {
    Work work = make(data, other);
    if (places.elsewhere) {
      work = make(".", std::filesystem::relative(other, data).string());
      if (chdir(data.c_str()) != 0) _exit(2);
    }
    KillingFileSystem fs(limit);
    _exit(work.run(fs) ? 0 : 1);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return -1;
  return status;
}

// The next start and the next backup or restore with the other directory,
// from `cwd`.
void finishFrom(const std::string& cwd, const Work& work, engine::FileSystem& fs) {
  const std::filesystem::path was = std::filesystem::current_path();
  std::filesystem::current_path(cwd);
  startAgain(work.dataDir, fs);
  EXPECT_EQ(FinishFileChange(fs, work.target), 0);
  std::filesystem::current_path(was);
}

std::vector<std::string> namesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

// Runs `make`'s work killed after each change in turn until it completes.
void killEverywhere(const MakeWork& make,
                    const std::function<void(const std::string&, const std::string&)>& prepare,
                    const Places& places = {}) {
  TempDir templateData, templateOther, business;
  prepare(templateData.path(), templateOther.path());
  initDataDir(business.path());
  const Files businessFiles = snapshot(business.path(), namesIn(business.path()));
  TempDir settledData, modelData, modelOther;
  copyDir(templateData.path(), settledData.path());
  places.eachCopy(settledData.path());
  startAgain(settledData.path(), engine::realFileSystem());
  copyDir(templateData.path(), modelData.path());
  copyDir(templateOther.path(), modelOther.path());
  places.eachCopy(modelData.path());
  Work model = make(modelData.path(), modelOther.path());
  // Before the work, as the next start finds it: pending work settled.
  const Files before = model.target == model.dataDir ? snapshot(settledData.path(), model.files)
                                                     : snapshot(model.target, model.files);
  ASSERT_TRUE(model.run(engine::realFileSystem()));
  const Files after = snapshot(model.target, model.files);
  ASSERT_NE(before, after);
  KillingFileSystem unsynced(0);
  int sawBefore = 0, sawAfter = 0;
  for (uint64_t limit = 1;; ++limit) {
    SCOPED_TRACE("killed at change " + std::to_string(limit));
    TempDir data, other;
    copyDir(templateData.path(), data.path());
    copyDir(templateOther.path(), other.path());
    places.eachCopy(data.path());
    const int status = runKilled(make, data.path(), other.path(), limit, places);
    ASSERT_NE(status, -1);
    const Work work = make(data.path(), other.path());
    ASSERT_NO_FATAL_FAILURE(
        finishFrom(places.elsewhere ? business.path() : data.path(), work, unsynced));
    const Files now = snapshot(work.target, work.files);
    ASSERT_TRUE(now == before || now == after);
    ASSERT_EQ(snapshot(business.path(), namesIn(business.path())), businessFiles);
    sawBefore += now == before;
    sawAfter += now == after;
    const CheckReport report = CheckDataDir(data.path(), unsynced);
    ASSERT_TRUE(report.ok()) << report.problems.front().text();
    if (WIFEXITED(status)) {
      EXPECT_EQ(WEXITSTATUS(status), 0);
      EXPECT_TRUE(now == after);
      break;
    }
    ASSERT_LT(limit, 20000u) << "the work never completed";
  }
  EXPECT_GT(sawBefore, 0);
  EXPECT_GT(sawAfter, 0);
}

// A data directory with customers, and a backup of another one beside it.
void dataAndBackup(const std::string& data, const std::string& other) {
  initDataDir(data);
  addCustomers(data, {{1, "Now", "A", "1", "", "kept memo"}, {2, "Later", "B", "2", ""}});
  TempDir older;
  initDataDir(older.path());
  addCustomers(older.path(), {{7, "Earlier", "C", "3", "", std::string(900, 'm')}});
  base::ScriptedDialogs dialogs;
  engine::Engine engine(older.path());
  ASSERT_TRUE(BackupDataFiles(engine, other, dialogs, nullptr));
}

TEST(KilledAtEveryChange, BackupLeavesTheOldBackupOrTheNewOne) {
  killEverywhere(
      [](const std::string& data, const std::string& other) {
        return Work{data, other, BackupFiles(), [data, other](engine::FileSystem& fs) {
                      engine::Engine engine(data, &fs);
                      base::ScriptedDialogs dialogs;
                      return BackupDataFiles(engine, other, dialogs, nullptr);
                    }};
      },
      dataAndBackup);
}

Work restoreWork(const std::string& data, const std::string& other) {
  return Work{data, data, BackupFiles(), [data, other](engine::FileSystem& fs) {
                engine::Engine engine(data, &fs);
                base::ScriptedDialogs dialogs;
                base::ProgramExit exit;
                return RestoreDataFiles(engine, other, dialogs, nullptr, exit);
              }};
}

TEST(KilledAtEveryChange, RestoreLeavesTheDataOrTheBackup) {
  killEverywhere(restoreWork, dataAndBackup);
}

TEST(KilledAtEveryChange, RestoreRunInItsDirectoryIsFinishedFromAnotherBusiness) {
  killEverywhere(restoreWork, dataAndBackup, Places{true});
}

// The torn save is put back before the restore, never into the restored
// tables after it.
TEST(KilledAtEveryChange, RestoreSettlesAStaleJournalFirst) {
  killEverywhere(restoreWork, dataAndBackup, Places{false, leaveTornSave});
}

std::vector<std::string> importedFiles() {
  std::vector<std::string> files = {"Prod4.dbf"};
  for (const char* table : {"Prod5", "CUST5", "INV5", "ITM5", "GROUPS", "LABELS", "PMT"}) {
    const TableDef* def = findTableDef(table);
    files.push_back(def->dbfName());
    if (def->memo) files.push_back(def->dbtName());
  }
  return files;
}

Work importWork(const std::string& data, const std::string& other) {
  return Work{data, data, importedFiles(), [data, other](engine::FileSystem& fs) {
                base::ScriptedDialogs dialogs;
                base::ProgramExit exit;
                SessionOptions options;
                options.fs = &fs;
                options.now = [] { return base::MakeDate(2026, 3, 31); };
                DataSession session(data, dialogs, exit, options);
                dialogs.queueChoice(true);
                return ImportOlderData(session, other, dialogs, nullptr);
              }};
}

void dataAndOlderTables(const std::string& data, const std::string& other) {
  initDataDir(data);
  addCustomers(data, {{1, "Now", "A", "1", "", "kept memo"}});
  for (const Older& t : olderTables()) writeOlder(other, t);
}

TEST(KilledAtEveryChange, ImportLeavesTheDataOrTheImportedTables) {
  killEverywhere(importWork, dataAndOlderTables);
}

TEST(KilledAtEveryChange, ImportSettlesAStaleJournalFirst) {
  killEverywhere(importWork, dataAndOlderTables, Places{false, leaveTornSave});
}

}  // namespace
}  // namespace vt::data::testing
