// NtxIndex: changes kept or undone together. While they run, every page an
// update pins or takes keeps its earlier bytes and stays pinned, so undoing
// them needs no read and no write that could fail half-way. Changes flushed
// before they are undone leave the earlier pages to be written back.
#include <cstring>

#include "ntx_impl.h"

namespace vt::engine {

using namespace ntx;

void NtxIndex::Impl::keepBefore(int frame, bool fresh) {
  if (!keepingBefore) return;
  for (const Before& b : before) {
    if (b.frame == frame) return;
  }
  cache.pin(frame);
  before.push_back(
      Before{frame, fresh, cache.isDirty(frame), cache.checked(frame), beforeImages.size()});
  const uint8_t* p = cache.data(frame);
  beforeImages.insert(beforeImages.end(), p, p + kPageSize);
}

void NtxIndex::Impl::beginChanges() {
  endChanges(false);
  keepingBefore = true;
  beforeHeader =
      BeforeHeader{header.root, header.freeHead, fileEnd, height, changed, freeChainChecked};
}

void NtxIndex::Impl::endChanges(bool undo) {
  for (const Before& b : before) {
    cache.unpin(b.frame);
    if (!undo) continue;
    if (b.fresh) {
      cache.release(b.frame);
      continue;
    }
    std::memcpy(cache.data(b.frame), beforeImages.data() + b.image, kPageSize);
    cache.setDirty(b.frame, b.dirty || flushedInChanges);
    cache.setChecked(b.frame, b.checked);
  }
  if (undo && keepingBefore) {
    const BeforeHeader& h = beforeHeader;
    header.root = h.root;
    header.freeHead = h.freeHead;
    fileEnd = h.fileEnd;
    height = h.height;
    changed = h.changed || flushedInChanges;
    freeChainChecked = h.freeChainChecked;
    invalidate();
  }
  keepingBefore = false;
  flushedInChanges = false;
  before.clear();
  beforeImages.clear();
}

void NtxIndex::beginChanges() {
  impl_->beginChanges();
}
void NtxIndex::commitChanges() {
  impl_->endChanges(false);
}
void NtxIndex::undoChanges() {
  impl_->endChanges(true);
}

}  // namespace vt::engine
