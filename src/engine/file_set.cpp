#include "file_set.h"

#include <algorithm>

#include "status.h"
#include "table_impl.h"

namespace vt::engine {

namespace {

std::string asideName(const std::string& target) {
  return target + ".old";
}

std::string recordPath(const std::string& dir) {
  return joinPath(dir, kFileSetRecord);
}

bool isTable(const std::string& path) {
  if (path.size() < 4) return false;
  std::string end = path.substr(path.size() - 4);
  std::transform(end.begin(), end.end(), end.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return end == ".dbf";
}

using HeldFiles = std::vector<std::unique_ptr<File>>;

// Takes the open lock alone on each of `paths` that exists.
int holdAlone(FileSystem& fs, const std::vector<std::string>& paths, HeldFiles* held) {
  for (const std::string& path : paths) {
    if (path.empty() || !fs.exists(path)) continue;
    std::unique_ptr<File> file = fs.open(path, OpenMode::ReadWrite);
    if (!file) return kErrOpen;
    if (!file->lock(kOpenLockOffset, 1, LockKind::Exclusive, false)) return kErrLocked;
    held->push_back(std::move(file));
  }
  return kOk;
}

// The new tables, so that no one opens one before the change is complete.
int holdIncoming(FileSystem& fs, const ReplacePairs& changes, HeldFiles* held) {
  std::vector<std::string> paths;
  for (const auto& [incoming, target] : changes) {
    if (isTable(target)) paths.push_back(incoming);
  }
  return holdAlone(fs, paths, held);
}

// Every file that is, was or will be one of the change's tables.
int holdEveryTable(FileSystem& fs, const ReplacePairs& changes, HeldFiles* held) {
  std::vector<std::string> paths;
  for (const auto& [incoming, target] : changes) {
    if (isTable(target)) paths.insert(paths.end(), {incoming, target, asideName(target)});
  }
  return holdAlone(fs, paths, held);
}

void removeIncoming(FileSystem& fs, const ReplacePairs& changes) {
  for (const auto& change : changes) {
    if (!change.first.empty()) fs.remove(change.first);
  }
}

int swapIn(FileSystem& fs, const ReplacePairs& changes) {
  for (const auto& [incoming, target] : changes) {
    if (fs.exists(target) && !fs.rename(target, asideName(target))) return kErrWrite;
    if (!incoming.empty() && !fs.rename(incoming, target)) return kErrWrite;
  }
  return kOk;
}

// Undoes one change as far as it went: a new file that took the target's
// name goes back to its own, the target comes back from aside.
bool putBack(FileSystem& fs, const std::string& incoming, const std::string& target) {
  if (!incoming.empty() && !fs.exists(incoming) && fs.exists(target) &&
      !fs.rename(target, incoming)) {
    return false;
  }
  const std::string aside = asideName(target);
  return !fs.exists(aside) || fs.rename(aside, target);
}

// After a failure once the record was written: every target put back, the
// record and the new files removed. The record is removed only once every
// target is back, so a stop on the way is finished forwards by the next open.
int undo(FileSystem& fs, const std::string& dir, const ReplacePairs& changes, int status) {
  bool back = true;
  for (auto it = changes.rbegin(); it != changes.rend(); ++it) {
    back = putBack(fs, it->first, it->second) && back;
  }
  if (!back || !fs.syncDir(dir) || !fs.remove(recordPath(dir))) return status;
  removeIncoming(fs, changes);
  fs.syncDir(dir);
  return status;
}

// Whether a change's target is as the change leaves it: holding its new file,
// or gone when it is only removed.
bool inPlace(FileSystem& fs, const std::pair<std::string, std::string>& change) {
  return change.first.empty() ? !fs.exists(change.second) : fs.exists(change.second);
}

// The change completed: the moved-aside files go, each only once its target
// is in place, then the record. kErrWrite when one of them stays or the
// directory cannot be synced; the record then stays for the next open.
int dropAside(FileSystem& fs, const std::string& dir, const ReplacePairs& changes) {
  bool gone = true;
  for (const auto& change : changes) {
    const std::string aside = asideName(change.second);
    if (!fs.exists(aside)) continue;
    gone = inPlace(fs, change) && fs.remove(aside) && gone;
  }
  if (!gone || !fs.syncDir(dir) || !fs.remove(recordPath(dir))) return kErrWrite;
  return fs.syncDir(dir) ? kOk : kErrWrite;
}

// The files a recorded change cannot be carried forward without: a new file
// that is neither under its own name nor under its target's.
std::vector<std::string> lostFiles(FileSystem& fs, const std::string& dir,
                                   const ReplacePairs& changes) {
  std::vector<std::string> lost;
  for (const auto& [incoming, target] : changes) {
    if (incoming.empty() || fs.exists(incoming) || fs.exists(target)) continue;
    std::string name = incoming;
    if (name.rfind(dir + "/", 0) == 0) name = name.substr(dir.size() + 1);
    lost.push_back(name);
  }
  return lost;
}

// Carries a recorded change forwards from wherever it stopped: a new file
// still under its own name replaces its target, a target to be removed goes.
int rollForward(FileSystem& fs, const std::string& dir, const ReplacePairs& changes) {
  for (const auto& [incoming, target] : changes) {
    if (!incoming.empty() && fs.exists(incoming) && !fs.rename(incoming, target)) return kErrWrite;
    if (incoming.empty() && fs.exists(target) && !fs.remove(target)) return kErrWrite;
  }
  if (!fs.syncDir(dir)) return kErrWrite;
  return dropAside(fs, dir, changes);
}

}  // namespace

bool fileSetPending(FileSystem& fs, const std::string& dir) {
  return fs.exists(recordPath(dir));
}

int commitFileSet(FileSystem& fs, const std::string& dir, const ReplacePairs& changes) {
  HeldFiles held;
  int status = fileSetPending(fs, dir) ? kErrLocked : holdIncoming(fs, changes, &held);
  if (status == kOk) status = writeReplace(fs, dir, recordPath(dir), changes);
  if (status < 0) {
    removeIncoming(fs, changes);
    return status;
  }
  status = fs.syncDir(dir) ? swapIn(fs, changes) : kErrWrite;
  if (status == kOk && !fs.syncDir(dir)) status = kErrWrite;
  if (status < 0) return undo(fs, dir, changes, status);
  return dropAside(fs, dir, changes);
}

int finishFileSet(FileSystem& fs, const std::string& dir, std::vector<std::string>* lost) {
  if (!fileSetPending(fs, dir)) return kOk;
  ReplacePairs changes;
  int status = readReplace(fs, dir, recordPath(dir), &changes);
  if (status < 0) return status;
  HeldFiles held;
  status = holdEveryTable(fs, changes, &held);
  if (status < 0) return status;
  const std::vector<std::string> missing = lostFiles(fs, dir, changes);
  if (lost) *lost = missing;
  return missing.empty() ? rollForward(fs, dir, changes) : kErrUnfinished;
}

}  // namespace vt::engine
