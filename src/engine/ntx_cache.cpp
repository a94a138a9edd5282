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
      meta_(frames),
      flags_(frames) {
  size_t size = 16;
  int bits = 4;
  while (size < frames * 2) {
    size *= 2;
    ++bits;
  }
  table_.resize(size);
  mask_ = size - 1;
  shift_ = 64 - bits;
}

int PageCache::victim() {
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
    if (m.dirty && !file.write(m.offset, data(f), kPageSize)) return kErrWrite;
    unmap(m.offset);
  }
  m = Meta{offset, false, 0};
  flags_[f] = kUsed;
  size_t i = slotOf(offset);
  while (table_[i].offset != 0) i = (i + 1) & mask_;
  table_[i] = Slot{offset, static_cast<uint32_t>(f)};
  return f;
}

void PageCache::release(int frame) {
  unmap(meta_[frame].offset);
  meta_[frame] = Meta{};
  flags_[frame] = 0;
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

bool PageCache::anyDirty() const {
  return std::any_of(meta_.begin(), meta_.end(), [](const Meta& m) { return m.dirty; });
}

int PageCache::writeDirty(File& file) {
  std::vector<uint32_t> frames;
  for (size_t f = 0; f < meta_.size(); ++f) {
    if (meta_[f].dirty) frames.push_back(static_cast<uint32_t>(f));
  }
  std::sort(frames.begin(), frames.end(),
            [this](uint32_t a, uint32_t b) { return meta_[a].offset < meta_[b].offset; });
  constexpr size_t kRunPages = 64;
  std::vector<uint8_t> run;
  size_t i = 0;
  while (i < frames.size()) {
    size_t j = i + 1;
    while (j < frames.size() && j - i < kRunPages &&
           meta_[frames[j]].offset == meta_[frames[j - 1]].offset + kPageSize) {
      ++j;
    }
    run.resize((j - i) * kPageSize);
    for (size_t k = i; k < j; ++k)
      std::memcpy(&run[(k - i) * kPageSize], data(frames[k]), kPageSize);
    if (!file.write(meta_[frames[i]].offset, run.data(), run.size())) return kErrWrite;
    for (size_t k = i; k < j; ++k) meta_[frames[k]].dirty = false;
    i = j;
  }
  return kOk;
}

void PageCache::clear() {
  std::fill(meta_.begin(), meta_.end(), Meta{});
  std::fill(flags_.begin(), flags_.end(), 0);
  std::fill(table_.begin(), table_.end(), Slot{});
  hand_ = 0;
}

}  // namespace vt::engine::ntx
