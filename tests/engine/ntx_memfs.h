// An in-memory file system for the index tests: fast, and it lets a test
// look at and change the bytes of a file directly. Files opened twice share
// their bytes, as two handles on one real file do; locks always succeed.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/io.h"

namespace vt::engine::test {

class MemFileSystem final : public FileSystem {
 public:
  using Bytes = std::vector<uint8_t>;

  std::unique_ptr<File> open(const std::string& path, OpenMode mode) override {
    auto it = files_.find(path);
    if (mode == OpenMode::Create) {
      if (it == files_.end()) it = files_.emplace(path, std::make_shared<Bytes>()).first;
      it->second->clear();
    } else if (it == files_.end()) {
      return nullptr;
    }
    return std::make_unique<MemFile>(it->second, mode != OpenMode::ReadOnly);
  }
  bool rename(const std::string& from, const std::string& to) override {
    auto it = files_.find(from);
    if (it == files_.end()) return false;
    files_[to] = it->second;
    files_.erase(from);
    return true;
  }
  bool remove(const std::string& path) override { return files_.erase(path) > 0; }
  bool exists(const std::string& path) override { return files_.count(path) > 0; }
  std::vector<std::string> list(const std::string&) override {
    std::vector<std::string> names;
    for (const auto& f : files_) names.push_back(f.first);
    return names;
  }
  bool syncDir(const std::string&) override { return true; }

  // The bytes of a file, shared with its open handles.
  Bytes& bytes(const std::string& path) { return *files_.at(path); }

 private:
  class MemFile final : public File {
   public:
    MemFile(std::shared_ptr<Bytes> data, bool writable)
        : data_(std::move(data)), writable_(writable) {}
    bool read(uint64_t offset, void* buf, size_t n, size_t* got) override {
      size_t avail = offset < data_->size() ? data_->size() - offset : 0;
      *got = std::min(n, avail);
      if (*got > 0) std::memcpy(buf, data_->data() + offset, *got);
      return true;
    }
    bool write(uint64_t offset, const void* buf, size_t n) override {
      if (!writable_) return false;
      if (data_->size() < offset + n) data_->resize(offset + n);
      std::memcpy(data_->data() + offset, buf, n);
      return true;
    }
    bool size(uint64_t* out) override {
      *out = data_->size();
      return true;
    }
    bool truncate(uint64_t size) override {
      if (!writable_) return false;
      data_->resize(size);
      return true;
    }
    bool sync() override { return true; }
    bool lock(uint64_t, uint64_t, LockKind, bool) override { return true; }
    bool unlock(uint64_t, uint64_t) override { return true; }

   private:
    std::shared_ptr<Bytes> data_;
    bool writable_;
  };

  std::map<std::string, std::shared_ptr<Bytes>> files_;
};

}  // namespace vt::engine::test
