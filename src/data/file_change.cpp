#include "data/file_change.h"

#include "engine/file_set.h"

namespace vt::data {

FileChange::~FileChange() {
  if (committed_) return;
  for (const auto& change : changes_) {
    if (!change.first.empty()) fs_.remove(change.first);
  }
}

void FileChange::replace(const std::string& incoming, const std::string& target) {
  changes_.emplace_back(incoming, target);
}

void FileChange::remove(const std::string& target) {
  if (fs_.exists(target)) changes_.emplace_back(std::string(), target);
}

int FileChange::commit() {
  committed_ = true;  // the commit removes the new files itself when it fails
  return engine::commitFileSet(fs_, dir_, changes_);
}

int FinishFileChange(engine::FileSystem& fs, const std::string& dir,
                     std::vector<std::string>* lost) {
  return engine::finishFileSet(fs, dir, lost);
}

}  // namespace vt::data
