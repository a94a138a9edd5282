#include "engine.h"

#include <algorithm>

#include "cgp_file.h"
#include "dbt_file.h"
#include "file_commit.h"
#include "file_set.h"
#include "ntx_cache.h"
#include "table_impl.h"

namespace vt::engine {

namespace {

// Pages for all open indexes together: the upper levels of every index and a
// good share of the leaves of a large one. A session with small tables
// touches only a fraction of it.
constexpr size_t kIndexPages = 4096;

}  // namespace

std::string joinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

Engine::Engine(std::string directory, FileSystem* fs)
    : dir_(std::move(directory)),
      fs_(fs ? fs : &realFileSystem()),
      pages_(std::make_unique<ntx::PagePool>(kIndexPages)) {}

Engine::~Engine() {
  closeAll();
}

int Engine::errorCode(int newValue) {
  int last = error_;
  error_ = newValue;
  return last;
}

void Engine::setError(int status) {
  if (status >= 0) return;
  // The same failure passed on by the callers keeps its file.
  if (status != error_) errorFileStatus_ = 0;
  error_ = status;
}

void Engine::setError(int status, const std::string& file) {
  if (status >= 0) return;
  error_ = status;
  errorFileStatus_ = status;
  errorFile_ = file;
}

std::string Engine::errorText(int status) const {
  std::string text = statusText(status);
  if (status < 0 && status == errorFileStatus_) text += " (" + errorFile_ + ")";
  return text;
}

namespace {

bool hasMemoField(const std::vector<FieldDesc>& fields) {
  return std::any_of(fields.begin(), fields.end(),
                     [](const FieldDesc& f) { return f.type == 'M'; });
}

// Opens the .dbf at `path` and takes this user's open lock on it. Another
// user's pack may rename a new table over the name between the open and the
// lock; the lock then holds a file that is gone, so the open starts again.
int openLocked(FileSystem& fs, const std::string& path, bool writable, LockKind kind,
               std::unique_ptr<DbfFile>* out) {
  constexpr int kAttempts = 5;
  int status = kErrLocked;
  for (int attempt = 0; attempt < kAttempts && status == kErrLocked; ++attempt) {
    status = fs.exists(path) ? DbfFile::open(fs, path, writable, out) : kErrOpen;
    if (status == kOk && !(*out)->file().lock(kOpenLockOffset, 1, kind, false)) status = kErrLocked;
    if (status == kOk && !stillNamed(fs, path, (*out)->file())) {
      out->reset();
      status = kErrLocked;
    }
  }
  return status;
}

// Finishes the replacement the table's marker lists; the caller has the table
// alone. The new .dbf takes the exclusive open lock before its name, so that
// no one opens it before the marker is gone.
int finishLeftover(FileSystem& fs, const std::string& dir, const std::string& dbfPath) {
  const std::string marker = dbfPath + ".commit";
  ReplacePairs pairs;
  int status = readReplace(fs, dir, marker, &pairs);
  if (status < 0) return status;
  std::unique_ptr<File> incoming;
  for (const auto& [from, to] : pairs) {
    if (to != dbfPath || !fs.exists(from)) continue;
    incoming = fs.open(from, OpenMode::ReadWrite);
    if (!incoming) return kErrOpen;
    if (!incoming->lock(kOpenLockOffset, 1, LockKind::Exclusive, false)) return kErrLocked;
  }
  return finishReplace(fs, dir, marker, pairs);
}

// Opens the table's .dbf under this user's open lock. A marker left by an
// interrupted pack, zap, memo compression or index build is finished only by
// a user who has the table alone: while another user holds the table, the
// marker belongs to that user's work, the files are not yet fit to open and
// the open fails with kErrLocked, leaving them as they are.
int openTableFile(Engine& engine, Table::Impl& t) {
  FileSystem& fs = engine.fs();
  const bool writable = !engine.readOnly;
  const LockKind kind =
      engine.accessMode == AccessMode::DenyWrite ? LockKind::Exclusive : LockKind::Shared;
  // A change of several tables that a stop left unfinished is finished first.
  int status = writable ? finishFileSet(fs, engine.directory())
                        : (fileSetPending(fs, engine.directory()) ? kErrLocked : kOk);
  if (status < 0) return status;
  status = openLocked(fs, t.dbfPath, writable, kind, &t.dbf);
  if (status < 0 || !writable || !fs.exists(t.dbfPath + ".commit")) return status;
  if (kind == LockKind::Shared &&
      !t.dbf->file().lock(kOpenLockOffset, 1, LockKind::Exclusive, false)) {
    return kErrLocked;
  }
  status = finishLeftover(fs, engine.directory(), t.dbfPath);
  t.dbf.reset();  // the renames may have put another file under the name
  return status < 0 ? status : openLocked(fs, t.dbfPath, writable, kind, &t.dbf);
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
  int status = openTableFile(*this, *impl);
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
