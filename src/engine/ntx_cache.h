// Index pages in memory. A PagePool holds the 1024-byte frames that every
// open index of an engine draws from, under one budget: frames are taken as
// pages are read, one clock goes over all of them whichever index they
// belong to, and frames that no index holds any more go back to the system.
// A PageCache is one index's view of the pool: an open-addressing table from
// page offset to frame, its list of dirty frames and its pins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "io.h"
#include "ntx_page.h"

namespace vt::engine::ntx {

class PageCache;

class PagePool {
 public:
  // Frames are 1024 bytes; the budget is at least one frame.
  explicit PagePool(size_t budgetFrames);
  ~PagePool();
  PagePool(const PagePool&) = delete;
  PagePool& operator=(const PagePool&) = delete;

  size_t budget() const { return budget_; }
  // Frames holding a page now, and the most that ever did at once.
  size_t framesInUse() const { return inUse_; }
  size_t peakFrames() const { return peak_; }
  // Bytes of frame memory touched and not yet given back to the system.
  size_t residentBytes() const { return resident_ * kChunkFrames * kPageSize; }
  // Drops every clean page that no update holds and gives the memory back:
  // before work that needs memory of its own, such as an index build.
  void shed();

 private:
  friend class PageCache;
  static constexpr size_t kChunkFrames = 64;  // frames given back together

  struct Meta {
    PageCache* owner = nullptr;  // nullptr: frame free
    uint32_t offset = 0;
    uint32_t dirtyAt = 0;  // 0: clean, else its place in the owner's dirty list plus one
    uint16_t pins = 0;
  };
  // Per-frame bits kept apart from Meta so a cache hit writes one byte.
  static constexpr uint8_t kUsed = 1;     // looked up since the clock hand passed
  static constexpr uint8_t kChecked = 2;  // passed the checks of a tree page

  uint8_t* data(int frame) { return base_ + static_cast<size_t>(frame) * kPageSize; }
  // A frame for `owner`'s page at `offset`: a free one, a new one while the
  // budget allows, else the clock's victim (written first when dirty).
  int take(PageCache& owner, uint32_t offset);
  int victim();
  int lowestFree();
  void setFree(int frame, bool free);
  // Frees the frame (its owner has already forgotten it).
  void drop(int frame);
  // Gives back the memory of chunks with no frame in use.
  void giveBack();

  uint8_t* base_ = nullptr;  // address space for the whole budget, touched as used
  size_t budget_;
  std::vector<Meta> meta_;  // the frames used so far, at most budget_
  std::vector<uint8_t> flags_;
  std::vector<uint64_t> freeBits_;  // one bit per frame of meta_: free
  std::vector<uint8_t> chunkResident_;
  size_t freeCount_ = 0;
  size_t inUse_ = 0;
  size_t peak_ = 0;
  size_t resident_ = 0;  // chunks touched and not given back
  size_t hand_ = 0;
};

class PageCache {
 public:
  // Pages of the index in `file`, in frames of `pool`.
  PageCache(PagePool& pool, File& file);
  ~PageCache();  // gives every frame back to the pool
  PageCache(const PageCache&) = delete;
  PageCache& operator=(const PageCache&) = delete;

  // The frame holding the page at `offset`, or -1. Marks it recently used.
  int find(uint32_t offset) {
    size_t i = slotOf(offset);
    while (true) {
      const Slot& s = table_[i];
      if (s.offset == offset) {
        pool_.flags_[s.frame] |= PagePool::kUsed;
        return static_cast<int>(s.frame);
      }
      if (s.offset == 0) return -1;
      i = (i + 1) & mask_;
    }
  }
  // The page at `offset` when it is cached and checked, else nullptr: the
  // hot path of every seek, touching only the table and the flag bytes.
  uint8_t* checkedPage(uint32_t offset) {
    int f = find(offset);
    return f >= 0 && (pool_.flags_[f] & PagePool::kChecked) ? data(f) : nullptr;
  }
  int frameOf(const uint8_t* page) const {
    return static_cast<int>((page - pool_.base_) / kPageSize);
  }
  uint8_t* data(int frame) { return pool_.data(frame); }

  // Takes a frame for a page that is not cached, possibly evicting a page
  // of any index of the pool (a dirty one is written to its file first).
  // Returns the frame, or a negative status: kErrWrite when the victim
  // cannot be written, kErrIndex when every frame is pinned.
  int claim(uint32_t offset);
  // Gives a frame back unused (after a failed read).
  void release(int frame);

  void markDirty(int frame) {
    PagePool::Meta& m = pool_.meta_[frame];
    if (m.dirtyAt != 0) return;
    dirty_.push_back(static_cast<uint32_t>(frame));
    m.dirtyAt = static_cast<uint32_t>(dirty_.size());
  }
  // Puts back the dirty mark a page had before changes that were undone.
  void setDirty(int frame, bool d) {
    if (d) {
      markDirty(frame);
    } else {
      markClean(frame);
    }
  }
  bool isDirty(int frame) const { return pool_.meta_[frame].dirtyAt != 0; }
  // Whether the page in the frame passed the checks of a tree page.
  bool checked(int frame) const { return pool_.flags_[frame] & PagePool::kChecked; }
  void setChecked(int frame, bool c) {
    uint8_t& f = pool_.flags_[frame];
    f = static_cast<uint8_t>(c ? f | PagePool::kChecked : f & ~PagePool::kChecked);
  }
  void pin(int frame) { ++pool_.meta_[frame].pins; }
  void unpin(int frame) {
    if (pool_.meta_[frame].pins > 0) --pool_.meta_[frame].pins;
  }

  // Writes every dirty page in offset order, joining neighbours into larger
  // writes. Pages stay dirty when their write fails. Only the dirty frames
  // are visited, so a flush after a small change stays small.
  int writeDirty();
  // Forgets every page, dirty or not, and gives the frames back.
  void clear();
  // Frames holding this index's pages.
  size_t frames() const { return held_; }

 private:
  friend class PagePool;
  struct Slot {
    uint32_t offset = 0;  // 0: empty (page 0 is the header, never cached)
    uint32_t frame = 0;
  };

  size_t slotOf(uint32_t offset) const {
    uint64_t h = static_cast<uint64_t>(offset / kPageSize) * 0x9E3779B97F4A7C15ull;
    return static_cast<size_t>(h >> shift_);
  }
  void map(uint32_t offset, int frame);
  void unmap(uint32_t offset);
  void insertSlot(uint32_t offset, uint32_t frame);
  void resizeTable(size_t slots);
  void markClean(int frame);
  // Writes the frame's page when dirty and forgets it, for the pool that
  // takes the frame for another page; kErrWrite leaves everything as it was.
  int evict(int frame);

  PagePool& pool_;
  File& file_;
  size_t held_ = 0;
  std::vector<uint32_t> dirty_;  // dirty frames, in no particular order
  std::vector<uint32_t> order_;  // writeDirty's sorted copy of dirty_
  std::vector<uint8_t> run_;     // neighbouring pages joined for one write
  std::vector<Slot> table_;
  size_t mask_ = 0;
  int shift_ = 0;
};

}  // namespace vt::engine::ntx
