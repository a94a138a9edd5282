// NtxIndex: adding and removing entries. Inserts go into a leaf after all
// equal keys and split full pages upward; removals take the predecessor from
// a leaf when the entry sits on an interior page, then refill pages that
// fell below half by borrowing from or merging with a neighbour.
#include <cstring>

#include "ntx_impl.h"

namespace vt::engine {

using namespace ntx;

namespace {

// First slot whose key is > k.
int upperBoundIn(const uint8_t* p, const uint8_t* k, size_t n) {
  int lo = 0, hi = count(p);
  while (lo < hi) {
    int mid = (lo + hi) >> 1;
    if (compareKeys(ntx::key(p, mid), k, n) <= 0) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

}  // namespace

int NtxIndex::Impl::checkWritable(std::string_view k) const {
  if (!writable) return kErrReadOnly;
  if (k.size() != layout().keyLength) return kErrArgument;
  return kOk;
}

// ---- pages held by an update ---------------------------------------------------

uint8_t* NtxIndex::Impl::pinPage(uint32_t offset, int d, int* frame) {
  uint8_t* p = page(offset, d);
  if (!p) return nullptr;
  *frame = cache.frameOf(p);
  cache.pin(*frame);
  pinned.push_back(*frame);
  keepBefore(*frame, false);
  return p;
}

void NtxIndex::Impl::unpinAll() {
  for (int f : pinned) cache.unpin(f);
  pinned.clear();
}

// Walks the free list once before its first use, so that a loop in it can
// never hand out a page twice.
int NtxIndex::Impl::checkFreeChain() {
  if (freeChainChecked) return kOk;
  uint64_t steps = fileEnd / kPageSize;
  for (uint32_t at = header.freeHead; at != 0;) {
    if (at % kPageSize != 0 || at >= fileEnd || steps-- == 0) return kErrIndex;
    uint8_t next[4];
    int f = cache.find(at);
    if (f >= 0) {
      std::memcpy(next, cache.data(f), 4);
    } else {
      size_t got = 0;
      if (!file->read(at, next, 4, &got)) return kErrRead;
      if (got < 4) return kErrIndex;
    }
    at = rd32(next);
  }
  freeChainChecked = true;
  return kOk;
}

// A fresh empty page, pinned: the head of the free list, or a new page at
// the end of the file.
int NtxIndex::Impl::allocPage(NewPage* out) {
  int f;
  uint32_t at;
  if (header.freeHead != 0) {
    int st = checkFreeChain();
    if (st < 0) return st;
    at = header.freeHead;
    f = load(at, false);
    if (f < 0) return f;
    keepBefore(f, false);
    header.freeHead = rd32(cache.data(f));
  } else {
    if (fileEnd + kPageSize > UINT32_MAX) return kErrWrite;
    at = static_cast<uint32_t>(fileEnd);
    f = cache.claim(at);
    if (f < 0) return f;
    keepBefore(f, true);
    fileEnd += kPageSize;
  }
  initPage(cache.data(f), layout());
  cache.setChecked(f, true);
  cache.pin(f);
  pinned.push_back(f);
  dirty(f);
  *out = NewPage{f, at};
  return kOk;
}

void NtxIndex::Impl::freePage(int frame, uint32_t offset) {
  uint8_t* p = cache.data(frame);
  std::memset(p, 0, kPageSize);
  wr32(p, header.freeHead);
  header.freeHead = offset;
  cache.setChecked(frame, false);
  dirty(frame);
}

// ---- insert ----------------------------------------------------------------

int NtxIndex::Impl::insert(const uint8_t* k, uint32_t rec) {
  invalidate();
  status = kOk;
  int st = descendForInsert(k);
  if (st == kOk) st = reserveSplitPages();
  if (st == kOk) insertAt(height - 1, path[height - 1].slot, 0, rec, k);
  unpinAll();
  return st;
}

int NtxIndex::Impl::descendForInsert(const uint8_t* k) {
  uint32_t at = header.root;
  for (int d = 0;; ++d) {
    uint8_t* p = pinPage(at, d, &frameAt[d]);
    if (!p) return status;
    int slot = upperBoundIn(p, k, layout().keyLength);
    path[d] = Frame{at, slot};
    if (leafDepth(d)) return kOk;
    at = child(p, slot);
  }
}

// Takes the pages the insert will split into before anything changes.
int NtxIndex::Impl::reserveSplitPages() {
  int splits = 0;
  for (int d = height - 1; d >= 0 && count(cache.data(frameAt[d])) >= layout().maxItems; --d) {
    ++splits;
  }
  bool newRoot = splits == height;
  if (newRoot && height >= kMaxDepth) return kErrIndex;
  spare.clear();
  for (int i = 0; i < splits + (newRoot ? 1 : 0); ++i) {
    NewPage np;
    int st = allocPage(&np);
    if (st < 0) {
      // Hand the pages back in reverse, which restores the free list.
      for (auto it = spare.rbegin(); it != spare.rend(); ++it) freePage(it->frame, it->offset);
      spare.clear();
      return st;
    }
    spare.push_back(np);
  }
  return kOk;
}

void NtxIndex::Impl::insertAt(int level, int slot, uint32_t childOffset, uint32_t rec,
                              const uint8_t* k) {
  const Layout& l = layout();
  while (true) {
    uint8_t* p = cache.data(frameAt[level]);
    dirty(frameAt[level]);
    int n = count(p);
    if (n < l.maxItems) {
      insertItem(p, l, slot, childOffset, rec, k);
      return;
    }
    // Split: the n + 1 items go left, one moves up, the rest stay here.
    ItemList list;
    list.reset(l, scratch.data());
    for (int i = 0; i < slot; ++i) list.append(item(p, i));
    list.append(childOffset, rec, k);
    for (int i = slot; i < n; ++i) list.append(item(p, i));
    int total = n + 1, half = total / 2;
    NewPage left = spare.back();
    spare.pop_back();
    list.writeTo(cache.data(left.frame), 0, half, rd32(list.at(half)));
    std::memcpy(carry.data(), list.at(half), l.itemSize);
    list.writeTo(p, half + 1, total, child(p, n));
    childOffset = left.offset;
    rec = rd32(carry.data() + 4);
    k = carry.data() + 8;
    if (level == 0) {
      growRoot(left.offset, rec, k);
      return;
    }
    --level;
    slot = path[level].slot;
  }
}

void NtxIndex::Impl::growRoot(uint32_t left, uint32_t rec, const uint8_t* k) {
  NewPage root = spare.back();
  spare.pop_back();
  uint8_t* p = cache.data(root.frame);
  insertItem(p, layout(), 0, left, rec, k);
  setChild(p, 1, header.root);
  header.root = root.offset;
  ++height;
}

// ---- remove ----------------------------------------------------------------

int NtxIndex::Impl::remove(const uint8_t* k, uint32_t rec) {
  int st = locate(k, rec) ? removeAtCursor() : (status < 0 ? status : kErrIndex);
  unpinAll();
  invalidate();
  return st;
}

int NtxIndex::Impl::removeAtCursor() {
  int top = depth - 1;
  for (int d = 0; d <= top; ++d) {
    if (!pinPage(path[d].page, d, &frameAt[d])) return status;
  }
  int leaf = top;
  if (!leafDepth(top)) {
    int st = pinPredecessorPath(top, &leaf);
    if (st < 0) return st;
  }
  int st = prefetchForRemove(leaf);
  if (st < 0) return st;
  uint8_t* lp = cache.data(frameAt[leaf]);
  int ls = path[leaf].slot;
  if (leaf != top) {
    // The entry on an interior page takes over its predecessor's key.
    setEntry(cache.data(frameAt[top]), path[top].slot, ntx::recno(lp, ls), ntx::key(lp, ls),
             layout().keyLength);
    dirty(frameAt[top]);
  }
  removeItem(lp, layout(), ls);
  dirty(frameAt[leaf]);
  fixUnderflow(leaf);
  return kOk;
}

// Extends the path from the interior entry at `top` down its left child's
// right edge to the leaf holding the entry's predecessor.
int NtxIndex::Impl::pinPredecessorPath(int top, int* leaf) {
  uint32_t at = child(cache.data(frameAt[top]), path[top].slot);
  for (int d = top + 1;; ++d) {
    uint8_t* p = pinPage(at, d, &frameAt[d]);
    if (!p) return status;
    int n = count(p);
    if (leafDepth(d)) {
      if (n == 0) return kErrIndex;
      path[d] = Frame{at, n - 1};
      *leaf = d;
      return kOk;
    }
    path[d] = Frame{at, n};
    at = child(p, n);
  }
}

// Pins the neighbours fixUnderflow() will look at, following the same
// choices it will make, so that it cannot meet a read error.
int NtxIndex::Impl::prefetchForRemove(int leaf) {
  int after = count(cache.data(frameAt[leaf])) - 1;
  int frame;
  for (int d = leaf; d > 0 && after < layout().minFill(); --d) {
    const uint8_t* parent = cache.data(frameAt[d - 1]);
    int c = path[d - 1].slot, pn = count(parent);
    if (c > 0) {
      uint8_t* left = pinPage(child(parent, c - 1), d, &frame);
      if (!left) return status;
      if (count(left) > layout().minFill()) return kOk;
    }
    if (c < pn) {
      uint8_t* right = pinPage(child(parent, c + 1), d, &frame);
      if (!right) return status;
      if (count(right) > layout().minFill()) return kOk;
    }
    after = pn - 1;  // a merge takes the separator out of the parent
  }
  return kOk;
}

void NtxIndex::Impl::fixUnderflow(int level) {
  int minFill = layout().minFill();
  for (int d = level; d > 0; --d) {
    int pageFrame = frameAt[d];
    uint8_t* p = cache.data(pageFrame);
    if (count(p) >= minFill) return;
    int parentFrame = frameAt[d - 1];
    uint8_t* parent = cache.data(parentFrame);
    int c = path[d - 1].slot;
    int leftFrame = -1, rightFrame = -1;
    uint8_t* left = c > 0 ? pinPage(child(parent, c - 1), d, &leftFrame) : nullptr;
    if (left && count(left) > minFill) {
      borrowLeft(parent, c, left, p);
      for (int f : {parentFrame, leftFrame, pageFrame}) dirty(f);
      return;
    }
    uint8_t* right = c < count(parent) ? pinPage(child(parent, c + 1), d, &rightFrame) : nullptr;
    if (right && count(right) > minFill) {
      borrowRight(parent, c, p, right);
      for (int f : {parentFrame, rightFrame, pageFrame}) dirty(f);
      return;
    }
    if (left) {
      merge(parentFrame, c - 1, leftFrame, pageFrame);
    } else if (right) {
      merge(parentFrame, c, pageFrame, rightFrame);
    } else {
      return;
    }
  }
  shrinkRoot();
}

// Moves the separator down to the front of `page` and the left
// neighbour's last key up in its place.
void NtxIndex::Impl::borrowLeft(uint8_t* parent, int c, uint8_t* left, uint8_t* p) {
  const Layout& l = layout();
  int nl = count(left);
  uint32_t lastChild = child(left, nl - 1), rightChild = child(left, nl);
  insertItem(p, l, 0, rightChild, ntx::recno(parent, c - 1), ntx::key(parent, c - 1));
  setEntry(parent, c - 1, ntx::recno(left, nl - 1), ntx::key(left, nl - 1), l.keyLength);
  removeItem(left, l, nl - 1);
  setChild(left, nl - 1, lastChild);
}

// Moves the separator down to the end of `page` and the right neighbour's
// first key up in its place.
void NtxIndex::Impl::borrowRight(uint8_t* parent, int c, uint8_t* p, uint8_t* right) {
  const Layout& l = layout();
  int n = count(p);
  uint32_t firstChild = child(right, 0);
  insertItem(p, l, n, child(p, n), ntx::recno(parent, c), ntx::key(parent, c));
  setChild(p, n + 1, firstChild);
  setEntry(parent, c, ntx::recno(right, 0), ntx::key(right, 0), l.keyLength);
  removeItem(right, l, 0);
}

// Joins child(sep), the separator and child(sep + 1) into the right page
// and frees the left one.
void NtxIndex::Impl::merge(int parentFrame, int sep, int leftFrame, int rightFrame) {
  uint8_t* parent = cache.data(parentFrame);
  uint8_t* left = cache.data(leftFrame);
  uint8_t* right = cache.data(rightFrame);
  ItemList list;
  list.reset(layout(), scratch.data());
  list.appendPage(left);
  list.append(list.right(), ntx::recno(parent, sep), ntx::key(parent, sep));
  list.appendPage(right);
  list.writeTo(right, 0, list.size(), list.right());
  uint32_t leftOffset = child(parent, sep);
  removeItem(parent, layout(), sep);
  freePage(leftFrame, leftOffset);
  dirty(rightFrame);
  dirty(parentFrame);
}

// A root left without keys hands its only child the root's place.
void NtxIndex::Impl::shrinkRoot() {
  uint8_t* root = cache.data(frameAt[0]);
  if (count(root) > 0 || leafDepth(0)) return;
  uint32_t newRoot = child(root, 0);
  freePage(frameAt[0], header.root);
  header.root = newRoot;
  --height;
}

}  // namespace vt::engine
