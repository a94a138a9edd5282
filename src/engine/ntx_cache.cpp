#include "ntx_cache.h"

#include <sys/mman.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#include "status.h"

namespace vt::engine::ntx {

namespace {

constexpr size_t kFirstSlots = 16;

}  // namespace

// ---- PagePool ------------------------------------------------------------------

// The whole budget is reserved as address space up front, so a frame's
// address is a multiplication; the system commits memory only for the
// frames actually touched, and takes it back chunk by chunk in giveBack().
PagePool::PagePool(size_t budgetFrames) : budget_(std::max<size_t>(budgetFrames, 1)) {
  size_t chunks = (budget_ + kChunkFrames - 1) / kChunkFrames;
  void* p = mmap(nullptr, chunks * kChunkFrames * kPageSize, PROT_READ | PROT_WRITE,
                 MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (p == MAP_FAILED) throw std::bad_alloc();
  base_ = static_cast<uint8_t*>(p);
  chunkResident_.assign(chunks, 0);
}

PagePool::~PagePool() {
  munmap(base_, chunkResident_.size() * kChunkFrames * kPageSize);
}

void PagePool::setFree(int frame, bool free) {
  uint64_t bit = uint64_t{1} << (frame % kChunkFrames);
  uint64_t& word = freeBits_[frame / kChunkFrames];
  word = free ? word | bit : word & ~bit;
}

int PagePool::lowestFree() {
  for (size_t w = 0; w < freeBits_.size(); ++w) {
    if (freeBits_[w] != 0)
      return static_cast<int>(w * kChunkFrames + std::countr_zero(freeBits_[w]));
  }
  return -1;
}

// The clock over every frame in use, whichever index holds it: a page looked
// up since the hand last passed gets a second chance, pinned pages are
// skipped.
int PagePool::victim() {
  size_t n = meta_.size();
  for (size_t step = 0; step < 2 * n + 1; ++step) {
    size_t f = hand_;
    hand_ = (hand_ + 1) % n;
    if (meta_[f].pins > 0) continue;
    if (flags_[f] & kUsed) {
      flags_[f] &= static_cast<uint8_t>(~kUsed);
      continue;
    }
    return static_cast<int>(f);
  }
  return -1;
}

int PagePool::take(PageCache& owner, uint32_t offset) {
  int f;
  if (freeCount_ > 0) {
    f = lowestFree();
    setFree(f, false);
    --freeCount_;
    ++inUse_;
  } else if (meta_.size() < budget_) {
    f = static_cast<int>(meta_.size());
    meta_.emplace_back();
    flags_.push_back(0);
    if (f % kChunkFrames == 0) freeBits_.push_back(0);
    ++inUse_;
  } else {
    f = victim();
    if (f < 0) return kErrIndex;
    int st = meta_[f].owner->evict(f);
    if (st < 0) return st;
  }
  meta_[f] = Meta{&owner, offset, 0, 0};
  flags_[f] = kUsed;
  uint8_t& resident = chunkResident_[f / kChunkFrames];
  if (!resident) {
    resident = 1;
    ++resident_;
  }
  peak_ = std::max(peak_, inUse_);
  return f;
}

void PagePool::drop(int frame) {
  meta_[frame] = Meta{};
  flags_[frame] = 0;
  setFree(frame, true);
  ++freeCount_;
  --inUse_;
}

void PagePool::giveBack() {
  for (size_t c = 0; c < chunkResident_.size(); ++c) {
    if (!chunkResident_[c]) continue;
    size_t used = std::min(kChunkFrames, meta_.size() - c * kChunkFrames);
    uint64_t all = used == kChunkFrames ? ~uint64_t{0} : (uint64_t{1} << used) - 1;
    if ((freeBits_[c] & all) != all) continue;
    madvise(base_ + c * kChunkFrames * kPageSize, kChunkFrames * kPageSize, MADV_DONTNEED);
    chunkResident_[c] = 0;
    --resident_;
  }
}

void PagePool::shed() {
  for (size_t f = 0; f < meta_.size(); ++f) {
    Meta& m = meta_[f];
    if (!m.owner || m.pins > 0 || m.dirtyAt != 0) continue;
    m.owner->unmap(m.offset);
    --m.owner->held_;
    drop(static_cast<int>(f));
  }
  giveBack();
}

// ---- PageCache -----------------------------------------------------------------

PageCache::PageCache(PagePool& pool, File& file)
    : pool_(pool), file_(file), table_(kFirstSlots), mask_(kFirstSlots - 1), shift_(64 - 4) {}

PageCache::~PageCache() {
  clear();
}

// Sizes the table to `slots` (a power of two), keeping it at most half full
// as frames come and go.
void PageCache::resizeTable(size_t slots) {
  std::vector<Slot> old(slots);
  old.swap(table_);
  mask_ = slots - 1;
  shift_ = 64 - std::countr_zero(slots);
  for (const Slot& s : old) {
    if (s.offset != 0) insertSlot(s.offset, s.frame);
  }
}

void PageCache::insertSlot(uint32_t offset, uint32_t frame) {
  size_t i = slotOf(offset);
  while (table_[i].offset != 0) i = (i + 1) & mask_;
  table_[i] = Slot{offset, frame};
}

void PageCache::map(uint32_t offset, int frame) {
  ++held_;
  if (held_ * 2 > table_.size()) resizeTable(table_.size() * 2);
  insertSlot(offset, static_cast<uint32_t>(frame));
}

int PageCache::evict(int frame) {
  PagePool::Meta& m = pool_.meta_[frame];
  if (m.dirtyAt != 0) {
    if (!file_.write(m.offset, data(frame), kPageSize)) return kErrWrite;
    markClean(frame);
  }
  unmap(m.offset);
  --held_;
  return kOk;
}

int PageCache::claim(uint32_t offset) {
  int f = pool_.take(*this, offset);
  if (f >= 0) map(offset, f);
  return f;
}

void PageCache::release(int frame) {
  markClean(frame);
  unmap(pool_.meta_[frame].offset);
  --held_;
  pool_.drop(frame);
}

// Takes the frame off the dirty list, moving the last entry into its place.
void PageCache::markClean(int frame) {
  PagePool::Meta& m = pool_.meta_[frame];
  if (m.dirtyAt == 0) return;
  uint32_t last = dirty_.back();
  dirty_[m.dirtyAt - 1] = last;
  pool_.meta_[last].dirtyAt = m.dirtyAt;
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

int PageCache::writeDirty() {
  const std::vector<PagePool::Meta>& meta = pool_.meta_;
  order_.assign(dirty_.begin(), dirty_.end());
  std::sort(order_.begin(), order_.end(),
            [&meta](uint32_t a, uint32_t b) { return meta[a].offset < meta[b].offset; });
  constexpr size_t kRunPages = 64;
  size_t i = 0;
  while (i < order_.size()) {
    size_t j = i + 1;
    while (j < order_.size() && j - i < kRunPages &&
           meta[order_[j]].offset == meta[order_[j - 1]].offset + kPageSize) {
      ++j;
    }
    const uint8_t* bytes = data(static_cast<int>(order_[i]));
    if (j - i > 1) {
      run_.resize((j - i) * kPageSize);
      for (size_t k = i; k < j; ++k)
        std::memcpy(&run_[(k - i) * kPageSize], data(static_cast<int>(order_[k])), kPageSize);
      bytes = run_.data();
    }
    if (!file_.write(meta[order_[i]].offset, bytes, (j - i) * kPageSize)) return kErrWrite;
    for (size_t k = i; k < j; ++k) markClean(static_cast<int>(order_[k]));
    i = j;
  }
  return kOk;
}

void PageCache::clear() {
  for (const Slot& s : table_) {
    if (s.offset != 0) pool_.drop(static_cast<int>(s.frame));
  }
  dirty_.clear();
  held_ = 0;
  std::vector<Slot>(kFirstSlots).swap(table_);
  mask_ = kFirstSlots - 1;
  shift_ = 64 - 4;
  pool_.giveBack();
}

}  // namespace vt::engine::ntx
