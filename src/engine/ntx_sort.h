// Sorting the fixed-size records of an index build (key bytes followed by
// the record number in big-endian order, so that bytewise order is key
// order with equal keys in record order).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "system_memory.h"

namespace vt::engine::ntx {

struct SortKey {
  uint64_t prefix;  // the record's first 8 bytes, big-endian
  uint32_t index;   // record number within the batch
};

using SortOrder = SystemVector<SortKey>;

// Fills *order with the indexes of the n records at `recs` in bytewise
// order of the records.
void sortRecords(const uint8_t* recs, size_t recSize, size_t n, SortOrder* order);

}  // namespace vt::engine::ntx
