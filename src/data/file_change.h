// Several data files changed as one unit (engine/file_set.h): each new file
// is written complete beside its target under the name incomingFor() gives,
// then commit() swaps them all in at once. Until then the targets are
// untouched; a change given up removes the new files again. The new files
// are in the targets' directory or a folder inside it.
#pragma once

#include <string>
#include <vector>

#include "engine/file_commit.h"
#include "engine/io.h"

namespace vt::data {

class FileChange {
 public:
  // `dir` is the directory the targets are in.
  FileChange(engine::FileSystem& fs, std::string dir) : fs_(fs), dir_(std::move(dir)) {}
  ~FileChange();
  FileChange(const FileChange&) = delete;
  FileChange& operator=(const FileChange&) = delete;

  static std::string incomingFor(const std::string& target) { return target + ".copying"; }
  // `incoming` (complete and synced) is to replace `target`.
  void replace(const std::string& incoming, const std::string& target);
  // `target` is to go, when it is there.
  void remove(const std::string& target);
  // 0 when every target holds its new file; else the negative status with
  // every target as it was (engine::commitFileSet).
  int commit();

 private:
  engine::FileSystem& fs_;
  std::string dir_;
  engine::ReplacePairs changes_;
  bool committed_ = false;
};

// Finishes a change of `dir` that a stop left unfinished; 0, or the negative
// status of engine::finishFileSet (kErrLocked while another program holds
// one of its tables; kErrUnfinished with the files not found in `lost`).
int FinishFileChange(engine::FileSystem& fs, const std::string& dir,
                     std::vector<std::string>* lost = nullptr);

}  // namespace vt::data
