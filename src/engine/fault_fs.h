// A file system for tests that wraps another one, counts calls and makes
// chosen calls fail, to prove that every failure is reported and leaves the
// files valid. Typical use:
//
//   for (uint64_t n = 1;; ++n) {
//     FaultFileSystem ffs(realFileSystem());
//     ffs.failWriteAt(n);
//     int status = operation(ffs);
//     if (!ffs.faultHit()) break;   // the operation needed fewer writes
//     check(status < 0 && files still valid);
//   }
//
// Each "...At(n)" fault is counted from the moment it is set: n = 1 is the
// next call of that kind, over all files. A write or rename fault hits
// once; calls after it succeed again, as after a transient error.
// diskFullAfter() stays in force until reset().
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "io.h"

namespace vt::engine {

class FaultFileSystem final : public FileSystem {
 public:
  explicit FaultFileSystem(FileSystem& inner) : inner_(inner) {}

  // ---- faults --------------------------------------------------------------
  // The n-th write from now fails without writing anything.
  void failWriteAt(uint64_t n) { failWrite_.arm(writes_, n); }
  // The n-th write from now writes only the first half of its bytes, then
  // reports failure.
  void shortWriteAt(uint64_t n) { shortWrite_.arm(writes_, n); }
  // Once `bytes` more bytes have been written (over all files), every write
  // fails; the write that crosses the limit writes what still fits.
  void diskFullAfter(uint64_t bytes);
  void failRenameAt(uint64_t n) { failRename_.arm(renames_, n); }
  void failSyncAt(uint64_t n) { failSync_.arm(syncs_, n); }
  void failTruncateAt(uint64_t n) { failTruncate_.arm(truncates_, n); }
  // The n-th open from now returns nullptr.
  void failOpenAt(uint64_t n) { failOpen_.arm(opens_, n); }
  // From the n-th read from now on, every read fails, as on a disk gone bad,
  // until reset().
  void failReadsFrom(uint64_t n) { failReads_.arm(reads_, n); }

  // Whether any armed fault has been injected since the last reset().
  bool faultHit() const { return faultsHit_ > 0; }
  uint64_t faultsHit() const { return faultsHit_; }

  // ---- counters (since construction or reset()) --------------------------
  uint64_t writes() const { return writes_; }
  uint64_t bytesWritten() const { return bytesWritten_; }
  uint64_t reads() const { return reads_; }
  uint64_t readsOf(const std::string& path) const;
  uint64_t renames() const { return renames_; }
  uint64_t syncs() const { return syncs_; }
  uint64_t opens() const { return opens_; }

  // Clears faults and counters.
  void reset();

  // ---- FileSystem ----------------------------------------------------------
  std::unique_ptr<File> open(const std::string& path, OpenMode mode) override;
  bool rename(const std::string& from, const std::string& to) override;
  bool remove(const std::string& path) override { return inner_.remove(path); }
  bool exists(const std::string& path) override { return inner_.exists(path); }
  std::vector<std::string> list(const std::string& dir) override { return inner_.list(dir); }
  bool syncDir(const std::string& dir) override;
  bool identity(const std::string& path, FileIdentity* out) override {
    return inner_.identity(path, out);
  }

 private:
  class FaultFile;
  friend class FaultFile;

  // A one-shot fault: fires on the call whose running count equals `at`.
  struct Trigger {
    uint64_t at = 0;  // 0: not armed
    void arm(uint64_t countNow, uint64_t n) { at = n == 0 ? 0 : countNow + n; }
    bool fires(uint64_t count) const { return at != 0 && count == at; }
  };

  // Called by files; each returns whether the call may go ahead.
  enum class WriteVerdict { Proceed, Fail, Partial };
  WriteVerdict beforeWrite(size_t n, size_t* allowed);
  bool beforeRead(const std::string& path);
  bool beforeSync();
  bool beforeTruncate();
  void recordFault() { ++faultsHit_; }

  FileSystem& inner_;
  Trigger failWrite_, shortWrite_, failRename_, failSync_, failTruncate_, failOpen_, failReads_;
  bool diskLimited_ = false;
  uint64_t diskLimit_ = 0;  // in bytesWritten_ terms
  uint64_t writes_ = 0, bytesWritten_ = 0, reads_ = 0, renames_ = 0, syncs_ = 0;
  uint64_t truncates_ = 0, opens_ = 0, faultsHit_ = 0;
  std::map<std::string, uint64_t> readsByPath_;
};

}  // namespace vt::engine
