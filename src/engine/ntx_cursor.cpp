// NtxIndex: moving the cursor. The cursor is the path of (page, slot) pairs
// from the root; moves walk that path instead of starting again at the root.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "ntx_impl.h"

namespace vt::engine {

using namespace ntx;

namespace {

// First slot whose key is >= k (first n bytes compared).
int lowerBoundIn(const uint8_t* p, const uint8_t* k, size_t n) {
  int lo = 0, hi = count(p);
  while (lo < hi) {
    int mid = (lo + hi) >> 1;
    if (compareKeys(ntx::key(p, mid), k, n) < 0) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

// Asks for all lines of a page at once: the binary search then waits for
// memory about once per page instead of once per probe.
void prefetchPage(const uint8_t* p) {
  for (uint32_t at = 0; at < kPageSize; at += 64) __builtin_prefetch(p + at);
}

}  // namespace

// Pushes frames from the page at `offset` down its left or right edge to a
// leaf, below the frames already on the path.
bool NtxIndex::Impl::descendEdge(uint32_t offset, bool right) {
  for (int d = depth;; ++d) {
    // One pass in one direction enters each page of a sound tree once; more
    // means pages shared between parents, which could make a walk endless.
    if (++entered > fileEnd / kPageSize) {
      fail(kErrIndex);
      return false;
    }
    uint8_t* p = page(offset, d);
    if (!p) return false;
    int n = count(p);
    if (leafDepth(d)) {
      path[d] = Frame{offset, right ? n - 1 : 0};
      depth = d + 1;
      return true;
    }
    int slot = right ? n : 0;
    path[d] = Frame{offset, slot};
    offset = child(p, slot);
  }
}

// From a slot that may be past the end of its page, climbs to the next entry.
bool NtxIndex::Impl::settleForward() {
  while (true) {
    const Frame& t = path[depth - 1];
    uint8_t* p = page(t.page, depth - 1);
    if (!p) return false;
    if (t.slot < count(p)) return true;
    if (--depth == 0) {
      off = Off::After;
      return false;
    }
  }
}

// From a slot before the start of its page, climbs to the previous entry.
bool NtxIndex::Impl::settleBackward() {
  while (path[depth - 1].slot < 0) {
    if (--depth == 0) {
      off = Off::Before;
      return false;
    }
    // Coming back up from child c: the entry before it is c - 1.
    path[depth - 1].slot -= 1;
  }
  return true;
}

bool NtxIndex::Impl::capture() {
  const Frame& t = path[depth - 1];
  uint8_t* p = page(t.page, depth - 1);
  return p && copyEntry(p, t.slot);
}

bool NtxIndex::Impl::copyEntry(const uint8_t* p, int slot) {
  const uint8_t* it = item(p, slot);
  std::memcpy(curKey, it + 8, layout().keyLength);
  curRecno = rd32(it + 4);
  off = Off::None;
  return true;
}

bool NtxIndex::Impl::moved(bool ok) {
  if (!ok && status < 0) invalidate();
  return ok;
}

void NtxIndex::Impl::startPass(int dir) {
  if (direction != dir) entered = 0;
  direction = dir;
}

bool NtxIndex::Impl::first() {
  status = kOk;
  depth = 0;
  direction = 0;
  startPass(1);
  return moved(descendEdge(header.root, false) && settleForward() && capture());
}

bool NtxIndex::Impl::last() {
  status = kOk;
  depth = 0;
  direction = 0;
  startPass(-1);
  return moved(descendEdge(header.root, true) && settleBackward() && capture());
}

namespace {

constexpr int kWalkReadAhead = 16;

// Read-ahead in one direction for the length of one cursor step.
class ReadAhead {
 public:
  ReadAhead(int& setting, int pages) : setting_(setting) { setting_ = pages; }
  ~ReadAhead() { setting_ = 0; }
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

 private:
  int& setting_;
};

}  // namespace

bool NtxIndex::Impl::next() {
  ReadAhead ahead(readAhead, kWalkReadAhead);
  status = kOk;
  if (depth == 0) return off == Off::Before ? first() : false;
  startPass(1);
  Frame& t = path[depth - 1];
  if (leafDepth(depth - 1)) {
    // Most steps stay on the leaf: one page lookup for them.
    t.slot += 1;
    uint8_t* p = page(t.page, depth - 1);
    if (!p) return moved(false);
    if (t.slot < count(p)) return copyEntry(p, t.slot);
    return moved(settleForward() && capture());
  }
  uint8_t* p = page(t.page, depth - 1);
  if (!p) return moved(false);
  t.slot += 1;
  return moved(descendEdge(child(p, t.slot), false) && settleForward() && capture());
}

bool NtxIndex::Impl::prev() {
  ReadAhead ahead(readAhead, -kWalkReadAhead);
  status = kOk;
  if (depth == 0) return off == Off::After ? last() : false;
  startPass(-1);
  Frame& t = path[depth - 1];
  if (leafDepth(depth - 1)) {
    t.slot -= 1;
    if (t.slot >= 0) {
      uint8_t* p = page(t.page, depth - 1);
      return moved(p && copyEntry(p, t.slot));
    }
    return moved(settleBackward() && capture());
  }
  uint8_t* p = page(t.page, depth - 1);
  return moved(p && descendEdge(child(p, t.slot), true) && settleBackward() && capture());
}

// The hot path of seek: one table lookup and a binary search per level; the
// level check uses the child pointer the search ends on.
bool NtxIndex::Impl::lowerBound(const uint8_t* k, size_t n) {
  status = kOk;
  depth = 0;
  direction = 0;
  uint32_t offset = header.root;
  for (int d = 0;; ++d) {
    uint8_t* p = checkedPage(offset);
    if (!p) return moved(false);
    prefetchPage(p);
    int slot = lowerBoundIn(p, k, n);
    uint32_t below = child(p, slot);
    if ((below == 0) != leafDepth(d)) {
      fail(kErrIndex);
      return moved(false);
    }
    path[d] = Frame{offset, slot};
    if (below == 0) {
      depth = d + 1;
      if (slot < count(p)) return copyEntry(p, slot);
      return moved(settleForward() && capture());
    }
    offset = below;
  }
}

NtxIndex::SeekResult NtxIndex::Impl::seek(const uint8_t* k, size_t n) {
  if (!lowerBound(k, n)) return SeekResult::Eof;
  return std::memcmp(curKey, k, n) == 0 ? SeekResult::Exact : SeekResult::After;
}

bool NtxIndex::Impl::locate(const uint8_t* k, uint32_t rec) {
  size_t n = layout().keyLength;
  for (bool on = lowerBound(k, n); on && std::memcmp(curKey, k, n) == 0; on = next()) {
    if (curRecno == rec) return true;
  }
  return false;
}

// Each page splits its share of 0..1 evenly among its children; an interior
// entry sits on the border between its two children, a leaf entry in the
// middle of its own share. The first and last entries are pinned to 0 and 1.
double NtxIndex::Impl::position() {
  if (depth == 0) return off == Off::After ? 1.0 : 0.0;
  double lo = 0.0, width = 1.0, pos = 0.0;
  bool atFirst = true, atLast = true;
  for (int d = 0; d < depth; ++d) {
    uint8_t* p = page(path[d].page, d);
    if (!p) return 0.0;
    int n = count(p), s = path[d].slot;
    bool top = d == depth - 1;
    atFirst = atFirst && s == 0 && (!top || leafDepth(d));
    atLast = atLast && s == (leafDepth(d) ? n - 1 : n) && (!top || leafDepth(d));
    if (!top) {
      width /= n + 1;
      lo += s * width;
    } else if (leafDepth(d)) {
      pos = lo + width * (s + 0.5) / n;
    } else {
      pos = lo + width * (s + 1) / (n + 1);
    }
  }
  if (atFirst) return 0.0;
  if (atLast) return 1.0;
  return std::clamp(pos, 0.0, 1.0);
}

bool NtxIndex::Impl::positionTo(double fraction) {
  status = kOk;
  depth = 0;
  direction = 0;
  double f = std::clamp(fraction, 0.0, 1.0), lo = 0.0, width = 1.0;
  uint32_t offset = header.root;
  for (int d = 0;; ++d) {
    uint8_t* p = page(offset, d);
    if (!p) return moved(false);
    int n = count(p);
    int parts = leafDepth(d) ? std::max(n, 1) : n + 1;
    double at = std::floor((f - lo) / width * parts);
    int slot = static_cast<int>(std::clamp(at, 0.0, static_cast<double>(parts - 1)));
    path[d] = Frame{offset, slot};
    if (leafDepth(d)) {
      depth = d + 1;
      break;
    }
    width /= parts;
    lo += slot * width;
    offset = child(p, slot);
  }
  return moved(settleForward() && capture());
}

}  // namespace vt::engine
