// A dBASE III memo file (.dbt): 512-byte blocks, block 0 the header holding
// the next free block; each memo is its text followed by 0x1A 0x1A.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "io.h"
#include "status.h"

namespace vt::engine {

class DbtFile {
 public:
  static constexpr uint32_t kBlockSize = 512;

  static int open(FileSystem& fs, const std::string& path, bool writable,
                  std::unique_ptr<DbtFile>* out);
  static int create(FileSystem& fs, const std::string& path);

  ~DbtFile();

  // Reads the memo starting at `block` (>= 1). A memo that runs past the end
  // of the file without its terminator is kErrMemo.
  int read(uint32_t block, std::string* text);
  // Appends a memo at the next free block; *block receives where it starts.
  // An empty text writes nothing and gives block 0 (no memo). A text that
  // could not be read back whole (one holding 0x1A 0x1A or ending in 0x1A)
  // is kErrArgument.
  int write(std::string_view text, uint32_t* block);
  uint32_t nextFree() const;
  // Takes up where the file now ends (another process may have appended).
  // Writes the pending header first.
  int refresh();
  // Writes the header's next free block when memos were written.
  int flush();
  File& file();

  struct Impl;

 private:
  explicit DbtFile(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// Parses the 10-byte memo reference of a record ("         1", "0000000001",
// all blanks = none). Returns false for anything else.
bool parseMemoRef(const char* field10, uint32_t* block);
// Formats a block number as a memo reference (blanks for 0).
void formatMemoRef(uint32_t block, char* field10);

}  // namespace vt::engine
