// A bounded cache of 1024-byte index pages: an array of frames, an
// open-addressing table from page offset to frame, clock replacement, a list
// of the dirty frames and pins for pages an update still holds. Frames and
// the table grow with use up to the budget, so opening an index costs little
// whatever its budget.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "io.h"
#include "ntx_page.h"

namespace vt::engine::ntx {

class PageCache {
 public:
  explicit PageCache(size_t frames);

  // The frame holding the page at `offset`, or -1. Marks it recently used.
  int find(uint32_t offset) {
    size_t i = slotOf(offset);
    while (true) {
      const Slot& s = table_[i];
      if (s.offset == offset) {
        flags_[s.frame] |= kUsed;
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
    return f >= 0 && (flags_[f] & kChecked) ? data(f) : nullptr;
  }
  int frameOf(const uint8_t* page) const {
    return static_cast<int>((page - data_.get()) / kPageSize);
  }
  uint8_t* data(int frame) { return data_.get() + static_cast<size_t>(frame) * kPageSize; }

  // Takes a frame for a page that is not cached, evicting another page (a
  // dirty one is written to `file` first). Returns the frame, or a negative
  // status: kErrWrite when the victim cannot be written, kErrIndex when
  // every frame is pinned.
  int claim(uint32_t offset, File& file);
  // Gives a frame back unused (after a failed read).
  void release(int frame);

  void markDirty(int frame) {
    Meta& m = meta_[frame];
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
  bool isDirty(int frame) const { return meta_[frame].dirtyAt != 0; }
  // Whether the page in the frame passed the checks of a tree page.
  bool checked(int frame) const { return flags_[frame] & kChecked; }
  void setChecked(int frame, bool c) {
    flags_[frame] = static_cast<uint8_t>(c ? flags_[frame] | kChecked : flags_[frame] & ~kChecked);
  }
  void pin(int frame) { ++meta_[frame].pins; }
  void unpin(int frame) {
    if (meta_[frame].pins > 0) --meta_[frame].pins;
  }

  // Writes every dirty page in offset order, joining neighbours into larger
  // writes. Pages stay dirty when their write fails. Only the dirty frames
  // are visited, so a flush after a small change stays small.
  int writeDirty(File& file);
  // Forgets every page, dirty or not.
  void clear();

 private:
  struct Slot {
    uint32_t offset = 0;  // 0: empty (page 0 is the header, never cached)
    uint32_t frame = 0;
  };
  struct Meta {
    uint32_t offset = 0;   // 0: frame unused
    uint32_t dirtyAt = 0;  // 0: clean, else its place in dirty_ plus one
    uint16_t pins = 0;
  };
  // Per-frame bits kept apart from Meta so a cache hit writes one byte.
  static constexpr uint8_t kUsed = 1;     // looked up since the clock hand passed
  static constexpr uint8_t kChecked = 2;  // passed the checks of a tree page

  size_t slotOf(uint32_t offset) const {
    uint64_t h = static_cast<uint64_t>(offset / kPageSize) * 0x9E3779B97F4A7C15ull;
    return static_cast<size_t>(h >> shift_);
  }
  void unmap(uint32_t offset);
  void insertSlot(uint32_t offset, uint32_t frame);
  void growTable();
  int victim();
  void markClean(int frame);

  struct FreeArena {
    bool large = false;  // allocated aligned for huge pages
    void operator()(uint8_t* p) const;
  };
  std::unique_ptr<uint8_t[], FreeArena> data_;
  size_t budget_;           // frames the arena holds
  std::vector<Meta> meta_;  // the frames in use so far, at most budget_
  std::vector<uint8_t> flags_;
  std::vector<uint32_t> dirty_;  // dirty frames, in no particular order
  std::vector<uint32_t> order_;  // writeDirty's sorted copy of dirty_
  std::vector<uint8_t> run_;     // neighbouring pages joined for one write
  std::vector<Slot> table_;
  size_t mask_ = 0;
  int shift_ = 0;
  size_t hand_ = 0;
};

}  // namespace vt::engine::ntx
