// Records of a dBASE III table: validated open, buffered appends and a small
// read window, so that neither sequential appends nor sequential reads cost a
// system call per record.
#include "dbf_file.h"

#include <algorithm>
#include <cstring>

#include "dbf_bytes.h"
#include "dbf_header.h"
#include "dbf_impl.h"

namespace vt::engine {
namespace {

constexpr size_t kMinHeaderLength = kDbfPrefixLength + kDbfFieldLength + 1;

// Reads exactly n bytes: kErrRead on an I/O error, kErrFormat when the file
// ends first.
int readExact(File& file, uint64_t offset, void* buf, size_t n) {
  size_t got = 0;
  if (!file.read(offset, buf, n, &got)) return kErrRead;
  return got == n ? kOk : kErrFormat;
}

int readHeader(File& file, DbfFile::Impl* im) {
  uint64_t size = 0;
  if (!file.size(&size)) return kErrRead;
  if (size < kMinHeaderLength) return kErrFormat;
  unsigned char prefix[kDbfPrefixLength];
  int status = readExact(file, 0, prefix, sizeof prefix);
  if (status != kOk) return status;
  DbfHeader h;
  status = parseDbfPrefix(prefix, &h);
  if (status != kOk) return status;
  if (h.headerLength < kMinHeaderLength || h.headerLength > size) return kErrFormat;
  std::vector<unsigned char> header(h.headerLength);
  status = readExact(file, 0, header.data(), header.size());
  if (status != kOk) return status;
  status = parseDbfFields(header.data(), &h);
  if (status != kOk) return status;
  if (size < h.headerLength + static_cast<uint64_t>(h.recCount) * h.recordLength) {
    return kErrFormat;  // cut short: records missing
  }
  im->version = h.version;
  im->languageDriver = h.languageDriver;
  im->headerLength = h.headerLength;
  im->recordLength = h.recordLength;
  im->diskCount = h.recCount;
  im->fields = std::move(h.fields);
  return kOk;
}

}  // namespace

// ---- Impl -------------------------------------------------------------------

void DbfFile::Impl::initBuffers() {
  pendingCapacity = static_cast<uint32_t>(std::max<size_t>(1, kAppendBytes / recordLength));
  windowCapacity = static_cast<uint32_t>(std::max<size_t>(1, kWindowBytes / recordLength));
  window.resize(static_cast<size_t>(windowCapacity) * recordLength);
}

int DbfFile::Impl::locate(uint32_t recno, const char** at) {
  if (recno > diskCount) {
    *at = pendingRecord(recno);
    return kOk;
  }
  if (recno < windowFirst || recno >= windowFirst + windowCount) {
    // Reading forwards or backwards one by one fetches a whole window in
    // that direction; a jump fetches just the record.
    uint32_t first = recno, n = 1;
    if (recno == lastRead + 1) {
      n = std::min(windowCapacity, diskCount - recno + 1);
    } else if (recno + 1 == lastRead) {
      n = std::min(windowCapacity, recno);
      first = recno - n + 1;
    }
    windowCount = 0;
    const size_t bytes = static_cast<size_t>(n) * recordLength;
    size_t got = 0;
    if (!file->read(recordOffset(first), window.data(), bytes, &got) || got != bytes) {
      return kErrRead;
    }
    windowFirst = first;
    windowCount = n;
  }
  lastRead = recno;
  *at = window.data() + static_cast<size_t>(recno - windowFirst) * recordLength;
  return kOk;
}

int DbfFile::Impl::writePending() {
  if (pendingCount == 0) return kOk;
  const size_t bytes = static_cast<size_t>(pendingCount) * recordLength;
  pending[bytes] = kDbfEndMarker;
  if (!file->write(recordOffset(diskCount + 1), pending.data(), bytes + 1)) return kErrWrite;
  diskCount += pendingCount;
  pendingCount = 0;
  return kOk;
}

int DbfFile::Impl::writeStamp() {
  unsigned char stamp[kDbfStampLength];
  encodeDbfStamp(diskCount, stamp);
  if (!file->write(kDbfStampOffset, stamp, sizeof stamp)) return kErrWrite;
  dirty = false;
  return kOk;
}

// ---- opening and creating ---------------------------------------------------

DbfFile::DbfFile(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

DbfFile::~DbfFile() {
  if (impl_->writable) flush();  // a failure here has no one to report to
}

int DbfFile::open(FileSystem& fs, const std::string& path, bool writable,
                  std::unique_ptr<DbfFile>* out) {
  auto impl = std::make_unique<Impl>();
  impl->file = fs.open(path, writable ? OpenMode::ReadWrite : OpenMode::ReadOnly);
  if (!impl->file) return kErrOpen;
  const int status = readHeader(*impl->file, impl.get());
  if (status != kOk) return status;
  impl->writable = writable;
  impl->initBuffers();
  out->reset(new DbfFile(std::move(impl)));
  return kOk;
}

int DbfFile::create(FileSystem& fs, const std::string& path, std::vector<FieldDesc> fields,
                    bool hasMemo) {
  const int status = normaliseFieldDefs(&fields, hasMemo);
  if (status != kOk) return status;
  std::string bytes = buildDbfHeader(fields, hasMemo, 0);
  bytes.push_back(kDbfEndMarker);
  std::unique_ptr<File> file = fs.open(path, OpenMode::Create);
  if (!file) return kErrCreate;
  if (!file->write(0, bytes.data(), bytes.size())) {
    file.reset();
    fs.remove(path);  // leave no half-written table behind
    return kErrWrite;
  }
  return kOk;
}

// ---- properties ---------------------------------------------------------------

const std::vector<FieldDesc>& DbfFile::fields() const {
  return impl_->fields;
}

int DbfFile::fieldIndex(std::string_view name) const {
  const auto& fields = impl_->fields;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (equalNoCaseAscii(fields[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

uint32_t DbfFile::recCount() const {
  return impl_->count();
}
uint32_t DbfFile::recordLength() const {
  return impl_->recordLength;
}
uint32_t DbfFile::headerLength() const {
  return impl_->headerLength;
}
bool DbfFile::hasMemo() const {
  return impl_->version == kDbfWithMemo;
}
uint8_t DbfFile::languageDriver() const {
  return impl_->languageDriver;
}
bool DbfFile::writable() const {
  return impl_->writable;
}
File& DbfFile::file() {
  return *impl_->file;
}

// ---- records -----------------------------------------------------------------

int DbfFile::read(uint32_t recno, char* record) {
  return readPart(recno, 0, impl_->recordLength, record);
}

int DbfFile::readPart(uint32_t recno, uint32_t offset, uint32_t n, char* out) {
  Impl& im = *impl_;
  if (recno == 0 || recno > im.count()) return kErrRecord;
  if (offset > im.recordLength || n > im.recordLength - offset) return kErrArgument;
  const char* at = nullptr;
  const int status = im.locate(recno, &at);
  if (status != kOk) return status;
  std::memcpy(out, at + offset, n);
  return kOk;
}

int DbfFile::write(uint32_t recno, const char* record) {
  Impl& im = *impl_;
  if (!im.writable) return kErrReadOnly;
  if (recno == 0 || recno > im.count()) return kErrRecord;
  im.dirty = true;
  if (recno > im.diskCount) {
    std::memcpy(im.pendingRecord(recno), record, im.recordLength);
    return kOk;
  }
  if (!im.file->write(im.recordOffset(recno), record, im.recordLength)) return kErrWrite;
  if (recno >= im.windowFirst && recno < im.windowFirst + im.windowCount) {
    std::memcpy(im.window.data() + static_cast<size_t>(recno - im.windowFirst) * im.recordLength,
                record, im.recordLength);
  }
  return kOk;
}

int DbfFile::append(const char* record, uint32_t* recno) {
  Impl& im = *impl_;
  if (!im.writable) return kErrReadOnly;
  if (im.count() == UINT32_MAX) return kErrRecord;
  if (im.pending.empty()) {
    im.pending.resize(static_cast<size_t>(im.pendingCapacity) * im.recordLength + 1);
  }
  if (im.pendingCount == im.pendingCapacity) {
    const int status = im.writePending();
    if (status != kOk) return status;
  }
  const uint32_t n = im.count() + 1;
  std::memcpy(im.pendingRecord(n), record, im.recordLength);
  ++im.pendingCount;
  im.dirty = true;
  if (recno != nullptr) *recno = n;
  return kOk;
}

int DbfFile::flush() {
  Impl& im = *impl_;
  const int status = im.writePending();
  if (status != kOk || !im.dirty) return status;
  return im.writeStamp();
}

int DbfFile::discardAppends(uint32_t count) {
  Impl& im = *impl_;
  if (count >= im.diskCount) {
    im.pendingCount = std::min(im.pendingCount, count - im.diskCount);
    return kOk;
  }
  im.pendingCount = 0;
  im.diskCount = count;
  im.forgetWindow();
  im.lastRead = 0;
  im.dirty = true;  // kept when the write fails, so a later flush retries it
  return im.writeStamp();
}

int DbfFile::refresh(bool* changed) {
  Impl& im = *impl_;
  if (changed != nullptr) *changed = false;
  int status = flush();
  if (status != kOk) return status;
  unsigned char bytes[4];
  status = readExact(*im.file, 4, bytes, sizeof bytes);
  if (status != kOk) return status;
  const uint32_t count = getLe32(bytes);
  uint64_t size = 0;
  if (!im.file->size(&size)) return kErrRead;
  if (size < im.headerLength + static_cast<uint64_t>(count) * im.recordLength) return kErrFormat;
  im.forgetWindow();  // another process may have rewritten records too
  im.lastRead = 0;
  if (changed != nullptr) *changed = count != im.diskCount;
  im.diskCount = count;
  return kOk;
}

int DbfFile::zap() {
  Impl& im = *impl_;
  if (!im.writable) return kErrReadOnly;
  unsigned char stamp[kDbfStampLength];
  encodeDbfStamp(0, stamp);
  if (!im.file->write(kDbfStampOffset, stamp, sizeof stamp)) return kErrWrite;
  im.diskCount = 0;
  im.pendingCount = 0;
  im.forgetWindow();
  im.dirty = false;
  const char marker = kDbfEndMarker;
  if (!im.file->truncate(im.headerLength) || !im.file->write(im.headerLength, &marker, 1)) {
    return kErrWrite;
  }
  return kOk;
}

}  // namespace vt::engine
