#include "fault_fs.h"

namespace vt::engine {

class FaultFileSystem::FaultFile final : public File {
 public:
  FaultFile(FaultFileSystem& owner, std::unique_ptr<File> inner, std::string path)
      : owner_(owner), inner_(std::move(inner)), path_(std::move(path)) {}

  bool read(uint64_t offset, void* buf, size_t n, size_t* got) override {
    return owner_.beforeRead(path_) && inner_->read(offset, buf, n, got);
  }

  bool write(uint64_t offset, const void* buf, size_t n) override {
    size_t allowed = n;
    switch (owner_.beforeWrite(n, &allowed)) {
      case WriteVerdict::Proceed:
        return inner_->write(offset, buf, n);
      case WriteVerdict::Fail:
        return false;
      case WriteVerdict::Partial:
        if (allowed > 0) inner_->write(offset, buf, allowed);
        return false;
    }
    return false;
  }

  bool size(uint64_t* out) override { return inner_->size(out); }

  bool truncate(uint64_t size) override {
    return owner_.beforeTruncate() && inner_->truncate(size);
  }

  bool sync() override { return owner_.beforeSync() && inner_->sync(); }

  bool lock(uint64_t offset, uint64_t length, LockKind kind, bool wait) override {
    return inner_->lock(offset, length, kind, wait);
  }

  bool unlock(uint64_t offset, uint64_t length) override { return inner_->unlock(offset, length); }

  bool identity(FileIdentity* out) override { return inner_->identity(out); }

 private:
  FaultFileSystem& owner_;
  std::unique_ptr<File> inner_;
  std::string path_;
};

void FaultFileSystem::diskFullAfter(uint64_t bytes) {
  diskLimited_ = true;
  diskLimit_ = bytesWritten_ + bytes;
}

uint64_t FaultFileSystem::readsOf(const std::string& path) const {
  auto it = readsByPath_.find(path);
  return it == readsByPath_.end() ? 0 : it->second;
}

void FaultFileSystem::reset() {
  failWrite_ = shortWrite_ = failRename_ = failSync_ = failTruncate_ = failOpen_ = failReads_ =
      Trigger{};
  diskLimited_ = false;
  diskLimit_ = 0;
  writes_ = bytesWritten_ = reads_ = renames_ = syncs_ = truncates_ = opens_ = faultsHit_ = 0;
  readsByPath_.clear();
}

std::unique_ptr<File> FaultFileSystem::open(const std::string& path, OpenMode mode) {
  ++opens_;
  if (failOpen_.fires(opens_)) {
    recordFault();
    return nullptr;
  }
  std::unique_ptr<File> inner = inner_.open(path, mode);
  if (!inner) return nullptr;
  return std::make_unique<FaultFile>(*this, std::move(inner), path);
}

bool FaultFileSystem::rename(const std::string& from, const std::string& to) {
  ++renames_;
  if (failRename_.fires(renames_)) {
    recordFault();
    return false;
  }
  return inner_.rename(from, to);
}

bool FaultFileSystem::syncDir(const std::string& dir) {
  ++syncs_;
  if (failSync_.fires(syncs_)) {
    recordFault();
    return false;
  }
  return inner_.syncDir(dir);
}

FaultFileSystem::WriteVerdict FaultFileSystem::beforeWrite(size_t n, size_t* allowed) {
  ++writes_;
  if (failWrite_.fires(writes_)) {
    recordFault();
    *allowed = 0;
    return WriteVerdict::Fail;
  }
  if (shortWrite_.fires(writes_)) {
    recordFault();
    *allowed = n / 2;
    bytesWritten_ += *allowed;
    return WriteVerdict::Partial;
  }
  if (diskLimited_ && bytesWritten_ + n > diskLimit_) {
    recordFault();
    *allowed = diskLimit_ > bytesWritten_ ? static_cast<size_t>(diskLimit_ - bytesWritten_) : 0;
    bytesWritten_ += *allowed;
    return WriteVerdict::Partial;
  }
  bytesWritten_ += n;
  *allowed = n;
  return WriteVerdict::Proceed;
}

bool FaultFileSystem::beforeSync() {
  ++syncs_;
  if (!failSync_.fires(syncs_)) return true;
  recordFault();
  return false;
}

bool FaultFileSystem::beforeTruncate() {
  ++truncates_;
  if (!failTruncate_.fires(truncates_)) return true;
  recordFault();
  return false;
}

bool FaultFileSystem::beforeRead(const std::string& path) {
  ++reads_;
  ++readsByPath_[path];
  if (failReads_.at == 0 || reads_ < failReads_.at) return true;
  recordFault();
  return false;
}

}  // namespace vt::engine
