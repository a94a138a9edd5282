// A Clipper .ntx index: one key expression, a B-tree of 1024-byte pages whose
// interior items are real entries. Pages are read through a bounded cache.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "io.h"
#include "status.h"

namespace vt::engine {

namespace ntx {
class PagePool;
}

struct NtxInfo {
  std::string expression;  // key expression text, stored in the header
  std::string tagName;     // stored at offset 538 (up to 11 characters)
  uint16_t keyLength = 0;
};

// Items per page as the Clipper-compatible drivers compute it.
uint16_t ntxMaxItems(uint16_t keyLength);

class NtxIndex {
 public:
  static constexpr uint32_t kPageSize = 1024;

  // Opens and validates an index. A malformed file gives kErrIndex and
  // nothing is written. cachePages bounds the memory of the page cache.
  static int open(FileSystem& fs, const std::string& path, bool writable,
                  std::unique_ptr<NtxIndex>* out, size_t cachePages = 4096);
  // The same, with the pages kept in `pool` under the budget it shares with
  // the other indexes open in it. The pool must outlive the index.
  static int open(FileSystem& fs, const std::string& path, bool writable,
                  std::unique_ptr<NtxIndex>* out, ntx::PagePool& pool);
  ~NtxIndex();

  const NtxInfo& info() const;
  uint16_t keyLength() const;

  // ---- cursor ------------------------------------------------------------
  // The cursor sits on one entry or is off the end. Moving functions return
  // true when on an entry afterwards.
  enum class SeekResult { Exact, After, Eof };
  // Positions on the first entry whose first `key.size()` bytes are >= key
  // (key may be shorter than keyLength: a prefix seek; longer is cut).
  // Exact when that entry's prefix equals key.
  SeekResult seek(std::string_view key);
  bool first();
  bool last();
  bool next();
  bool prev();
  bool valid() const;
  // kOk, or why the last move, seek or walk stopped: kErrIndex for a
  // malformed page, kErrRead / kErrWrite for an I/O error in the cache.
  int status() const;
  uint32_t recno() const;        // entry under the cursor
  std::string_view key() const;  // keyLength bytes
  // Positions on the entry (key, recno); false if there is none.
  bool locate(std::string_view key, uint32_t recno);
  // Fraction 0..1 of the cursor in key order (0 on the first entry, 1 on the
  // last), computed from the cursor path without walking the entries.
  double position() const;
  // Positions on the entry nearest to the fraction (0..1), without walking.
  bool positionTo(double fraction);

  // ---- updates (each keeps the tree valid; the cursor becomes invalid) ---
  // Adds after all entries with an equal key.
  int insert(std::string_view key, uint32_t recno);
  // Removes the entry (key, recno); kErrIndex if it is not there.
  int remove(std::string_view key, uint32_t recno);
  // Writes dirty pages and the header (with its update counter increased
  // once per flush that follows changes).
  int flush();

  // ---- changes kept or undone together -------------------------------------
  // From beginChanges() on, each page an update changes keeps its earlier
  // image in memory, so that undoChanges() puts the index back as it was,
  // reading and writing nothing; commitChanges() keeps the changes. Changes
  // flushed before they are undone are put back in the file by the next
  // flush() (pages added at the end stay there, unused). A table uses this
  // to change a record's keys in all of its indexes or in none.
  void beginChanges();
  void commitChanges();
  void undoChanges();
  // For shared use: re-reads the header; when another writer changed the
  // index (update counter, root or free list differ), drops the cache and the
  // cursor and sets *changed.
  int refresh(bool* changed);

  // Every entry in order, for checks: calls fn(key, recno) until it returns
  // false. Reports kErrIndex on a malformed page or a loop.
  template <class Fn>
  int forEach(Fn fn);

  // ---- bulk build --------------------------------------------------------
  // Takes (key, recno) pairs in any order, sorts them (spilling sorted runs to
  // a temporary file beside `path` when they exceed memoryBudget bytes) and
  // writes a complete index file at `path` with pages filled bottom-up and
  // written sequentially. Equal keys end up in recno order.
  class Builder {
   public:
    Builder(FileSystem& fs, std::string path, NtxInfo info, size_t memoryBudget = 40u << 20);
    ~Builder();
    // Says how many entries will come, so memory is taken once instead of
    // growing (a growing buffer briefly holds its old and new copies).
    void expect(size_t entries);
    int add(std::string_view key, uint32_t recno);
    int finish();  // writes and syncs the file; kErrWrite etc. on failure

    struct Impl;

   private:
    std::unique_ptr<Impl> impl_;
  };

  struct Impl;

 private:
  explicit NtxIndex(std::unique_ptr<Impl> impl);
  static int openIn(FileSystem& fs, const std::string& path, bool writable,
                    std::unique_ptr<NtxIndex>* out, ntx::PagePool* pool, size_t cachePages);
  int walk(void* ctx, bool (*fn)(void*, std::string_view, uint32_t));
  std::unique_ptr<Impl> impl_;
};

template <class Fn>
int NtxIndex::forEach(Fn fn) {
  return walk(&fn,
              [](void* c, std::string_view k, uint32_t r) { return (*static_cast<Fn*>(c))(k, r); });
}

}  // namespace vt::engine
