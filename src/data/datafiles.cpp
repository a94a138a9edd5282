#include "data/datafiles.h"

#include <set>

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

// Opens the table alone, writes its index group and closes everything.
int rebuildTable(engine::Engine& engine, const TableDef& def, bool* openFailed) {
  engine::Table* table = engine.open(def.name);
  if (!table) {
    *openFailed = true;
    const int status = engine.errorCode();
    return status < 0 ? status : engine::kErrOpen;
  }
  int status = table->createIndexGroup(def.group, def.tagSpecs());
  engine.closeAll();
  const int pending = engine.errorCode();
  if (status == 0 && pending < 0) status = pending;
  return status;
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

RebuildOutcome RebuildIndexFiles(engine::Engine& engine, bool onlyMissing,
                                 base::Progress* progress) {
  RebuildOutcome outcome;
  RebuildSettings settings(engine);
  const std::set<std::string> present =
      onlyMissing ? lowerNamesIn(engine.fs(), engine.directory()) : std::set<std::string>{};
  ProgressBox box(onlyMissing ? nullptr : progress, "Rebuilding Indexes");
  box.set(5);
  for (const TableDef& def : tableDefs()) {
    if (!def.indexed()) continue;
    if (!onlyMissing || anyMissing(def.indexFiles(), present)) {
      outcome.status = rebuildTable(engine, def, &outcome.openFailed);
      if (!outcome.ok()) {
        outcome.table = def.name;
        return outcome;
      }
      outcome.rebuilt.push_back(def.name);
    }
    box.set(def.rebuildProgress);
  }
  return outcome;
}

void RebuildIndexes(engine::Engine& engine, bool onlyMissing, base::Progress* progress,
                    base::Dialogs& dialogs, base::ProgramExit& exit) {
  const RebuildOutcome outcome = RebuildIndexFiles(engine, onlyMissing, progress);
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
