#include "data/whole_file.h"

#include <filesystem>

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

}  // namespace vt::data
