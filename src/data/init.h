// A new data directory as an installation ships it: the nine empty tables
// with their memo files, the one settings record, and every index.
#pragma once

#include <string>
#include <vector>

#include "base/progress.h"
#include "engine/io.h"

namespace vt::data {

struct InitOutcome {
  bool ok = false;
  std::string message;  // why it refused or failed
};

// The tables' .dbf and .dbt files already in `dir` (case-insensitive names).
std::vector<std::string> ExistingDataFiles(engine::FileSystem& fs, const std::string& dir);

// Refuses a directory that holds any table or memo file. On a failure part
// way the files it created are removed again. `dir` must exist.
InitOutcome InitDataDir(const std::string& dir, base::Progress* progress = nullptr,
                        engine::FileSystem& fs = engine::realFileSystem());

}  // namespace vt::data
