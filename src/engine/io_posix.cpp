// The real file system: POSIX calls, with Linux open-file-description locks
// so that locks belong to an open file rather than to the process.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "dbf_bytes.h"
#include "io.h"

namespace vt::engine {
namespace {

class PosixFile final : public File {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override { ::close(fd_); }
  PosixFile(const PosixFile&) = delete;
  PosixFile& operator=(const PosixFile&) = delete;

  bool read(uint64_t offset, void* buf, size_t n, size_t* got) override {
    auto* p = static_cast<char*>(buf);
    size_t done = 0;
    while (done < n) {
      ssize_t r = ::pread(fd_, p + done, n - done, static_cast<off_t>(offset + done));
      if (r < 0) {
        if (errno == EINTR) continue;
        *got = done;
        return false;
      }
      if (r == 0) break;  // end of file
      done += static_cast<size_t>(r);
    }
    *got = done;
    return true;
  }

  bool write(uint64_t offset, const void* buf, size_t n) override {
    const auto* p = static_cast<const char*>(buf);
    size_t done = 0;
    while (done < n) {
      ssize_t r = ::pwrite(fd_, p + done, n - done, static_cast<off_t>(offset + done));
      if (r < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      if (r == 0) return false;  // nothing could be written: treat as full
      done += static_cast<size_t>(r);
    }
    return true;
  }

  bool size(uint64_t* out) override {
    struct stat st;
    if (::fstat(fd_, &st) != 0) return false;
    *out = static_cast<uint64_t>(st.st_size);
    return true;
  }

  bool truncate(uint64_t size) override {
    while (::ftruncate(fd_, static_cast<off_t>(size)) != 0) {
      if (errno != EINTR) return false;
    }
    return true;
  }

  bool sync() override {
    while (::fsync(fd_) != 0) {
      if (errno != EINTR) return false;
    }
    return true;
  }

  bool lock(uint64_t offset, uint64_t length, LockKind kind, bool wait) override {
    return setLock(offset, length, kind == LockKind::Shared ? F_RDLCK : F_WRLCK, wait);
  }

  bool unlock(uint64_t offset, uint64_t length) override {
    return setLock(offset, length, F_UNLCK, false);
  }

  bool identity(FileIdentity* out) override {
    struct stat st;
    if (::fstat(fd_, &st) != 0) return false;
    *out = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
    return true;
  }

 private:
  bool setLock(uint64_t offset, uint64_t length, short type, bool wait) {
    struct flock fl;
    std::memset(&fl, 0, sizeof fl);
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = static_cast<off_t>(offset);
    fl.l_len = static_cast<off_t>(length);
    fl.l_pid = 0;  // required for open-file-description locks
    const int cmd = wait ? F_OFD_SETLKW : F_OFD_SETLK;
    while (::fcntl(fd_, cmd, &fl) != 0) {
      if (errno != EINTR) return false;
    }
    return true;
  }

  int fd_;
};

int openFlags(OpenMode mode) {
  switch (mode) {
    case OpenMode::ReadOnly:
      return O_RDONLY;
    case OpenMode::ReadWrite:
      return O_RDWR;
    case OpenMode::Create:
      return O_RDWR | O_CREAT | O_TRUNC;
  }
  return O_RDONLY;
}

bool syncFd(int fd) {
  while (::fsync(fd) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

class PosixFileSystem final : public FileSystem {
 public:
  std::unique_ptr<File> open(const std::string& path, OpenMode mode) override {
    int fd;
    do {
      fd = ::open(path.c_str(), openFlags(mode) | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return nullptr;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      return nullptr;
    }
    return std::make_unique<PosixFile>(fd);
  }

  bool rename(const std::string& from, const std::string& to) override {
    return ::rename(from.c_str(), to.c_str()) == 0;
  }

  bool remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

  bool exists(const std::string& path) override {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
  }

  std::vector<std::string> list(const std::string& dir) override {
    std::vector<std::string> names;
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (d == nullptr) return names;
    while (const dirent* e = ::readdir(d)) {
      if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
      names.emplace_back(e->d_name);
    }
    ::closedir(d);
    std::sort(names.begin(), names.end());  // a stable order whatever the directory's
    return names;
  }

  bool syncDir(const std::string& dir) override {
    int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = syncFd(fd);
    ::close(fd);
    return ok;
  }

  bool identity(const std::string& path, FileIdentity* out) override {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return false;
    *out = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
    return true;
  }
};

std::string joinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

}  // namespace

FileSystem& realFileSystem() {
  static PosixFileSystem fs;
  return fs;
}

void writePastSizeLimitFails() {
  ::signal(SIGXFSZ, SIG_IGN);
}

bool stillNamed(FileSystem& fs, const std::string& path, File& file) {
  FileIdentity opened, named;
  if (!file.identity(&opened)) return true;
  if (!fs.identity(path, &named)) return fs.exists(path);  // gone, or cannot be told
  return named == opened;
}

std::string resolvePath(FileSystem& fs, const std::string& dir, const std::string& name) {
  const std::string exact = joinPath(dir, name);
  if (fs.exists(exact)) return exact;
  for (const std::string& entry : fs.list(dir)) {
    if (equalNoCaseAscii(entry, name)) return joinPath(dir, entry);
  }
  return exact;
}

}  // namespace vt::engine
