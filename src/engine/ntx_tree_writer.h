// Writes the pages of a new index bottom-up from entries that arrive in key
// order. The shape is planned from the entry count first: as few leaves as
// can hold the entries, keys spread evenly over them, one separator entry
// between neighbouring pages promoted to the level above, and so on up to a
// single root. Even spreading keeps every page other than the root at least
// half full. Pages are numbered in the order they are completed and written
// sequentially in large blocks, starting at the second page of the file.
#pragma once

#include <cstdint>
#include <vector>

#include "io.h"
#include "ntx_page.h"
#include "system_memory.h"

namespace vt::engine::ntx {

class TreeWriter {
 public:
  TreeWriter(File& file, const Layout& layout);
  // Plans the tree for this many entries; kErrArgument when the file would
  // outgrow 32-bit page offsets.
  int plan(uint64_t entries);
  // Adds the next entry; keys must arrive in order.
  int add(const uint8_t* key, uint32_t rec);
  // Writes the pages still open; *root receives the root page's offset and
  // *end the file size.
  int finish(uint32_t* root, uint64_t* end);

 private:
  struct Level {
    uint64_t pages = 0;  // pages on this level
    uint64_t units = 0;  // keys (leaves) or children (above) spread over them
    uint64_t index = 0;  // page being filled
    int planned = 0;     // keys this page takes
    int n = 0;           // keys it holds so far
    std::vector<uint8_t> page;
  };
  void startPage(size_t level);
  int complete(size_t level, uint32_t rightChild, uint32_t* offset);
  int writeOut();

  File& file_;
  Layout l_;
  std::vector<Level> levels_;
  SystemVector<uint8_t> out_;      // completed pages not yet written
  uint64_t outAt_ = kPageSize;     // file offset of out_[0]
  uint64_t nextPage_ = kPageSize;  // offset the next completed page gets
};

}  // namespace vt::engine::ntx
