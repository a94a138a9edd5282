// Changing the files of several tables as one unit: restoring a backup,
// writing one, taking over older data. Every new file is written complete
// and synced beside its target first. Then a record listing the changes is
// made durable in the directory, each target is moved aside (TARGET.old)
// and its new file renamed over it; the moved-aside files and the record go
// last. The record names the files relative to its directory, so that it is
// finished the same way whatever the working directory. A failure on the way puts every target back
// and removes the new files. A stop (a crash, a kill) leaves the record: the next user to open a
// table of the directory finishes the change, holding each of its tables
// alone while doing so.
#pragma once

#include <string>
#include <vector>

#include "file_commit.h"
#include "io.h"

namespace vt::engine {

// The record's name in the directory it changes.
inline constexpr const char* kFileSetRecord = "files.commit";

// Each change is (new file, target); an empty new file removes the target.
// The targets are in `dir`; the new files in `dir` or a folder inside it
// (kErrArgument, nothing changed, for a path outside it). 0 when every target
// holds its new file and the record is gone. kErrWrite when every target
// holds its new file but the moved-aside files or the record could not be
// removed and made durable: the record stays for the next open to finish.
// Otherwise the negative status,
// with every target as it was and the new files removed; only when even
// putting them back fails does the record stay, for the next open to finish
// the change. kErrLocked, with the new files removed and the targets
// untouched, while another change of `dir` is unfinished.
int commitFileSet(FileSystem& fs, const std::string& dir, const ReplacePairs& changes);

// Whether a change of `dir` is unfinished.
bool fileSetPending(FileSystem& fs, const std::string& dir);

// Finishes an unfinished change of `dir`: 0 when there was none or it is
// now complete; kErrLocked, touching nothing, while another user holds one
// of its tables (the change may be that user's, under way); kErrUnfinished,
// touching nothing, when a new file is neither under its own name nor its
// target's (those names in `lost`); kErrFormat when the record cannot be
// read; another negative status when a rename fails (the record stays).
int finishFileSet(FileSystem& fs, const std::string& dir, std::vector<std::string>* lost = nullptr);

}  // namespace vt::engine
