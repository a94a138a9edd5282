#include "data/datafiles.h"

#include <set>

#include "data/file_change.h"
#include "data/progress_box.h"
#include "data/table_defs.h"
#include "engine/status.h"

namespace vt::data {
namespace {

std::set<std::string> lowerNamesIn(engine::FileSystem& fs, const std::string& dir) {
  std::set<std::string> names;
  for (const std::string& name : fs.list(dir)) names.insert(lowerName(name));
  return names;
}

bool anyMissing(const std::vector<std::string>& files, const std::set<std::string>& present) {
  for (const std::string& file : files) {
    if (!present.count(lowerName(file))) return true;
  }
  return false;
}

// Sets the engine up for rebuilding (no index groups opened with a table,
// files may be overwritten, others may not write) and restores it after.
class RebuildSettings {
 public:
  explicit RebuildSettings(engine::Engine& e)
      : engine_(e), autoOpen_(e.autoOpen), safety_(e.safety), mode_(e.accessMode) {
    e.autoOpen = false;
    e.safety = false;
    e.accessMode = engine::AccessMode::DenyWrite;
  }
  ~RebuildSettings() {
    engine_.autoOpen = autoOpen_;
    engine_.safety = safety_;
    engine_.accessMode = mode_;
  }
  RebuildSettings(const RebuildSettings&) = delete;
  RebuildSettings& operator=(const RebuildSettings&) = delete;

 private:
  engine::Engine& engine_;
  bool autoOpen_;
  bool safety_;
  engine::AccessMode mode_;
};

// The tables to rebuild: every indexed one, or those missing an index file.
std::vector<const TableDef*> tablesToRebuild(engine::Engine& engine, bool onlyMissing,
                                             const std::vector<std::string>& only) {
  const std::set<std::string> present =
      onlyMissing ? lowerNamesIn(engine.fs(), engine.directory()) : std::set<std::string>{};
  std::set<std::string> chosen;
  for (const std::string& name : only) chosen.insert(lowerName(name));
  std::vector<const TableDef*> tables;
  for (const TableDef& def : tableDefs()) {
    if (!chosen.empty() && !chosen.count(lowerName(def.name))) continue;
    if (def.indexed() && (!onlyMissing || anyMissing(def.indexFiles(), present))) {
      tables.push_back(&def);
    }
  }
  return tables;
}

// Takes every table alone before the first is rebuilt; false with the
// outcome filled in when one cannot be opened.
bool holdAll(engine::Engine& engine, const std::vector<const TableDef*>& tables,
             std::vector<engine::Table*>* held, RebuildOutcome* outcome) {
  for (const TableDef* def : tables) {
    engine::Table* table = engine.open(def->name);
    if (!table) {
      const int status = engine.errorCode();
      *outcome = {status < 0 ? status : engine::kErrOpen, def->name, true, {}};
      return false;
    }
    held->push_back(table);
  }
  return true;
}
}  // namespace

std::vector<std::string> MissingDataFiles(engine::FileSystem& fs, const std::string& dir) {
  const std::set<std::string> present = lowerNamesIn(fs, dir);
  std::vector<std::string> missing;
  for (const TableDef& def : tableDefs()) {
    if (!present.count(lowerName(def.dbfName()))) missing.push_back(def.dbfName());
  }
  return missing;
}

bool DataFilesPresent(engine::FileSystem& fs, const std::string& dir) {
  return MissingDataFiles(fs, dir).empty();
}

bool DataFilesPresent(const std::string& dir) {
  return DataFilesPresent(engine::realFileSystem(), dir);
}

void OpenFailed(const std::string& name, base::Dialogs& dialogs, base::ProgramExit& exit) {
  dialogs.information("", "Unable to open file " + name + "\r\n" + "Program will now terminate.");
  exit.exit(1);
}

RebuildOutcome RebuildIndexFiles(engine::Engine& engine, bool onlyMissing, base::Progress* progress,
                                 const std::vector<std::string>& only) {
  RebuildOutcome outcome;
  RebuildSettings settings(engine);
  // An unfinished change of several files is finished before the index files
  // are looked for (a table it cannot finish fails to open below).
  FinishFileChange(engine.fs(), engine.directory());
  const std::vector<const TableDef*> tables = tablesToRebuild(engine, onlyMissing, only);
  ProgressBox box(onlyMissing ? nullptr : progress, "Rebuilding Indexes");
  box.set(5);
  // Every table is held until the last index is written, so that no one
  // works on a table whose indexes are not yet rebuilt.
  std::vector<engine::Table*> held;
  if (holdAll(engine, tables, &held, &outcome)) {
    for (size_t i = 0; i < tables.size() && outcome.ok(); ++i) {
      outcome.status = held[i]->createIndexGroup(tables[i]->group, tables[i]->tagSpecs());
      outcome.table = tables[i]->name;
      if (!outcome.ok()) break;
      outcome.rebuilt.push_back(tables[i]->name);
      box.set(tables[i]->rebuildProgress);
    }
  }
  engine.closeAll();
  const int pending = engine.errorCode();
  if (outcome.ok() && pending < 0) outcome.status = pending;
  if (outcome.ok()) outcome.table.clear();
  return outcome;
}

void RebuildIndexes(engine::Engine& engine, bool onlyMissing, base::Progress* progress,
                    base::Dialogs& dialogs, base::ProgramExit& exit) {
  TellRebuildFailure(RebuildIndexFiles(engine, onlyMissing, progress), dialogs, exit);
}

void TellRebuildFailure(const RebuildOutcome& outcome, base::Dialogs& dialogs,
                        base::ProgramExit& exit) {
  if (outcome.ok()) return;
  const TableDef* def = findTableDef(outcome.table);
  if (outcome.openFailed) {
    OpenFailed(def->upperDbfName(), dialogs, exit);
    return;
  }
  dialogs.information("", "Unable to rebuild the index files of " + def->name + ": " +
                              engine::statusText(outcome.status) + "\r\n" +
                              "Program will now terminate.");
  exit.exit(1);
}

}  // namespace vt::data
