// Inside DbfFile: the open file, what the header says, the buffer of
// appended records not yet written and the read window of recent reads.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dbf_file.h"

namespace vt::engine {

struct DbfFile::Impl {
  static constexpr size_t kAppendBytes = 1 << 20;   // appends go out in writes this large
  static constexpr size_t kWindowBytes = 64 << 10;  // sequential reads fetch this much

  std::unique_ptr<File> file;
  bool writable = false;
  uint8_t version = 0;
  uint8_t languageDriver = 0;
  uint32_t headerLength = 0;
  uint32_t recordLength = 0;
  std::vector<FieldDesc> fields;

  uint32_t diskCount = 0;  // records in the file, as its header says once flushed
  bool dirty = false;      // header and end marker need writing

  // Appended records diskCount+1 .. diskCount+pendingCount, then room for
  // the end marker so that they go out with it in one write.
  std::vector<char> pending;
  uint32_t pendingCount = 0;
  uint32_t pendingCapacity = 0;

  std::vector<char> window;  // records windowFirst .. windowFirst+windowCount-1
  uint32_t windowFirst = 0;
  uint32_t windowCount = 0;
  uint32_t windowCapacity = 0;
  uint32_t lastRead = 0;

  uint32_t count() const { return diskCount + pendingCount; }
  uint64_t recordOffset(uint32_t recno) const {
    return headerLength + static_cast<uint64_t>(recno - 1) * recordLength;
  }
  char* pendingRecord(uint32_t recno) {
    return pending.data() + static_cast<size_t>(recno - diskCount - 1) * recordLength;
  }

  // Sets up the buffers once the lengths are known.
  void initBuffers();
  // Where record `recno` (1..count()) can be read from, reading it (and,
  // when reading runs sequentially, its neighbours) when necessary.
  int locate(uint32_t recno, const char** at);
  // Writes the buffered appends followed by the end marker.
  int writePending();
  // Writes the header's date of last update (today) and record count.
  int writeStamp();
  void forgetWindow() { windowCount = 0; }
};

}  // namespace vt::engine
