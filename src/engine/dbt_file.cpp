// Memo texts in 512-byte blocks. New memos always go after the last block
// actually in the file (whatever a stale header says), so a memo is never
// written over another one; the header's next free block follows at flush().
#include "dbt_file.h"

#include <algorithm>
#include <cstring>

#include "dbf_bytes.h"

namespace vt::engine {
namespace {

constexpr char kTerminator = 0x1A;
constexpr uint8_t kDbtVersion = 0x03;
constexpr size_t kFirstChunk = 8 * DbtFile::kBlockSize;
constexpr size_t kLargestChunk = 1 << 20;
constexpr size_t kMaxMemoBytes = 16 << 20;  // beyond this a memo is taken as damaged

uint64_t blocksFor(uint64_t bytes) {
  return (bytes + DbtFile::kBlockSize - 1) / DbtFile::kBlockSize;
}

// Position of the first 0x1A 0x1A in text at or after `from`, or npos.
size_t findTerminator(const std::string& text, size_t from) {
  const char* base = text.data();
  const char* end = base + text.size();
  for (const char* p = base + from; p < end;) {
    const auto* hit = static_cast<const char*>(std::memchr(p, kTerminator, end - p));
    if (hit == nullptr || hit + 1 >= end) return std::string::npos;
    if (hit[1] == kTerminator) return static_cast<size_t>(hit - base);
    p = hit + 1;
  }
  return std::string::npos;
}

// A text that would read back shorter than written.
bool breaksTerminator(std::string_view text) {
  return text.back() == kTerminator || text.find("\x1A\x1A") != std::string_view::npos;
}

}  // namespace

struct DbtFile::Impl {
  std::unique_ptr<File> file;
  bool writable = false;
  uint32_t nextFree = 1;  // where the next memo goes
  bool dirty = false;     // the header's next free block is behind

  // Re-reads the file's length (the header must be whole).
  int load() {
    uint64_t size = 0;
    if (!file->size(&size)) return kErrRead;
    if (size < kBlockSize) return kErrMemo;
    return placeAfter(size);
  }

  // New memos go after the last block in the file. The header's next free
  // block is not trusted for this: a stale or damaged one could point into
  // memos in use, or far beyond the end.
  int placeAfter(uint64_t size) {
    const uint64_t blocks = blocksFor(size);
    if (blocks > UINT32_MAX) return kErrMemo;
    nextFree = static_cast<uint32_t>(std::max<uint64_t>(blocks, 1));
    return kOk;
  }
};

DbtFile::DbtFile(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

DbtFile::~DbtFile() {
  if (impl_->writable) flush();  // a failure here has no one to report to
}

int DbtFile::open(FileSystem& fs, const std::string& path, bool writable,
                  std::unique_ptr<DbtFile>* out) {
  auto impl = std::make_unique<Impl>();
  impl->file = fs.open(path, writable ? OpenMode::ReadWrite : OpenMode::ReadOnly);
  if (!impl->file) return kErrOpen;
  const int status = impl->load();
  if (status != kOk) return status;
  impl->writable = writable;
  out->reset(new DbtFile(std::move(impl)));
  return kOk;
}

int DbtFile::create(FileSystem& fs, const std::string& path) {
  unsigned char header[kBlockSize] = {};
  putLe32(header, 1);
  header[16] = kDbtVersion;
  std::unique_ptr<File> file = fs.open(path, OpenMode::Create);
  if (!file) return kErrCreate;
  if (!file->write(0, header, sizeof header)) {
    file.reset();
    fs.remove(path);  // leave no half-written memo file behind
    return kErrWrite;
  }
  return kOk;
}

int DbtFile::read(uint32_t block, std::string* text) {
  text->clear();
  if (block == 0) return kErrMemo;
  const uint64_t start = static_cast<uint64_t>(block) * kBlockSize;
  size_t chunk = kFirstChunk;
  size_t scanned = 0;  // bytes already searched for the terminator
  for (;;) {
    const size_t old = text->size();
    text->resize(old + chunk);
    size_t got = 0;
    if (!impl_->file->read(start + old, text->data() + old, chunk, &got)) {
      text->clear();
      return kErrRead;
    }
    text->resize(old + got);
    const size_t end = findTerminator(*text, scanned > 0 ? scanned - 1 : 0);
    if (end != std::string::npos) {
      text->resize(end);
      return kOk;
    }
    if (got < chunk || text->size() >= kMaxMemoBytes) {  // file ended first
      text->clear();
      return kErrMemo;
    }
    scanned = text->size();
    chunk = std::min(chunk * 2, kLargestChunk);
  }
}

int DbtFile::write(std::string_view text, uint32_t* block) {
  Impl& im = *impl_;
  if (!im.writable) return kErrReadOnly;
  if (text.empty()) {
    *block = 0;
    return kOk;
  }
  if (breaksTerminator(text) || text.size() > kMaxMemoBytes) return kErrArgument;
  uint64_t size = 0;
  if (!im.file->size(&size)) return kErrRead;
  int status = im.placeAfter(size);  // another writer may have appended
  if (status != kOk) return status;
  const uint64_t end = im.nextFree + blocksFor(text.size() + 2);
  if (end > UINT32_MAX) return kErrMemo;
  std::string bytes;
  bytes.reserve(text.size() + 2);
  bytes.append(text).append(2, kTerminator);
  if (!im.file->write(static_cast<uint64_t>(im.nextFree) * kBlockSize, bytes.data(),
                      bytes.size())) {
    return kErrWrite;
  }
  *block = im.nextFree;
  im.nextFree = static_cast<uint32_t>(end);
  im.dirty = true;
  return kOk;
}

uint32_t DbtFile::nextFree() const {
  return impl_->nextFree;
}

int DbtFile::refresh() {
  const int status = flush();
  return status != kOk ? status : impl_->load();
}

int DbtFile::flush() {
  Impl& im = *impl_;
  if (!im.dirty) return kOk;
  unsigned char next[4];
  putLe32(next, im.nextFree);
  if (!im.file->write(0, next, sizeof next)) return kErrWrite;
  im.dirty = false;
  return kOk;
}

File& DbtFile::file() {
  return *impl_->file;
}

}  // namespace vt::engine
