// The one interface through which the engine touches files. Real files use
// POSIX calls; tests substitute a file system that injects faults.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vt::engine {

enum class OpenMode {
  ReadOnly,   // existing file, reads only
  ReadWrite,  // existing file
  Create,     // create or truncate, read and write
};

enum class LockKind { Shared, Exclusive };

// Which file on disk an open file or a path is (device and inode).
struct FileIdentity {
  uint64_t device = 0, inode = 0;
  bool operator==(const FileIdentity&) const = default;
};

class File {
 public:
  virtual ~File() = default;
  // Reads up to n bytes at offset. *got receives the count read (less than n
  // only at end of file). Returns false on an I/O error.
  virtual bool read(uint64_t offset, void* buf, size_t n, size_t* got) = 0;
  // Writes all n bytes at offset or returns false (a short write is an error).
  virtual bool write(uint64_t offset, const void* buf, size_t n) = 0;
  virtual bool size(uint64_t* out) = 0;
  virtual bool truncate(uint64_t size) = 0;
  virtual bool sync() = 0;
  // Advisory byte-range locks that belong to this open file (not to the
  // process), so two opens in one process exclude each other like two
  // processes do. wait=false fails at once when the range is held.
  virtual bool lock(uint64_t offset, uint64_t length, LockKind kind, bool wait) = 0;
  virtual bool unlock(uint64_t offset, uint64_t length) = 0;
  // The file on disk this open file is; false when that cannot be told.
  virtual bool identity(FileIdentity*) { return false; }
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Returns nullptr on failure.
  virtual std::unique_ptr<File> open(const std::string& path, OpenMode mode) = 0;
  // Replaces `to` atomically by `from`.
  virtual bool rename(const std::string& from, const std::string& to) = 0;
  virtual bool remove(const std::string& path) = 0;
  virtual bool exists(const std::string& path) = 0;
  // Names (not paths) of the entries of a directory; empty when unreadable.
  virtual std::vector<std::string> list(const std::string& dir) = 0;
  // Makes renames in the directory durable.
  virtual bool syncDir(const std::string& dir) = 0;
  // The file on disk `path` names now; false when none or it cannot be told.
  virtual bool identity(const std::string&, FileIdentity*) { return false; }
};

// Whether `path` still names `file`: false when it names another file or
// none; true when that cannot be told.
bool stillNamed(FileSystem& fs, const std::string& path, File& file);

// The process's real file system.
FileSystem& realFileSystem();

// Makes a write past the process's file-size limit (ulimit -f) fail with
// EFBIG, a write error like any other, instead of ending the process with
// SIGXFSZ. Each program calls it once as it starts.
void writePastSizeLimitFails();

// Path of `name` in `dir`, matching the name without regard to case. When
// no entry matches, returns dir + "/" + name unchanged. An exact match wins
// over a case-insensitive one.
std::string resolvePath(FileSystem& fs, const std::string& dir, const std::string& name);

}  // namespace vt::engine
