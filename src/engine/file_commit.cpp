#include "file_commit.h"

#include "status.h"

namespace vt::engine {

namespace {

constexpr uint64_t kMaxMarker = 64 * 1024;

}  // namespace

int writeReplace(FileSystem& fs, const std::string& marker, const ReplacePairs& pairs) {
  std::string text;
  for (const auto& [from, to] : pairs) text += from + '\t' + to + '\n';
  text += "end\n";
  std::string temp = marker + ".tmp";
  auto file = fs.open(temp, OpenMode::Create);
  if (!file) return kErrCreate;
  bool ok = file->write(0, text.data(), text.size()) && file->sync();
  file.reset();
  if (!ok || !fs.rename(temp, marker)) {
    fs.remove(temp);
    return kErrWrite;
  }
  return kOk;
}

namespace {

int renameAll(FileSystem& fs, const std::string& dir, const ReplacePairs& pairs) {
  for (const auto& [from, to] : pairs) {
    if (fs.exists(from) && !fs.rename(from, to)) return kErrWrite;
  }
  return fs.syncDir(dir) ? kOk : kErrWrite;
}

}  // namespace

int commitReplace(FileSystem& fs, const std::string& dir, const std::string& marker,
                  const ReplacePairs& pairs) {
  int status = writeReplace(fs, marker, pairs);
  if (status == kOk && !fs.syncDir(dir)) status = kErrWrite;
  if (status < 0) {
    for (const auto& p : pairs) fs.remove(p.first);
    return status;
  }
  // On failure the marker stays: the next user to have the table alone
  // completes the renames.
  return finishReplace(fs, dir, marker, pairs);
}

int readReplace(FileSystem& fs, const std::string& marker, ReplacePairs* pairs) {
  auto file = fs.open(marker, OpenMode::ReadOnly);
  if (!file) return kErrOpen;
  uint64_t size = 0;
  if (!file->size(&size) || size > kMaxMarker) return kErrFormat;
  std::string text(size, '\0');
  size_t got = 0;
  if (size > 0 && (!file->read(0, text.data(), size, &got) || got != size)) return kErrRead;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) return kErrFormat;
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (line == "end") return kOk;
    size_t tab = line.find('\t');
    if (tab == std::string::npos) return kErrFormat;
    pairs->emplace_back(line.substr(0, tab), line.substr(tab + 1));
  }
  return kErrFormat;  // a marker is only renamed into place complete
}

int finishReplace(FileSystem& fs, const std::string& dir, const std::string& marker,
                  const ReplacePairs& pairs) {
  int status = renameAll(fs, dir, pairs);
  if (status == kOk && !fs.remove(marker)) status = kErrWrite;
  return status;
}

}  // namespace vt::engine
