// The data files as a whole: whether they are all there, the fatal "Unable
// to open file" exit, and the rebuilding of the index files.
#pragma once

#include <string>
#include <vector>

#include "base/dialogs.h"
#include "base/program_exit.h"
#include "base/progress.h"
#include "engine/engine.h"
#include "engine/io.h"

namespace vt::data {

// The .dbf files of the nine tables that are not in `dir` (names matched
// without regard to case), in the order of the table list.
std::vector<std::string> MissingDataFiles(engine::FileSystem& fs, const std::string& dir);
// True only if all nine .dbf files are in `dir`; memo and index files are
// not looked at.
bool DataFilesPresent(engine::FileSystem& fs, const std::string& dir);
bool DataFilesPresent(const std::string& dir);

// Shows "Unable to open file <name>" with "Program will now terminate." and
// ends the program with exit code 1. Nothing is saved first.
void OpenFailed(const std::string& name, base::Dialogs& dialogs, base::ProgramExit& exit);

// How an index rebuild went.
struct RebuildOutcome {
  int status = 0;                    // 0, or the engine's negative status
  std::string table;                 // the table it failed on
  bool openFailed = false;           // the table itself could not be opened
  std::vector<std::string> rebuilt;  // tables whose indexes were rebuilt
  bool ok() const { return status == 0; }
};

// Rebuilds the index group of each indexed table, in the table list's order:
// every table (or those of `only`, when given), or with onlyMissing just those
// missing one of their index files. The engine's autoOpen, safety and access
// mode are set for the work (off, off, deny-write) and restored afterwards.
// Progress (when not onlyMissing and `progress` is given) shows "Rebuilding
// Indexes", 5, then each table's value, and is hidden at the end. Stops at
// the first failure and reports it; never ends the program.
RebuildOutcome RebuildIndexFiles(engine::Engine& engine, bool onlyMissing, base::Progress* progress,
                                 const std::vector<std::string>& only = {});

// The program's index rebuild: RebuildIndexFiles, where a table that cannot
// be opened ends the program through OpenFailed and any other engine error
// ends it after a message naming the table and the error.
void RebuildIndexes(engine::Engine& engine, bool onlyMissing, base::Progress* progress,
                    base::Dialogs& dialogs, base::ProgramExit& exit);
// The telling of a failed rebuild as RebuildIndexes does it; nothing when
// the outcome is good.
void TellRebuildFailure(const RebuildOutcome& outcome, base::Dialogs& dialogs,
                        base::ProgramExit& exit);

}  // namespace vt::data
