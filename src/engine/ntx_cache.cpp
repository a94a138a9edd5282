#include "ntx_cache.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "status.h"

namespace vt::engine::ntx {

namespace {

constexpr size_t kHugePage = 2u << 20;
// Below this a cache fits the address translation cache anyway, and huge
// pages would only commit memory that a small index never touches.
constexpr size_t kHugeArena = 16u << 20;

// The frames in one block. A large cache is aligned for huge pages where the
// system offers them: a seek touches pages all over it, and with small pages
// most of those touches would also miss the address translation cache.
uint8_t* allocateArena(size_t bytes) {
  if (bytes < kHugeArena) return static_cast<uint8_t*>(::operator new(bytes));
  size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* p = std::aligned_alloc(kHugePage, rounded);
  if (!p) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  madvise(p, rounded, MADV_HUGEPAGE);
#endif
  return static_cast<uint8_t*>(p);
}

}  // namespace

void PageCache::FreeArena::operator()(uint8_t* p) const {
  if (large) {
    std::free(p);
  } else {
    ::operator delete(p);
  }
}

PageCache::PageCache(size_t frames)
    : data_(allocateArena(frames * kPageSize), FreeArena{frames * kPageSize >= kHugeArena}),
      budget_(frames),
      table_(16) {
  mask_ = table_.size() - 1;
  shift_ = 64 - 4;
}

// Doubles the table, keeping it at most half full as frames come into use.
void PageCache::growTable() {
  table_.assign(table_.size() * 2, Slot{});
  mask_ = table_.size() - 1;
  --shift_;
  for (size_t f = 0; f < meta_.size(); ++f) {
    if (meta_[f].offset != 0) insertSlot(meta_[f].offset, static_cast<uint32_t>(f));
  }
}

void PageCache::insertSlot(uint32_t offset, uint32_t frame) {
  size_t i = slotOf(offset);
  while (table_[i].offset != 0) i = (i + 1) & mask_;
  table_[i] = Slot{offset, frame};
}

// A frame never used while the budget allows one, else the clock's choice.
int PageCache::victim() {
  if (meta_.size() < budget_) {
    meta_.emplace_back();
    flags_.push_back(0);
    if (meta_.size() * 2 > table_.size()) growTable();
    return static_cast<int>(meta_.size() - 1);
  }
  size_t n = meta_.size();
  for (size_t step = 0; step < 2 * n + 1; ++step) {
    size_t f = hand_;
    hand_ = (hand_ + 1) % n;
    Meta& m = meta_[f];
    if (m.offset == 0) return static_cast<int>(f);
    if (m.pins > 0) continue;
    if (flags_[f] & kUsed) {
      flags_[f] &= static_cast<uint8_t>(~kUsed);
      continue;
    }
    return static_cast<int>(f);
  }
  return -1;
}

int PageCache::claim(uint32_t offset, File& file) {
  int f = victim();
  if (f < 0) return kErrIndex;
  Meta& m = meta_[f];
  if (m.offset != 0) {
    if (m.dirtyAt != 0) {
      if (!file.write(m.offset, data(f), kPageSize)) return kErrWrite;
      markClean(f);
    }
    unmap(m.offset);
  }
  m = Meta{offset, 0, 0};
  flags_[f] = kUsed;
  insertSlot(offset, static_cast<uint32_t>(f));
  return f;
}

void PageCache::release(int frame) {
  markClean(frame);
  unmap(meta_[frame].offset);
  meta_[frame] = Meta{};
  flags_[frame] = 0;
}

// Takes the frame off the dirty list, moving the last entry into its place.
void PageCache::markClean(int frame) {
  Meta& m = meta_[frame];
  if (m.dirtyAt == 0) return;
  uint32_t last = dirty_.back();
  dirty_[m.dirtyAt - 1] = last;
  meta_[last].dirtyAt = m.dirtyAt;
  dirty_.pop_back();
  m.dirtyAt = 0;
}

// Removes a mapping with backward-shift deletion, so that lookups never need
// tombstones.
void PageCache::unmap(uint32_t offset) {
  size_t i = slotOf(offset);
  while (table_[i].offset != offset) {
    if (table_[i].offset == 0) return;
    i = (i + 1) & mask_;
  }
  size_t hole = i;
  for (size_t j = (hole + 1) & mask_; table_[j].offset != 0; j = (j + 1) & mask_) {
    size_t home = slotOf(table_[j].offset);
    // Entry j may move into the hole when its home is not in (hole, j].
    bool stays = hole < j ? (home > hole && home <= j) : (home > hole || home <= j);
    if (stays) continue;
    table_[hole] = table_[j];
    hole = j;
  }
  table_[hole] = Slot{};
}

int PageCache::writeDirty(File& file) {
  order_.assign(dirty_.begin(), dirty_.end());
  std::sort(order_.begin(), order_.end(),
            [this](uint32_t a, uint32_t b) { return meta_[a].offset < meta_[b].offset; });
  constexpr size_t kRunPages = 64;
  size_t i = 0;
  while (i < order_.size()) {
    size_t j = i + 1;
    while (j < order_.size() && j - i < kRunPages &&
           meta_[order_[j]].offset == meta_[order_[j - 1]].offset + kPageSize) {
      ++j;
    }
    const uint8_t* bytes = data(static_cast<int>(order_[i]));
    if (j - i > 1) {
      run_.resize((j - i) * kPageSize);
      for (size_t k = i; k < j; ++k)
        std::memcpy(&run_[(k - i) * kPageSize], data(static_cast<int>(order_[k])), kPageSize);
      bytes = run_.data();
    }
    if (!file.write(meta_[order_[i]].offset, bytes, (j - i) * kPageSize)) return kErrWrite;
    for (size_t k = i; k < j; ++k) markClean(static_cast<int>(order_[k]));
    i = j;
  }
  return kOk;
}

void PageCache::clear() {
  meta_.clear();
  flags_.clear();
  dirty_.clear();
  std::fill(table_.begin(), table_.end(), Slot{});
  hand_ = 0;
}

}  // namespace vt::engine::ntx
