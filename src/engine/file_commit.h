// Replacing several files at once so that an interruption at any moment
// leaves either all old files or all new ones. New files are written beside
// the old under temporary names; a marker file listing the pairs is made
// durable before the first rename, and removed after the last. A user who
// has the table alone finishes a replacement whose marker is still there.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "io.h"

namespace vt::engine {

using ReplacePairs = std::vector<std::pair<std::string, std::string>>;  // temp -> final

int commitReplace(FileSystem& fs, const std::string& dir, const std::string& marker,
                  const ReplacePairs& pairs);
// Writes the marker listing `pairs` under a temporary name, syncs it and
// renames it into place, so that it is either complete or absent.
int writeReplace(FileSystem& fs, const std::string& marker, const ReplacePairs& pairs);
// The pairs of an unfinished replacement as its marker lists them.
int readReplace(FileSystem& fs, const std::string& marker, ReplacePairs* pairs);
// Carries out the renames whose temporary file is still there, then removes
// the marker. Only for a caller holding the files alone.
int finishReplace(FileSystem& fs, const std::string& dir, const std::string& marker,
                  const ReplacePairs& pairs);

}  // namespace vt::engine
