// A full check of a data directory, reading the files directly (not through
// the engine's tables): every table opens and reads, every index holds one
// entry per record in ascending order with the key its expression gives,
// and every memo reference points at a memo that reads back terminated.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/io.h"

namespace vt::data {

struct Problem {
  std::string file;      // file name as found in the directory
  std::string location;  // "record 12", "entry 5 (record 12)" or empty
  std::string message;
  std::string text() const;  // "file: location: message"
};

struct CheckReport {
  std::vector<Problem> problems;
  int tables = 0;        // tables that opened
  uint64_t records = 0;  // records read
  int indexes = 0;       // index files walked
  uint64_t entries = 0;  // index entries compared
  uint64_t memos = 0;    // memos read back
  bool ok() const { return problems.empty(); }
};

// At most this many problems are listed per file; a last line tells how
// many more there were.
constexpr size_t kProblemsPerFile = 20;

CheckReport CheckDataDir(const std::string& dir, engine::FileSystem& fs = engine::realFileSystem());

}  // namespace vt::data
