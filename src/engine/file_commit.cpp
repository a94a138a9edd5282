#include "file_commit.h"

#include <filesystem>
#include <tuple>

#include "status.h"
#include "table_impl.h"

namespace vt::engine {

namespace {

constexpr uint64_t kMaxMarker = 64 * 1024;
// The first line of a marker whose names are relative to its directory.
// Markers written before it named the files as the program was given them.
constexpr const char* kRelativeHeader = "names relative to this directory";

// `path` as a name inside `dir` ("CUST5.dbf", "import-work/CUST5.dbf");
// false when it is not inside.
bool nameInside(const std::string& dir, const std::string& path, std::string* name) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path base = fs::absolute(dir.empty() ? "." : dir, error).lexically_normal();
  const fs::path full = fs::absolute(path, error).lexically_normal();
  const std::string relative = full.lexically_relative(base).generic_string();
  if (error || relative.empty() || relative == "." || relative.rfind("..", 0) == 0) return false;
  *name = relative;
  return true;
}

// A name read back from a marker: inside its directory, never above it.
bool safeName(const std::string& name) {
  if (name.empty() || name.front() == '/') return false;
  for (const auto& part : std::filesystem::path(name)) {
    if (part == "..") return false;
  }
  return true;
}

// A line of a marker written before names were relative: the target's own
// name, and the new file's path below the target's directory.
std::pair<std::string, std::string> olderLine(const std::string& from, const std::string& to) {
  const std::filesystem::path target(to);
  const std::string parent = target.parent_path().generic_string();
  std::string incoming = from;
  if (!parent.empty() && incoming.rfind(parent + "/", 0) == 0) {
    incoming = incoming.substr(parent.size() + 1);
  } else if (!incoming.empty()) {
    incoming = std::filesystem::path(incoming).filename().string();
  }
  return {incoming, target.filename().string()};
}

std::string encode(const std::string& dir, const ReplacePairs& pairs, bool* inside) {
  std::string text = std::string(kRelativeHeader) + '\n';
  for (const auto& [from, to] : pairs) {
    std::string fromName, toName;
    if ((!from.empty() && !nameInside(dir, from, &fromName)) || !nameInside(dir, to, &toName)) {
      *inside = false;
    }
    text += fromName + '\t' + toName + '\n';
  }
  return text + "end\n";
}

int decode(const std::string& dir, const std::string& text, ReplacePairs* pairs) {
  size_t pos = 0;
  bool relative = false;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) return kErrFormat;
    std::string line = text.substr(pos, end - pos);
    if (pos == 0 && line == kRelativeHeader) {
      relative = true;
      pos = end + 1;
      continue;
    }
    pos = end + 1;
    if (line == "end") return kOk;
    size_t tab = line.find('\t');
    if (tab == std::string::npos) return kErrFormat;
    std::string from = line.substr(0, tab), to = line.substr(tab + 1);
    if (!relative) std::tie(from, to) = olderLine(from, to);
    if ((!from.empty() && !safeName(from)) || !safeName(to)) return kErrFormat;
    pairs->emplace_back(from.empty() ? from : joinPath(dir, from), joinPath(dir, to));
  }
  return kErrFormat;  // a marker is only renamed into place complete
}

int renameAll(FileSystem& fs, const std::string& dir, const ReplacePairs& pairs) {
  for (const auto& [from, to] : pairs) {
    if (fs.exists(from) && !fs.rename(from, to)) return kErrWrite;
  }
  return fs.syncDir(dir) ? kOk : kErrWrite;
}

}  // namespace

int writeReplace(FileSystem& fs, const std::string& dir, const std::string& marker,
                 const ReplacePairs& pairs) {
  bool inside = true;
  const std::string text = encode(dir, pairs, &inside);
  if (!inside) return kErrArgument;
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

int commitReplace(FileSystem& fs, const std::string& dir, const std::string& marker,
                  const ReplacePairs& pairs) {
  int status = writeReplace(fs, dir, marker, pairs);
  if (status == kOk && !fs.syncDir(dir)) status = kErrWrite;
  if (status < 0) {
    for (const auto& p : pairs) fs.remove(p.first);
    return status;
  }
  // On failure the marker stays: the next user to have the table alone
  // completes the renames.
  return finishReplace(fs, dir, marker, pairs);
}

int readReplace(FileSystem& fs, const std::string& dir, const std::string& marker,
                ReplacePairs* pairs) {
  auto file = fs.open(marker, OpenMode::ReadOnly);
  if (!file) return kErrOpen;
  uint64_t size = 0;
  if (!file->size(&size) || size > kMaxMarker) return kErrFormat;
  std::string text(size, '\0');
  size_t got = 0;
  if (size > 0 && (!file->read(0, text.data(), size, &got) || got != size)) return kErrRead;
  return decode(dir, text, pairs);
}

int finishReplace(FileSystem& fs, const std::string& dir, const std::string& marker,
                  const ReplacePairs& pairs) {
  int status = renameAll(fs, dir, pairs);
  if (status == kOk && !fs.remove(marker)) status = kErrWrite;
  return status;
}

}  // namespace vt::engine
