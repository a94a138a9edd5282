#include "data/whole_file.h"

#include <cerrno>
#include <filesystem>
#include <vector>

namespace vt::data {

namespace {

bool writeTemporary(engine::FileSystem& fs, const std::string& temp, const std::string& bytes) {
  const std::unique_ptr<engine::File> file = fs.open(temp, engine::OpenMode::Create);
  return file && file->write(0, bytes.data(), bytes.size()) && file->sync();
}

}  // namespace

bool WriteWholeFile(engine::FileSystem& fs, const std::string& path, const std::string& bytes) {
  const std::string temp = path + ".tmp";
  if (!writeTemporary(fs, temp, bytes) || !fs.rename(temp, path)) {
    fs.remove(temp);
    return false;
  }
  const std::string dir = std::filesystem::path(path).parent_path().string();
  fs.syncDir(dir.empty() ? "." : dir);
  return true;
}

bool ReadWholeFile(engine::FileSystem& fs, const std::string& path, std::string& bytes) {
  const std::unique_ptr<engine::File> file = fs.open(path, engine::OpenMode::ReadOnly);
  uint64_t size = 0;
  if (!file || !file->size(&size)) return false;
  bytes.assign(static_cast<size_t>(size), '\0');
  size_t got = 0;
  return bytes.empty() || (file->read(0, bytes.data(), bytes.size(), &got) && got == bytes.size());
}

StreamResult StreamBytes(engine::File& in, engine::File& out) {
  constexpr size_t kChunk = 256 * 1024;
  std::vector<char> buffer(kChunk);
  for (uint64_t offset = 0;; offset += kChunk) {
    size_t got = 0;
    if (!in.read(offset, buffer.data(), kChunk, &got)) return StreamResult::ReadFailed;
    errno = 0;
    if (got > 0 && !out.write(offset, buffer.data(), got)) return StreamResult::WriteFailed;
    if (got < kChunk) return StreamResult::Done;
  }
}

}  // namespace vt::data
