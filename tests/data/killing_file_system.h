// The real file system, with the process killed at its `limit`-th change (a
// write, truncation, creation, rename or removal; never with 0): the tests
// that stop work dead at every change in turn run it in a child process. A
// killed process loses nothing the system has accepted, so syncing is
// skipped to keep the runs short.
#pragma once

#include <signal.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/io.h"

namespace vt::data::testing {

class KillingFileSystem final : public engine::FileSystem {
 public:
  explicit KillingFileSystem(uint64_t limit) : limit_(limit) {}

  std::unique_ptr<engine::File> open(const std::string& path, engine::OpenMode mode) override {
    if (mode == engine::OpenMode::Create) step();
    auto inner = real().open(path, mode);
    if (!inner) return nullptr;
    return std::make_unique<KilledFile>(std::move(inner), *this);
  }
  bool rename(const std::string& a, const std::string& b) override {
    step();
    return real().rename(a, b);
  }
  bool remove(const std::string& p) override {
    step();
    return real().remove(p);
  }
  bool exists(const std::string& p) override { return real().exists(p); }
  std::vector<std::string> list(const std::string& d) override { return real().list(d); }
  bool syncDir(const std::string&) override { return true; }
  bool identity(const std::string& p, engine::FileIdentity* out) override {
    return real().identity(p, out);
  }

 private:
  class KilledFile final : public engine::File {
   public:
    KilledFile(std::unique_ptr<File> f, KillingFileSystem& fs) : f_(std::move(f)), fs_(fs) {}
    bool read(uint64_t o, void* b, size_t n, size_t* got) override {
      return f_->read(o, b, n, got);
    }
    bool write(uint64_t o, const void* b, size_t n) override {
      fs_.step();
      return f_->write(o, b, n);
    }
    bool size(uint64_t* out) override { return f_->size(out); }
    bool truncate(uint64_t s) override {
      fs_.step();
      return f_->truncate(s);
    }
    bool sync() override { return true; }
    bool lock(uint64_t o, uint64_t l, engine::LockKind k, bool w) override {
      return f_->lock(o, l, k, w);
    }
    bool unlock(uint64_t o, uint64_t l) override { return f_->unlock(o, l); }
    bool identity(engine::FileIdentity* out) override { return f_->identity(out); }

   private:
    std::unique_ptr<File> f_;
    KillingFileSystem& fs_;
  };
  static engine::FileSystem& real() { return engine::realFileSystem(); }
  void step() {
    if (++count_ == limit_) raise(SIGKILL);
  }
  uint64_t limit_;
  uint64_t count_ = 0;
};

}  // namespace vt::data::testing
