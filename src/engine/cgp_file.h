// The .cgp group file: the index files of one table, one base name a line.
#pragma once

#include <string>
#include <vector>

#include "io.h"

namespace vt::engine {

// Reads the base names listed in a group file (extensions dropped, blank
// lines skipped). Returns a status.
int readGroupFile(FileSystem& fs, const std::string& path, std::vector<std::string>* names);
// Writes a group file with CRLF line ends.
int writeGroupFile(FileSystem& fs, const std::string& path, const std::vector<std::string>& names);

}  // namespace vt::engine
