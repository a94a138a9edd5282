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
  std::string target;              // the directory it changes
  std::vector<std::string> files;  // the files of it that must agree
  std::function<bool(engine::FileSystem&)> run;
};

// The program's start: an unfinished change finished, missing indexes rebuilt.
void startAgain(const std::string& dataDir, engine::FileSystem& fs) {
  engine::Engine engine(dataDir, &fs);
  EXPECT_TRUE(RebuildIndexFiles(engine, true, nullptr).ok());
}

void copyDir(const std::string& from, const std::string& to) {
  std::filesystem::copy(from, to, std::filesystem::copy_options::recursive);
}

// Runs `make`'s work killed after each change in turn until it completes.
void killEverywhere(const std::function<Work(const std::string&, const std::string&)>& make,
                    const std::function<void(const std::string&, const std::string&)>& prepare) {
  TempDir templateData, templateOther;
  prepare(templateData.path(), templateOther.path());
  TempDir modelData, modelOther;
  copyDir(templateData.path(), modelData.path());
  copyDir(templateOther.path(), modelOther.path());
  Work model = make(modelData.path(), modelOther.path());
  const Files before = snapshot(model.target, model.files);
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
    const Work work = make(data.path(), other.path());
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      KillingFileSystem fs(limit);
      _exit(work.run(fs) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    startAgain(data.path(), unsynced);
    // The next backup or restore with the other directory finishes there.
    ASSERT_EQ(FinishFileChange(unsynced, work.target), 0);
    const Files now = snapshot(work.target, work.files);
    ASSERT_TRUE(now == before || now == after);
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
        return Work{other, BackupFiles(), [data, other](engine::FileSystem& fs) {
                      engine::Engine engine(data, &fs);
                      base::ScriptedDialogs dialogs;
                      return BackupDataFiles(engine, other, dialogs, nullptr);
                    }};
      },
      dataAndBackup);
}

TEST(KilledAtEveryChange, RestoreLeavesTheDataOrTheBackup) {
  killEverywhere(
      [](const std::string& data, const std::string& other) {
        return Work{data, BackupFiles(), [data, other](engine::FileSystem& fs) {
                      engine::Engine engine(data, &fs);
                      base::ScriptedDialogs dialogs;
                      base::ProgramExit exit;
                      return RestoreDataFiles(engine, other, dialogs, nullptr, exit);
                    }};
      },
      dataAndBackup);
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

TEST(KilledAtEveryChange, ImportLeavesTheDataOrTheImportedTables) {
  killEverywhere(
      [](const std::string& data, const std::string& other) {
        return Work{data, importedFiles(), [data, other](engine::FileSystem& fs) {
                      base::ScriptedDialogs dialogs;
                      base::ProgramExit exit;
                      SessionOptions options;
                      options.fs = &fs;
                      options.now = [] { return base::MakeDate(2026, 3, 31); };
                      DataSession session(data, dialogs, exit, options);
                      dialogs.queueChoice(true);
                      return ImportOlderData(session, other, dialogs, nullptr);
                    }};
      },
      [](const std::string& data, const std::string& other) {
        initDataDir(data);
        addCustomers(data, {{1, "Now", "A", "1", "", "kept memo"}});
        for (const Older& t : olderTables()) writeOlder(other, t);
      });
}

}  // namespace
}  // namespace vt::data::testing
