// NtxIndex: opening and checking a file, reading pages, the public entry
// points, and keeping the file in step with other users (flush, refresh).
#include "ntx_index.h"

#include <algorithm>
#include <cstring>

#include "ntx_impl.h"

namespace vt::engine {

using namespace ntx;

namespace {

// Enough frames for the deepest path an update pins, with its neighbours.
constexpr size_t kMinFrames = 4 * NtxIndex::Impl::kMaxDepth + 16;

uint64_t wholePages(uint64_t size) {
  return size / kPageSize * kPageSize;
}

}  // namespace

void NtxIndex::Impl::loadNeighbours(uint32_t offset) {
  uint64_t pages = static_cast<uint64_t>(readAhead < 0 ? -readAhead : readAhead);
  uint64_t first = offset, last = offset;
  if (readAhead > 0) {
    last = std::min<uint64_t>(offset + (pages - 1) * kPageSize, fileEnd - kPageSize);
  } else {
    first =
        std::max<uint64_t>(kPageSize, offset - std::min<uint64_t>(offset, (pages - 1) * kPageSize));
  }
  size_t bytes = static_cast<size_t>(last - first + kPageSize);
  readAheadBuf.resize(bytes);
  size_t got = 0;
  if (!file->read(first, readAheadBuf.data(), bytes, &got)) return;
  for (uint64_t at = first; at + kPageSize <= first + got; at += kPageSize) {
    if (cache.find(static_cast<uint32_t>(at)) >= 0) continue;  // cached, maybe changed
    int f = cache.claim(static_cast<uint32_t>(at));
    if (f < 0) return;
    std::memcpy(cache.data(f), readAheadBuf.data() + (at - first), kPageSize);
  }
}

int NtxIndex::Impl::load(uint32_t offset, bool check) {
  int f = cache.find(offset);
  if (f < 0 && readAhead != 0 && offset != 0 && offset % kPageSize == 0 && offset < fileEnd) {
    loadNeighbours(offset);
    f = cache.find(offset);
  }
  if (f < 0) {
    if (offset == 0 || offset % kPageSize != 0 || offset >= fileEnd) return kErrIndex;
    f = cache.claim(offset);
    if (f < 0) return f;
    size_t got = 0;
    if (!file->read(offset, cache.data(f), kPageSize, &got)) {
      cache.release(f);
      return kErrRead;
    }
    if (got < kPageSize) {
      cache.release(f);
      return kErrIndex;
    }
  }
  if (check && !cache.checked(f)) {
    if (!pageValid(cache.data(f), layout(), fileEnd)) {
      if (!cache.isDirty(f)) cache.release(f);
      return kErrIndex;
    }
    cache.setChecked(f, true);
  }
  return f;
}

int NtxIndex::Impl::measureHeight() {
  uint32_t offset = header.root;
  for (int d = 0; d < kMaxDepth; ++d) {
    int f = load(offset);
    if (f < 0) return f;
    const uint8_t* p = cache.data(f);
    if (isLeaf(p)) {
      height = d + 1;
      return kOk;
    }
    offset = child(p, 0);
  }
  return kErrIndex;
}

// An in-order walk with its own stack. Every page of a sound tree is
// entered once, so entering more pages than the file holds means a loop.
int NtxIndex::Impl::walk(void* ctx, bool (*fn)(void*, std::string_view, uint32_t)) {
  struct Step {
    uint32_t page;
    int next;  // next child to enter
  };
  Step stack[kMaxDepth];
  int top = 0;
  uint64_t budget = fileEnd / kPageSize;
  stack[top++] = Step{header.root, 0};
  auto keyView = [this](const uint8_t* p, int i) {
    return std::string_view(reinterpret_cast<const char*>(ntx::key(p, i)), layout().keyLength);
  };
  while (top > 0) {
    Step& s = stack[top - 1];
    uint8_t* p = page(s.page, top - 1);
    if (!p) return status;
    int n = count(p);
    if (leafDepth(top - 1)) {
      for (int i = 0; i < n; ++i) {
        if (!fn(ctx, keyView(p, i), ntx::recno(p, i))) return kOk;
      }
      --top;
      continue;
    }
    // Back from child next-1: its entry follows it.
    if (s.next > 0 && s.next - 1 < n &&
        !fn(ctx, keyView(p, s.next - 1), ntx::recno(p, s.next - 1))) {
      return kOk;
    }
    if (s.next > n) {
      --top;
      continue;
    }
    if (budget-- == 0) return kErrIndex;
    uint32_t c = child(p, s.next++);
    stack[top++] = Step{c, 0};
  }
  return kOk;
}

int NtxIndex::Impl::flush() {
  if (!changed) return kOk;
  if (keepingBefore) flushedInChanges = true;
  int st = cache.writeDirty();
  if (st < 0) return st;
  uint8_t live[kLiveFieldsEnd - kCounterAt];
  uint16_t counter = static_cast<uint16_t>(header.counter + 1);
  wr16(live, counter);
  wr32(live + (kRootAt - kCounterAt), header.root);
  wr32(live + (kFreeAt - kCounterAt), header.freeHead);
  if (!file->write(kCounterAt, live, sizeof live)) return kErrWrite;
  header.counter = counter;
  changed = false;
  return kOk;
}

int NtxIndex::Impl::refresh(bool* changedOut) {
  if (changedOut) *changedOut = false;
  uint8_t live[kLiveFieldsEnd];
  size_t got = 0;
  if (!file->read(0, live, sizeof live, &got)) return kErrRead;
  if (got < sizeof live) return kErrIndex;
  uint16_t counter = rd16(live + kCounterAt);
  uint32_t root = rd32(live + kRootAt), freeHead = rd32(live + kFreeAt);
  if (counter == header.counter && root == header.root && freeHead == header.freeHead) return kOk;
  // Another writer changed the index: nothing cached here can be trusted.
  cache.clear();
  invalidate();
  changed = false;
  freeChainChecked = false;
  if (changedOut) *changedOut = true;
  uint64_t size = 0;
  if (!file->size(&size)) return kErrRead;
  fileEnd = wholePages(size);
  if (!liveFieldsValid(root, freeHead, fileEnd)) return kErrIndex;
  header.counter = counter;
  header.root = root;
  header.freeHead = freeHead;
  return measureHeight();
}

// ---- public entry points ---------------------------------------------------

NtxIndex::NtxIndex(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
NtxIndex::~NtxIndex() = default;

int NtxIndex::open(FileSystem& fs, const std::string& path, bool writable,
                   std::unique_ptr<NtxIndex>* out, size_t cachePages) {
  return openIn(fs, path, writable, out, nullptr, std::max(cachePages, kMinFrames));
}

int NtxIndex::open(FileSystem& fs, const std::string& path, bool writable,
                   std::unique_ptr<NtxIndex>* out, ntx::PagePool& pool) {
  return openIn(fs, path, writable, out, &pool, 0);
}

int NtxIndex::openIn(FileSystem& fs, const std::string& path, bool writable,
                     std::unique_ptr<NtxIndex>* out, ntx::PagePool* pool, size_t cachePages) {
  out->reset();
  std::unique_ptr<File> file = fs.open(path, writable ? OpenMode::ReadWrite : OpenMode::ReadOnly);
  if (!file) return kErrOpen;
  uint64_t size = 0;
  if (!file->size(&size)) return kErrRead;
  uint8_t page[kPageSize];
  size_t got = 0;
  if (!file->read(0, page, kPageSize, &got)) return kErrRead;
  if (got < kPageSize) return kErrIndex;
  Header header;
  int st = decodeHeader(page, wholePages(size), &header);
  if (st < 0) return st;
  auto impl = std::make_unique<Impl>(fs, path, std::move(file), writable, pool, cachePages);
  impl->header = std::move(header);
  impl->fileEnd = wholePages(size);
  impl->scratch.resize((2u * impl->layout().maxItems + 3u) * impl->layout().itemSize);
  impl->carry.resize(impl->layout().itemSize);
  st = impl->measureHeight();
  if (st < 0) return st;
  out->reset(new NtxIndex(std::move(impl)));
  return kOk;
}

const NtxInfo& NtxIndex::info() const {
  return impl_->header.info;
}
uint16_t NtxIndex::keyLength() const {
  return impl_->layout().keyLength;
}
int NtxIndex::status() const {
  return impl_->status;
}

NtxIndex::SeekResult NtxIndex::seek(std::string_view key) {
  size_t n = std::min<size_t>(key.size(), impl_->layout().keyLength);
  return impl_->seek(reinterpret_cast<const uint8_t*>(key.data()), n);
}

bool NtxIndex::first() {
  return impl_->first();
}
bool NtxIndex::last() {
  return impl_->last();
}
bool NtxIndex::next() {
  return impl_->next();
}
bool NtxIndex::prev() {
  return impl_->prev();
}
bool NtxIndex::valid() const {
  return impl_->depth > 0;
}
uint32_t NtxIndex::recno() const {
  return valid() ? impl_->curRecno : 0;
}

std::string_view NtxIndex::key() const {
  if (!valid()) return {};
  return std::string_view(reinterpret_cast<const char*>(impl_->curKey), keyLength());
}

bool NtxIndex::locate(std::string_view key, uint32_t recno) {
  if (key.size() != keyLength()) {
    impl_->invalidate();
    return false;
  }
  return impl_->locate(reinterpret_cast<const uint8_t*>(key.data()), recno);
}

double NtxIndex::position() const {
  return impl_->position();
}
bool NtxIndex::positionTo(double fraction) {
  return impl_->positionTo(fraction);
}

int NtxIndex::insert(std::string_view key, uint32_t recno) {
  int st = impl_->checkWritable(key);
  if (st < 0) return st;
  return impl_->insert(reinterpret_cast<const uint8_t*>(key.data()), recno);
}

int NtxIndex::remove(std::string_view key, uint32_t recno) {
  int st = impl_->checkWritable(key);
  if (st < 0) return st;
  return impl_->remove(reinterpret_cast<const uint8_t*>(key.data()), recno);
}

int NtxIndex::flush() {
  return impl_->writable ? impl_->flush() : kOk;
}
int NtxIndex::refresh(bool* changed) {
  return impl_->refresh(changed);
}

int NtxIndex::walk(void* ctx, bool (*fn)(void*, std::string_view, uint32_t)) {
  impl_->status = kOk;
  return impl_->walk(ctx, fn);
}

}  // namespace vt::engine
