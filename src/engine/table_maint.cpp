// Table: index creation, pack, zap and memo compression. Each builds new
// files beside the old ones and swaps them in through file_commit, so an
// interruption never leaves a half-written table or index.
#include <algorithm>
#include <cstring>

#include "cgp_file.h"
#include "file_commit.h"
#include "ntx_cache.h"
#include "release_memory.h"
#include "table_impl.h"

namespace vt::engine {

namespace {

// Memory for sorting the keys of the indexes built together; larger builds
// sort in runs. Each entry takes its key, its record number and its place in
// the sort order.
constexpr size_t kBuildBudget = 3584u << 10;
constexpr size_t kBuildEntryOverhead = 4 + 16;

std::string stem(const std::string& path) {
  size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

int Table::Impl::reopenIndexes(const std::vector<std::string>& paths) {
  // Tags that stay open keep their objects, so callers' Tag pointers and the
  // selected order survive a pack or a rebuild.
  Tag* selectedTag = selected >= 0 ? tags[selected].get() : nullptr;
  std::vector<std::unique_ptr<Tag>> old = std::move(tags);
  tags.clear();
  tagStates.clear();
  selected = -1;
  FileSystem& fs = engine->fs();
  int status = kOk;
  for (const std::string& path : paths) {
    TagState ts;
    ts.path = path;
    status = NtxIndex::open(fs, path, dbf->writable(), &ts.ntx, engine->indexPages());
    if (status == kOk)
      status = KeyExpr::compile(ts.ntx->info().expression, dbf->fields(), &ts.expr);
    if (status == kOk && ts.expr->length() != ts.ntx->keyLength()) status = kErrIndex;
    if (status < 0) break;
    std::string name = stem(path);
    auto same = std::find_if(old.begin(), old.end(),
                             [&](const std::unique_ptr<Tag>& t) { return t && t->name() == name; });
    if (same != old.end()) {
      tags.push_back(std::move(*same));
      tags.back()->slot_ = tagStates.size();
    } else {
      tags.emplace_back(new Tag(*self, name, tagStates.size()));
    }
    if (tags.back().get() == selectedTag) selected = static_cast<int>(tags.size() - 1);
    tagStates.push_back(std::move(ts));
  }
  if (status < 0) {
    tags.clear();
    tagStates.clear();
    selected = -1;
  }
  return status;
}

int Table::Impl::buildIndexFiles(const std::vector<IndexBuild>& builds, DbfFile& source) {
  // The pages other indexes keep are read again when needed; the builds
  // take their memory meanwhile.
  engine->indexPages().shed();
  releaseFreedMemory();
  std::vector<std::unique_ptr<KeyExpr>> exprs(builds.size());
  size_t entryBytes = 0;
  int status = kOk;
  for (size_t i = 0; i < builds.size() && status == kOk; ++i) {
    status = KeyExpr::compile(builds[i].expression, source.fields(), &exprs[i]);
    if (status == kOk) entryBytes += exprs[i]->length() + kBuildEntryOverhead;
  }
  if (status < 0 || builds.empty()) return status;
  // Each build gets memory in proportion to its entries' size, so that all of
  // them sort batches of the same number of entries.
  std::vector<std::unique_ptr<NtxIndex::Builder>> builders;
  std::vector<std::string> keys;
  for (size_t i = 0; i < builds.size(); ++i) {
    const size_t length = exprs[i]->length();
    const size_t share = kBuildBudget / entryBytes * (length + kBuildEntryOverhead);
    NtxInfo info{builds[i].expression, builds[i].tagName, static_cast<uint16_t>(length)};
    builders.push_back(
        std::make_unique<NtxIndex::Builder>(engine->fs(), builds[i].target, info, share));
    builders.back()->expect(source.recCount());
    keys.emplace_back(length, ' ');
  }
  {
    DbfFile::Scanner scan(source);
    const char* record = nullptr;
    uint32_t recno = 0;
    while (status == kOk && (status = scan.next(&record, &recno)) == kOk && record) {
      for (size_t i = 0; i < builders.size() && status == kOk; ++i) {
        exprs[i]->evaluate(record, keys[i].data());
        status = builders[i]->add(keys[i], recno);
      }
    }
  }
  for (auto& builder : builders) {
    if (status == kOk) status = builder->finish();
    builder.reset();  // an unfinished build leaves no files behind
    releaseFreedMemory();
  }
  return status;
}

int Table::Impl::beginExclusive() {
  if (lost) return fail(kErrLocked);
  if (!dbf->writable()) return fail(kErrReadOnly);
  int status = flushRecord();
  if (status < 0) return status;
  if (shared() && !dbf->file().lock(kOpenLockOffset, 1, LockKind::Exclusive, false)) {
    return fail(kErrLocked);
  }
  return fail(flushFiles());
}

void Table::Impl::endExclusive() {
  if (shared()) dbf->file().lock(kOpenLockOffset, 1, LockKind::Shared, false);
}

int Table::createIndexGroup(const std::string& groupName, const std::vector<TagSpec>& specs) {
  Impl& t = *impl_;
  FileSystem& fs = t.engine->fs();
  const std::string& dir = t.engine->directory();
  int status = t.beginExclusive();
  if (status < 0) return status;
  ReplacePairs pairs;
  std::vector<std::string> names, paths;
  std::string cgp = resolvePath(fs, dir, groupName + ".cgp");
  std::vector<Impl::IndexBuild> builds;
  for (const TagSpec& spec : specs) {
    std::string path = resolvePath(fs, dir, spec.name + ".ntx");
    if (t.engine->safety && fs.exists(path)) status = kErrExists;
    pairs.emplace_back(path + ".tmp", path);
    names.push_back(spec.name);
    paths.push_back(path);
    if (status < 0) break;
    builds.push_back({path + ".tmp", spec.name, spec.expression});
  }
  if (status == kOk) status = t.buildIndexFiles(builds, *t.dbf);
  if (status == kOk && t.engine->safety && fs.exists(cgp)) status = kErrExists;
  if (status == kOk) status = writeGroupFile(fs, cgp + ".tmp", names);
  pairs.emplace_back(cgp + ".tmp", cgp);
  if (status == kOk) {
    status = commitReplace(fs, dir, t.dbfPath + ".commit", pairs);
  } else {
    for (const auto& p : pairs) fs.remove(p.first);
  }
  if (status == kOk) {
    // Indexes of other groups stay open; this group's files are (re)opened.
    std::vector<std::string> keep;
    for (const TagState& ts : t.tagStates) {
      if (std::find(paths.begin(), paths.end(), ts.path) == paths.end()) keep.push_back(ts.path);
    }
    keep.insert(keep.end(), paths.begin(), paths.end());
    status = t.reopenIndexes(keep);
  }
  t.endExclusive();
  return t.fail(status);
}

int Table::Impl::rewrite(bool (*keep)(const char*), int (*edit)(Impl&, char*), bool withMemo) {
  FileSystem& fs = engine->fs();
  const std::string& dir = engine->directory();
  std::string tmpDbf = dbfPath + ".tmp";
  std::string tmpDbt = dbtPath + ".tmp";
  ReplacePairs pairs{{tmpDbf, dbfPath}};
  std::unique_ptr<DbfFile> fresh;
  std::unique_ptr<DbtFile> freshMemo;
  int status = DbfFile::create(fs, tmpDbf, dbf->fields(), dbf->hasMemo());
  if (status == kOk) status = DbfFile::open(fs, tmpDbf, true, &fresh);
  if (status == kOk && withMemo) {
    status = DbtFile::create(fs, tmpDbt);
    if (status == kOk) status = DbtFile::open(fs, tmpDbt, true, &freshMemo);
    pairs.emplace_back(tmpDbt, dbtPath);
  }
  std::swap(dbt, freshMemo);  // `edit` copies memos into the new file
  // The indexes are rebuilt anyway: their cached pages make room for the
  // copy's buffers.
  engine->indexPages().shed();
  {
    // The copy's read buffer goes before the index builds take their memory.
    std::vector<char> copy(dbf->recordLength());
    DbfFile::Scanner scan(*dbf);
    const char* record = nullptr;
    uint32_t n = 0, added = 0;
    while (status == kOk && (status = scan.next(&record, &n)) == kOk && record) {
      if (!keep(record)) continue;
      std::memcpy(copy.data(), record, copy.size());
      if (edit) status = edit(*this, copy.data());
      if (status == kOk) status = fresh->append(copy.data(), &added);
    }
  }
  std::swap(dbt, freshMemo);
  if (status == kOk) status = fresh->flush();
  if (status == kOk && freshMemo) status = freshMemo->flush();
  if (status == kOk) status = fresh->file().sync() ? kOk : kErrWrite;
  if (status == kOk && freshMemo) status = freshMemo->file().sync() ? kOk : kErrWrite;
  if (status == kOk) {
    // Opened afresh, the new table lets go of its append buffer before the
    // index builds read it.
    fresh.reset();
    status = DbfFile::open(fs, tmpDbf, true, &fresh);
  }
  // The old indexes are closed while the new ones are built, so their page
  // caches do not add to the memory the builds take.
  std::vector<std::string> paths, names, expressions;
  for (size_t i = 0; i < tagStates.size(); ++i) {
    paths.push_back(tagStates[i].path);
    names.push_back(tags[i]->name());
    expressions.push_back(tagStates[i].ntx->info().expression);
  }
  int flushed = flushFiles();
  if (status == kOk) status = flushed;
  tagStates.clear();
  releaseFreedMemory();
  std::vector<IndexBuild> builds;
  for (size_t i = 0; i < paths.size(); ++i) {
    pairs.emplace_back(paths[i] + ".tmp", paths[i]);
    builds.push_back({paths[i] + ".tmp", names[i], expressions[i]});
  }
  if (status == kOk) status = buildIndexFiles(builds, *fresh);
  // The new table carries this user's open lock before it takes the name.
  if (status == kOk && !fresh->file().lock(kOpenLockOffset, 1, LockKind::Exclusive, false)) {
    status = kErrLocked;
  }
  if (status < 0) {
    for (const auto& p : pairs) fs.remove(p.first);
    reopenIndexes(paths);
    return fail(status);
  }
  status = commitReplace(fs, dir, dbfPath + ".commit", pairs);
  if (status < 0 && fs.exists(dbfPath + ".commit")) {
    // Renames were under way: the names no longer hold the files open here.
    // The table stops working; the next user to have it alone finishes.
    lost = true;
    reopenIndexes(paths);  // only so that its tags stay valid objects
    return fail(status);
  }
  if (status < 0) {
    reopenIndexes(paths);
    return fail(status);
  }
  dbf = std::move(fresh);
  if (freshMemo) {
    // Reopen under the final name so later writes go to the right file.
    status = DbtFile::open(fs, dbtPath, true, &dbt);
  }
  if (status == kOk) status = reopenIndexes(paths);
  setEof();
  return fail(status);
}

namespace {

bool keepLive(const char* record) {
  return record[0] != '*';
}
bool keepNone(const char*) {
  return false;
}
bool keepAll(const char*) {
  return true;
}

// Copies every memo of `record` from the table's old memo file (reachable
// through t.dbf's fields) into the new one now in t.dbt, fixing references.
int copyMemos(Table::Impl& t, char* record) {
  for (const FieldDesc& d : t.dbf->fields()) {
    if (d.type != 'M') continue;
    uint32_t block = 0;
    if (!parseMemoRef(record + d.offset, &block)) return kErrMemo;
    uint32_t moved = 0;
    if (block != 0) {
      std::string text;
      int status = t.oldMemo->read(block, &text);
      if (status == kOk) status = t.dbt->write(text, &moved);
      if (status < 0) return status;
    }
    formatMemoRef(moved, record + d.offset);
  }
  return kOk;
}

}  // namespace

int Table::pack() {
  Impl& t = *impl_;
  int status = t.beginExclusive();
  if (status < 0) return status;
  status = t.rewrite(keepLive, nullptr, false);
  t.endExclusive();
  return status;
}

int Table::zap() {
  Impl& t = *impl_;
  int status = t.beginExclusive();
  if (status < 0) return status;
  status = t.rewrite(keepNone, nullptr, false);
  t.endExclusive();
  return status;
}

int Table::memoCompress() {
  Impl& t = *impl_;
  if (!t.dbt) return kOk;
  int status = t.beginExclusive();
  if (status < 0) return status;
  t.oldMemo = t.dbt.get();
  status = t.rewrite(keepAll, copyMemos, true);
  t.oldMemo = nullptr;
  t.endExclusive();
  return status;
}

}  // namespace vt::engine
