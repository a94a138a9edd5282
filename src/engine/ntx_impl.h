// The inside of NtxIndex, shared by the files that implement it: the open
// file, the header fields in use, the page cache and the cursor path.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ntx_cache.h"
#include "ntx_header.h"
#include "ntx_index.h"
#include "ntx_page.h"

namespace vt::engine {

struct NtxIndex::Impl {
  // Deeper trees are taken as malformed (a loop of child pointers ends here).
  static constexpr int kMaxDepth = 64;

  // Pages come from `pool`, or from a pool of `frames` of the index's own
  // when there is none.
  Impl(FileSystem& fs, std::string path, std::unique_ptr<File> file, bool writable,
       ntx::PagePool* pool, size_t frames)
      : fs(fs),
        filePath(std::move(path)),
        file(std::move(file)),
        writable(writable),
        ownPool(pool ? nullptr : std::make_unique<ntx::PagePool>(frames)),
        cache(pool ? *pool : *ownPool, *this->file) {}

  FileSystem& fs;
  std::string filePath;
  std::unique_ptr<File> file;
  bool writable;
  ntx::Header header;
  uint64_t fileEnd = 0;  // pages below this offset exist (on disk or in the cache)
  int height = 0;        // levels; leaves sit at depth height - 1
  std::unique_ptr<ntx::PagePool> ownPool;
  ntx::PageCache cache;
  bool changed = false;           // changes not yet flushed
  bool freeChainChecked = false;  // the free list was walked and holds no loop
  int status = kOk;               // result of the last cursor operation

  const ntx::Layout& layout() const { return header.layout; }
  bool leafDepth(int depth) const { return depth == height - 1; }

  // ---- pages -------------------------------------------------------------
  // Reads a page into the cache and checks it; returns the frame or a
  // negative status.
  int load(uint32_t offset, bool check = true);
  // While the cursor steps through the entries, a page read from the file
  // brings its neighbours in the direction of travel along in the same read:
  // built indexes store their leaves in key order.
  int readAhead = 0;  // pages: > 0 forward, < 0 backward, 0 just the page
  std::vector<uint8_t> readAheadBuf;
  void loadNeighbours(uint32_t offset);
  // The page at `offset` on tree level `depth`, or nullptr (status set) when
  // it cannot be read or does not belong on that level.
  uint8_t* page(uint32_t offset, int depth) {
    uint8_t* p = checkedPage(offset);
    if (p && ntx::isLeaf(p) != leafDepth(depth)) return fail(kErrIndex);
    return p;
  }
  // The page at `offset`, checked but not yet placed on a level.
  uint8_t* checkedPage(uint32_t offset) {
    if (uint8_t* p = cache.checkedPage(offset)) return p;
    int f = load(offset);
    return f < 0 ? fail(f) : cache.data(f);
  }
  uint8_t* fail(int st) {
    status = st;
    return nullptr;
  }
  // Walks down the left edge to learn the tree height.
  int measureHeight();

  // ---- cursor ------------------------------------------------------------
  struct Frame {
    uint32_t page;
    int slot;  // entry index on the top frame, child index below it
  };
  enum class Off { None, Before, After };
  Frame path[kMaxDepth];
  int depth = 0;  // frames in path; 0 = not on an entry
  Off off = Off::None;
  uint8_t curKey[256];
  uint32_t curRecno = 0;
  int direction = 0;     // of the moves since the last positioning: 1, -1, 0
  uint64_t entered = 0;  // pages entered by those moves

  void invalidate(Off where = Off::None) {
    depth = 0;
    off = where;
  }
  void startPass(int dir);
  bool descendEdge(uint32_t offset, bool right);
  bool settleForward();
  bool settleBackward();
  bool capture();
  bool copyEntry(const uint8_t* p, int slot);
  // Ends a move: a failed read leaves the cursor on no entry.
  bool moved(bool ok);
  bool first();
  bool last();
  bool next();
  bool prev();
  SeekResult seek(const uint8_t* k, size_t n);
  // Positions on the first entry >= (k) comparing all n bytes; Eof when none.
  bool lowerBound(const uint8_t* k, size_t n);
  bool locate(const uint8_t* k, uint32_t rec);
  double position();
  bool positionTo(double fraction);
  int walk(void* ctx, bool (*fn)(void*, std::string_view, uint32_t));

  // ---- updates -----------------------------------------------------------
  // An update pins every page it touches (path, neighbours, new pages) before
  // it changes any of them, so no read can fail half-way through a change.
  struct NewPage {
    int frame;
    uint32_t offset;
  };
  int frameAt[kMaxDepth];        // pinned frame of path[d].page
  std::vector<int> pinned;       // frames held by the running update
  std::vector<NewPage> spare;    // pages taken ahead for splits
  std::vector<uint8_t> scratch;  // item lists while splitting and merging
  std::vector<uint8_t> carry;    // an item moving up to the parent level

  int checkWritable(std::string_view key) const;
  uint8_t* pinPage(uint32_t offset, int depth, int* frame);
  void unpinAll();
  void dirty(int frame) {
    cache.markDirty(frame);
    changed = true;
  }
  int allocPage(NewPage* out);
  int checkFreeChain();
  void freePage(int frame, uint32_t offset);

  int insert(const uint8_t* k, uint32_t rec);
  int descendForInsert(const uint8_t* k);
  int reserveSplitPages();
  void insertAt(int level, int slot, uint32_t childOffset, uint32_t rec, const uint8_t* k);
  void growRoot(uint32_t left, uint32_t rec, const uint8_t* k);

  int remove(const uint8_t* k, uint32_t rec);
  int removeAtCursor();
  int pinPredecessorPath(int top, int* leaf);
  int prefetchForRemove(int leaf);
  void fixUnderflow(int level);
  void borrowLeft(uint8_t* parent, int c, uint8_t* left, uint8_t* page);
  void borrowRight(uint8_t* parent, int c, uint8_t* page, uint8_t* right);
  void merge(int parentFrame, int sep, int leftFrame, int rightFrame);
  void shrinkRoot();

  int flush();
  int refresh(bool* changedOut);

  // ---- changes kept or undone together -------------------------------------
  // A page changed since beginChanges(): its frame (pinned until the changes
  // end) and what to put back.
  struct Before {
    int frame;
    bool fresh;  // taken at the end of the file: dropped on undo
    bool dirty;
    bool checked;
    size_t image;  // offset of its earlier bytes in beforeImages
  };
  // The header fields and counters updates change.
  struct BeforeHeader {
    uint32_t root, freeHead;
    uint64_t fileEnd;
    int height;
    bool changed, freeChainChecked;
  };
  bool keepingBefore = false;
  // A flush ran since beginChanges(): undone pages differ from the file.
  bool flushedInChanges = false;
  std::vector<Before> before;
  std::vector<uint8_t> beforeImages;
  BeforeHeader beforeHeader{};
  void keepBefore(int frame, bool fresh);
  void beginChanges();
  void endChanges(bool undo);
};

}  // namespace vt::engine
