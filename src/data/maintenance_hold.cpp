// What backup, restore and erase share: the list of files, the comparison
// of directories and the tables held deny-write while the work runs.
#include <filesystem>

#include "data/maintenance.h"
#include "data/pending_work.h"
#include "data/table_defs.h"
#include "engine/status.h"

namespace vt::data {

namespace {

// The directory's absolute name without "." or ".." parts, symbolic links
// resolved as far as the directory exists, and no trailing slash.
std::string canonicalDir(const std::string& dir) {
  std::error_code error;
  std::filesystem::path path = std::filesystem::weakly_canonical(dir, error);
  if (error) path = std::filesystem::absolute(dir, error).lexically_normal();
  return CleanDirectoryName(path.string());
}

}  // namespace

const std::vector<std::string>& BackupFiles() {
  static const std::vector<std::string> files = {"CUST5.dbf", "CUST5.dbt", "GROUPS.dbf", "INV5.dbf",
                                                 "INV5.dbt",  "ITM5.dbf",  "LABELS.dbf", "PMT.dbf",
                                                 "Pur5.dbf",  "Prod5.dbf", "Prod5.dbt"};
  return files;
}

const std::vector<std::string>& OptionalBackupFiles() {
  static const std::vector<std::string> files = {kMailSettingsFile, kSentMailLog};
  return files;
}

std::string CleanDirectoryName(const std::string& dir) {
  const size_t first = dir.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  std::string text = dir.substr(first, dir.find_last_not_of(" \t") - first + 1);
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

bool SameDirectory(const std::string& a, const std::string& b) {
  const std::string left = CleanDirectoryName(a), right = CleanDirectoryName(b);
  if (left == right) return true;
  std::error_code error;
  if (std::filesystem::equivalent(left, right, error)) return true;
  return canonicalDir(left) == canonicalDir(right);
}

DataFilesHold::DataFilesHold(engine::Engine& engine, const std::vector<std::string>& tables,
                             bool withIndexes)
    : engine_(engine), autoOpen_(engine.autoOpen), mode_(engine.accessMode) {
  engine.autoOpen = withIndexes;
  engine.accessMode = engine::AccessMode::DenyWrite;
  engine.errorCode();
  for (const std::string& name : tables) {
    engine::Table* table = engine.open(name);
    held_.push_back(table);
    if (table) continue;
    const int status = engine.errorCode();
    if (status == engine::kErrLocked) {
      if (busy_.empty()) busy_ = name;
    } else if (failed_.empty()) {
      failed_ = name;
      failedStatus_ = status < 0 ? status : engine::kErrOpen;
    }
  }
}

void DataFilesHold::close(size_t i) {
  if (!held_[i]) return;
  held_[i]->close();
  held_[i] = nullptr;
}

void DataFilesHold::release() {
  for (size_t i = 0; i < held_.size(); ++i) close(i);
  engine_.autoOpen = autoOpen_;
  engine_.accessMode = mode_;
}

bool DataFilesFree(engine::Engine& engine, base::Dialogs& dialogs) {
  std::vector<std::string> tables;
  for (const TableDef& def : tableDefs()) tables.push_back(def.name);
  const DataFilesHold hold(engine, tables, false);
  if (hold.busy().empty()) return true;
  TellInUse(dialogs, hold.busy());
  return false;
}

void TellInUse(base::Dialogs& dialogs, const std::string& table) {
  dialogs.information("", InUseText(table));
}

}  // namespace vt::data
