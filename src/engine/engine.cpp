#include "engine.h"

#include <algorithm>

#include "cgp_file.h"
#include "dbt_file.h"
#include "file_commit.h"
#include "table_impl.h"

namespace vt::engine {

std::string joinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

Engine::Engine(std::string directory, FileSystem* fs)
    : dir_(std::move(directory)), fs_(fs ? fs : &realFileSystem()) {}

Engine::~Engine() {
  closeAll();
}

int Engine::errorCode(int newValue) {
  int last = error_;
  error_ = newValue;
  return last;
}

void Engine::setError(int status) {
  if (status < 0) error_ = status;
}

namespace {

bool hasMemoField(const std::vector<FieldDesc>& fields) {
  return std::any_of(fields.begin(), fields.end(),
                     [](const FieldDesc& f) { return f.type == 'M'; });
}

}  // namespace

int Engine::create(const std::string& name, const std::vector<FieldDesc>& fields) {
  std::string dbfPath = resolvePath(*fs_, dir_, name + ".dbf");
  bool memo = hasMemoField(fields);
  std::string dbtPath = resolvePath(*fs_, dir_, name + ".dbt");
  if (safety && (fs_->exists(dbfPath) || (memo && fs_->exists(dbtPath)))) {
    setError(kErrExists);
    return kErrExists;
  }
  int status = DbfFile::create(*fs_, dbfPath, fields, memo);
  if (status == kOk && memo) status = DbtFile::create(*fs_, dbtPath);
  if (status == kOk) status = fs_->syncDir(dir_) ? kOk : kErrWrite;
  setError(status);
  return status;
}

Table* Engine::open(const std::string& name) {
  auto impl = std::make_unique<Table::Impl>();
  impl->engine = this;
  impl->name = name;
  impl->mode = accessMode;
  impl->dbfPath = resolvePath(*fs_, dir_, name + ".dbf");
  if (!readOnly) {
    int recovered = recoverReplace(*fs_, dir_, impl->dbfPath + ".commit");
    if (recovered < 0) {
      setError(recovered);
      return nullptr;
    }
  }
  int status = fs_->exists(impl->dbfPath)
                   ? DbfFile::open(*fs_, impl->dbfPath, !readOnly, &impl->dbf)
                   : kErrOpen;
  if (status == kOk) {
    LockKind kind = accessMode == AccessMode::DenyWrite ? LockKind::Exclusive : LockKind::Shared;
    if (!impl->dbf->file().lock(kOpenLockOffset, 1, kind, false)) status = kErrLocked;
  }
  // Another user may have appended between reading the header and locking.
  bool changed = false;
  if (status == kOk) status = impl->dbf->refresh(&changed);
  if (status == kOk && impl->dbf->hasMemo() == false && hasMemoField(impl->dbf->fields())) {
    status = kErrFormat;
  }
  if (status == kOk && hasMemoField(impl->dbf->fields())) {
    impl->dbtPath = resolvePath(*fs_, dir_, name + ".dbt");
    status = fs_->exists(impl->dbtPath) ? DbtFile::open(*fs_, impl->dbtPath, !readOnly, &impl->dbt)
                                        : kErrOpen;
  }
  if (status < 0) {
    setError(status);
    return nullptr;
  }
  std::unique_ptr<Table> table(new Table(std::move(impl)));
  Table::Impl& t = *table->impl_;
  t.self = table.get();
  for (const FieldDesc& d : t.dbf->fields()) t.fields.emplace_back(new Field(*table, d));
  t.rec.assign(t.dbf->recordLength(), ' ');
  t.stored = t.rec;
  if (autoOpen) {
    t.groupPath = resolvePath(*fs_, dir_, name + ".cgp");
    if (fs_->exists(t.groupPath)) {
      std::vector<std::string> names;
      status = readGroupFile(*fs_, t.groupPath, &names);
      std::vector<std::string> paths;
      for (const auto& n : names) paths.push_back(resolvePath(*fs_, dir_, n + ".ntx"));
      if (status == kOk) status = t.reopenIndexes(paths);
      if (status < 0) {
        setError(status);
        return nullptr;
      }
    }
  }
  tables_.push_back(std::move(table));
  return tables_.back().get();
}

void Engine::closeAll() {
  while (!tables_.empty()) tables_.back()->close();
}

void Engine::forget(Table* t) {
  auto it = std::find_if(tables_.begin(), tables_.end(),
                         [t](const std::unique_ptr<Table>& p) { return p.get() == t; });
  if (it == tables_.end()) return;
  std::unique_ptr<Table> owned = std::move(*it);
  tables_.erase(it);
  // `owned` is destroyed here, after the vector no longer refers to it.
}

std::vector<Table*> Engine::openTables() const {
  std::vector<Table*> out;
  for (const auto& t : tables_) out.push_back(t.get());
  return out;
}

}  // namespace vt::engine
