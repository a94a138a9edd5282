// Sorted runs of an index build that does not fit its memory budget: each
// batch is sorted and appended to one temporary file, and the runs are then
// merged, each read through its own buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "io.h"
#include "ntx_sort.h"

namespace vt::engine::ntx {

struct Run {
  uint64_t offset;  // where the run starts in the temporary file
  uint64_t count;   // records in it
};

// Appends the records in `order` to `file` at *end as a new run, writing
// through `buffer` (its capacity is the block size).
int writeRun(File& file, const uint8_t* recs, size_t recSize, const SortOrder& order,
             SystemVector<uint8_t>& buffer, uint64_t* end, std::vector<Run>* runs);

class RunMerger {
 public:
  // `memory` bounds the read buffers of all runs together.
  RunMerger(File& file, const std::vector<Run>& runs, size_t recSize, size_t memory);
  // The next record in order, or nullptr at the end or on a read error
  // (then status() is negative).
  const uint8_t* next();
  int status() const { return status_; }

 private:
  struct Source {
    uint64_t at;    // next file offset to read
    uint64_t left;  // records not yet read from the file
    SystemVector<uint8_t> buf;
    size_t pos = 0, end = 0;  // bytes of buf in use
    const uint8_t* current() const { return buf.data() + pos; }
  };
  bool fill(Source& s);
  bool before(size_t a, size_t b) const;  // heap order: a after b
  void siftDown();

  File& file_;
  size_t recSize_;
  std::vector<Source> sources_;
  std::vector<size_t> heap_;
  bool started_ = false;
  bool done_ = false;
  int status_ = 0;
};

}  // namespace vt::engine::ntx
