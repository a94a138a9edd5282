#include "cgp_file.h"

#include "status.h"

namespace vt::engine {

namespace {

constexpr uint64_t kMaxGroupFile = 64 * 1024;

std::string baseName(std::string line) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
  size_t start = line.find_first_not_of(" \t");
  if (start == std::string::npos) return {};
  line = line.substr(start);
  size_t slash = line.find_last_of("/\\");
  if (slash != std::string::npos) line = line.substr(slash + 1);
  size_t dot = line.rfind('.');
  if (dot != std::string::npos && dot > 0) line = line.substr(0, dot);
  return line;
}

}  // namespace

int readGroupFile(FileSystem& fs, const std::string& path, std::vector<std::string>* names) {
  names->clear();
  auto file = fs.open(path, OpenMode::ReadOnly);
  if (!file) return kErrOpen;
  uint64_t size = 0;
  if (!file->size(&size)) return kErrRead;
  if (size > kMaxGroupFile) return kErrIndex;
  std::string text(size, '\0');
  size_t got = 0;
  if (size > 0 && (!file->read(0, text.data(), size, &got) || got != size)) return kErrRead;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    for (char c : line) {
      if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return kErrIndex;
    }
    std::string name = baseName(line);
    if (!name.empty()) names->push_back(name);
    pos = end + 1;
  }
  return kOk;
}

int writeGroupFile(FileSystem& fs, const std::string& path, const std::vector<std::string>& names) {
  std::string text;
  for (const auto& n : names) text += n + "\r\n";
  auto file = fs.open(path, OpenMode::Create);
  if (!file) return kErrCreate;
  if (!file->write(0, text.data(), text.size()) || !file->sync()) return kErrWrite;
  return kOk;
}

}  // namespace vt::engine
