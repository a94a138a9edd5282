// Replacing several files at once so that an interruption at any moment
// leaves either all old files or all new ones. New files are written beside
// the old under temporary names; a marker file listing the pairs is made
// durable before the first rename, and removed after the last. A user who
// has the table alone finishes a replacement whose marker is still there.
//
// A marker names its files relative to the directory it lives in, so it
// means the same files whatever the working directory of the program that
// finishes it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "io.h"

namespace vt::engine {

using ReplacePairs = std::vector<std::pair<std::string, std::string>>;  // temp -> final

// Every path of `pairs` must lie inside `dir`, the marker's directory.
int commitReplace(FileSystem& fs, const std::string& dir, const std::string& marker,
                  const ReplacePairs& pairs);
// Writes the marker listing `pairs` (paths inside `dir`, an empty path left
// empty) under a temporary name, syncs it and renames it into place, so that
// it is either complete or absent. kErrArgument, writing nothing, when a path
// is not inside `dir`.
int writeReplace(FileSystem& fs, const std::string& dir, const std::string& marker,
                 const ReplacePairs& pairs);
// The pairs of an unfinished replacement as its marker lists them, as paths
// inside `dir`. kErrFormat when the marker is not a whole one or names a file
// outside its directory.
int readReplace(FileSystem& fs, const std::string& dir, const std::string& marker,
                ReplacePairs* pairs);
// Carries out the renames whose temporary file is still there, then removes
// the marker. Only for a caller holding the files alone.
int finishReplace(FileSystem& fs, const std::string& dir, const std::string& marker,
                  const ReplacePairs& pairs);

}  // namespace vt::engine
