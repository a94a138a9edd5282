// Internals of Table shared by its source files.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dbf_file.h"
#include "dbt_file.h"
#include "engine.h"
#include "key_expr.h"
#include "ntx_index.h"

namespace vt::engine {

// Byte ranges far beyond any table's end, locked on the .dbf to coordinate
// users: the open range says who has the table open and how, the write range
// serialises changes between users of a shared table.
inline constexpr uint64_t kOpenLockOffset = 0x7FFFFFF0ull;
inline constexpr uint64_t kWriteLockOffset = 0x7FFFFFF1ull;

struct TagState {
  std::string path;  // the .ntx file
  std::unique_ptr<NtxIndex> ntx;
  std::unique_ptr<KeyExpr> expr;
  std::string keyBuf;  // scratch for evaluated keys
};

struct Table::Impl {
  Engine* engine = nullptr;
  Table* self = nullptr;
  std::string name;
  std::string dbfPath;
  std::string dbtPath;
  std::string groupPath;
  AccessMode mode = AccessMode::Shared;
  std::unique_ptr<DbfFile> dbf;
  std::unique_ptr<DbtFile> dbt;
  DbtFile* oldMemo = nullptr;  // the memo file being compressed
  std::vector<std::unique_ptr<Field>> fields;
  std::vector<std::unique_ptr<Tag>> tags;
  std::vector<TagState> tagStates;
  int selected = -1;
  int opDepth = 0;  // nesting of beginOp/endOp
  bool opWrite = false;
  bool readHeld = false;  // holdReads: an operation kept open for reading
  // A pack, zap or memo compression failed part way through renaming its
  // files in: every later operation fails, nothing more is written.
  bool lost = false;

  // The current record: its number, its buffer as changed by field
  // assignments, and its image as stored (to find changed keys).
  uint32_t recno = 0;
  bool eof = true;
  bool bof = true;
  bool loaded = false;
  bool changed = false;
  // A record added by a user holding the table alone is written, with its
  // keys, when it is left: one write and one key per tag instead of two.
  bool pendingAppend = false;
  // A field assignment refused (a number too wide for its field): the next
  // flush drops the record's changes and fails with this status.
  int refused = 0;
  std::vector<char> rec;
  std::vector<char> stored;

  int fail(int status);                       // records the error in the engine, returns status
  int failIn(const TagState& t, int status);  // the same, naming the index file
  bool shared() const { return mode == AccessMode::Shared; }

  // Positioning helpers.
  void setEof();
  int load();  // reads the current record when not yet read
  Result goTo(uint32_t n);
  Result fromCursor(bool onEntry, Result onSuccess);
  int syncCursor();  // puts the selected tag's cursor on the current record
  TagState* selectedState();

  // Writing helpers.
  // Writes the current record if it was added or changed; `writeOut` as for
  // appendRecord. A failed rewrite leaves the buffer as the record stored.
  int flushRecord(bool writeOut = false);
  int dropRefused(bool writeOut);
  // Rewrites the current record over `stored` with its keys; `writeOut` as
  // for appendRecord.
  int rewriteRecord(bool writeOut);
  void takeBackRewrite(bool writeOut);
  // Writes the record added by appendBlank; `writeOut` as for appendRecord.
  int writeAppended(bool writeOut);
  // Appends the record buffer as record *n with its keys. With `writeOut`
  // the table and its indexes are written out too, and a failure anywhere
  // leaves them, in memory and on disk, as they were.
  int appendRecord(uint32_t* n, bool writeOut);
  void takeBackAppend(uint32_t count);
  // Record n's keys in every open index, those of `before` (none for a new
  // record) replaced by those of `rec`; then `store` writes the record. A
  // failure anywhere, a missing old key among them, leaves every index as
  // it was.
  int writeWithKeys(uint32_t n, const std::vector<char>* before, const std::function<int()>& store);
  int changeKeys(uint32_t n, const std::vector<char>* before);
  int flushFiles();
  void evaluateKey(TagState& t, const std::vector<char>& record);

  // Shared-use coordination around one operation.
  // `allTags` brings every index up to date, not only the selected one.
  int beginOp(bool write, bool allTags = false);
  int endOp(bool write, int status);

  // Maintenance helpers.
  int reopenIndexes(const std::vector<std::string>& paths);
  int beginExclusive();  // pack, zap and memo compress need the table alone
  void endExclusive();
  // Writes a copy of the table beside it keeping the records `keep` accepts
  // (with `edit` applied), rebuilds the indexes for it and swaps it in.
  int rewrite(bool (*keep)(const char* record), int (*edit)(Impl& t, char* record), bool withMemo);
  struct IndexBuild {
    std::string target, tagName, expression;
  };
  // Writes the index files `builds` lists from one scan of `source`, the
  // sorting memory shared among them.
  int buildIndexFiles(const std::vector<IndexBuild>& builds, DbfFile& source);
};

// RAII form of beginOp/endOp.
class OpScope {
 public:
  OpScope(Table::Impl& t, bool write) : t_(t), write_(write), status_(t.beginOp(write)) {}
  ~OpScope() { finish(kOk); }
  int status() const { return status_; }
  // Ends the operation early and returns the first failure.
  int finish(int status) {
    if (done_) return status;
    done_ = true;
    if (status_ < 0) return status_;
    return t_.endOp(write_, status);
  }

 private:
  Table::Impl& t_;
  bool write_;
  int status_;
  bool done_ = false;
};

std::string joinPath(const std::string& dir, const std::string& name);

}  // namespace vt::engine
