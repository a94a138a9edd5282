// Reading a table front to back in large chunks, for index builds, pack and
// export.
#include <algorithm>

#include "dbf_file.h"
#include "dbf_impl.h"

namespace vt::engine {
namespace {

constexpr size_t kChunkBytes = 256 << 10;

}  // namespace

DbfFile::Scanner::Scanner(DbfFile& dbf, uint32_t first) : dbf_(dbf), next_(std::max(first, 1u)) {}

int DbfFile::Scanner::next(const char** record, uint32_t* recno) {
  Impl& im = *dbf_.impl_;
  if (next_ > im.count()) {
    *record = nullptr;
    return kOk;
  }
  if (next_ > im.diskCount) {
    *record = im.pendingRecord(next_);
  } else {
    if (next_ < bufFirst_ || next_ >= bufFirst_ + bufCount_) {
      const size_t chunk = std::max<size_t>(1, kChunkBytes / im.recordLength);
      if (buf_.empty()) buf_.resize(chunk * im.recordLength);
      const uint32_t n = static_cast<uint32_t>(std::min<size_t>(chunk, im.diskCount - next_ + 1));
      const size_t bytes = static_cast<size_t>(n) * im.recordLength;
      size_t got = 0;
      bufCount_ = 0;
      if (!im.file->read(im.recordOffset(next_), buf_.data(), bytes, &got) || got != bytes) {
        return kErrRead;
      }
      bufFirst_ = next_;
      bufCount_ = n;
    }
    *record = buf_.data() + static_cast<size_t>(next_ - bufFirst_) * im.recordLength;
  }
  if (recno != nullptr) *recno = next_;
  ++next_;
  return kOk;
}

}  // namespace vt::engine
