#include "data/init.h"

#include <map>
#include <set>

#include "data/datafiles.h"
#include "data/table_defs.h"
#include "engine/engine.h"
#include "engine/status.h"

namespace vt::data {
namespace {

// The values of the installed settings record; fields not named are blank
// (texts), 0 (numbers) or false (logicals).
const std::map<std::string, std::string>& initialSettings() {
  static const std::map<std::string, std::string> values = {
      {"ShipLine", "Shipping"}, {"TaxLine", "Sales Tax"}, {"TaxRate1", "0"}, {"TaxRate2", "0"},
      {"ShipTax", "1"},         {"TaxRound", "1"},        {"ByCust", "T"},   {"fifo", "T"},
      {"FontSize", "0"},        {"LHJustify", "1"},
  };
  return values;
}

std::string initialValue(const FieldDef& field) {
  const auto it = initialSettings().find(field.name);
  if (it != initialSettings().end()) return it->second;
  if (field.type == 'N') return "0";
  if (field.type == 'L') return "F";
  return "";
}

int writeSettingsRecord(engine::Engine& engine, const TableDef& def) {
  const bool autoOpen = engine.autoOpen;
  engine.autoOpen = false;
  engine::Table* table = engine.open(def.name);
  engine.autoOpen = autoOpen;
  if (!table) {
    const int status = engine.errorCode();
    return status < 0 ? status : engine::kErrOpen;
  }
  int status = table->appendBlank();
  for (const FieldDef& fieldDef : def.fields) {
    if (status < 0) break;
    engine::Field* field = table->field(fieldDef.name);
    if (!field) {
      status = engine::kErrField;
    } else if (fieldDef.type == 'N') {
      field->assignDouble(std::stod(initialValue(fieldDef)));
    } else {
      field->assign(initialValue(fieldDef));
    }
  }
  if (status == 0) status = table->flush();
  table->close();
  const int pending = engine.errorCode();
  return status < 0 ? status : pending;
}

void removeFiles(engine::FileSystem& fs, const std::string& dir,
                 const std::vector<std::string>& names) {
  for (const std::string& name : names) fs.remove(engine::resolvePath(fs, dir, name));
}

InitOutcome failed(const std::string& what, int status) {
  return {false, what + ": " + engine::statusText(status)};
}

}  // namespace

std::vector<std::string> ExistingDataFiles(engine::FileSystem& fs, const std::string& dir) {
  std::set<std::string> wanted;
  for (const TableDef& def : tableDefs()) {
    wanted.insert(lowerName(def.dbfName()));
    if (def.memo) wanted.insert(lowerName(def.dbtName()));
  }
  std::vector<std::string> found;
  for (const std::string& name : fs.list(dir)) {
    if (wanted.count(lowerName(name))) found.push_back(name);
  }
  return found;
}

InitOutcome InitDataDir(const std::string& dir, base::Progress* progress, engine::FileSystem& fs) {
  const std::vector<std::string> existing = ExistingDataFiles(fs, dir);
  if (!existing.empty()) {
    std::string names;
    for (const std::string& name : existing) names += (names.empty() ? "" : ", ") + name;
    return {false, dir + " already holds data files (" + names +
                       "); a new data directory must not hold any."};
  }
  engine::Engine engine(dir, &fs);
  std::vector<std::string> created;
  for (const TableDef& def : tableDefs()) {
    const int status = engine.create(def.name, def.fieldDescs());
    if (status < 0) {
      removeFiles(fs, dir, created);
      return failed("Unable to create " + def.dbfName(), status);
    }
    created.push_back(def.dbfName());
    if (def.memo) created.push_back(def.dbtName());
  }
  const TableDef& settings = *findTableDef("VTR1");
  if (const int status = writeSettingsRecord(engine, settings); status < 0) {
    removeFiles(fs, dir, created);
    return failed("Unable to write the settings record", status);
  }
  const RebuildOutcome rebuilt = RebuildIndexFiles(engine, false, progress);
  if (!rebuilt.ok()) {
    for (const TableDef& def : tableDefs()) {
      for (const std::string& file : def.indexFiles()) created.push_back(file);
    }
    removeFiles(fs, dir, created);
    return failed("Unable to build the indexes of " + rebuilt.table, rebuilt.status);
  }
  return {true, ""};
}

}  // namespace vt::data
