#include "ntx_sort.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace vt::engine::ntx {

namespace {

constexpr size_t kAhead = 8;

// Bytes [at, at + 8) of a record as a big-endian number, zero past its end.
uint64_t word(const uint8_t* rec, size_t recSize, size_t at) {
  if (at + 8 <= recSize) {
    uint64_t v;
    std::memcpy(&v, rec + at, 8);
    if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
    return v;
  }
  uint64_t v = 0;
  for (size_t i = at; i < at + 8; ++i) v = (v << 8) | (i < recSize ? rec[i] : 0);
  return v;
}

// Sorts keys that agree on their first `at` bytes and whose prefix holds
// bytes [at, at + 8): by that word, then each group of equal words by the
// next eight bytes, and so on. Every record is read once per word it needs,
// and the sorting itself runs over the compact key array.
void sortFrom(SortKey* a, size_t n, const uint8_t* recs, size_t recSize, size_t at) {
  std::sort(a, a + n, [](const SortKey& x, const SortKey& y) { return x.prefix < y.prefix; });
  size_t next = at + 8;
  if (next >= recSize) return;
  for (size_t i = 0; i < n;) {
    size_t j = i + 1;
    while (j < n && a[j].prefix == a[i].prefix) ++j;
    if (j - i > 1) {
      for (size_t k = i; k < j; ++k) {
        // The records of a group lie all over the batch: ask for them ahead.
        if (k + kAhead < j) __builtin_prefetch(recs + a[k + kAhead].index * recSize + next);
        a[k].prefix = word(recs + static_cast<size_t>(a[k].index) * recSize, recSize, next);
      }
      sortFrom(a + i, j - i, recs, recSize, next);
    }
    i = j;
  }
}

}  // namespace

void sortRecords(const uint8_t* recs, size_t recSize, size_t n, SortOrder* order) {
  order->resize(n);
  SortKey* keys = order->data();
  for (size_t i = 0; i < n; ++i) {
    keys[i] = SortKey{word(recs + i * recSize, recSize, 0), static_cast<uint32_t>(i)};
  }
  sortFrom(keys, n, recs, recSize, 0);
}

}  // namespace vt::engine::ntx
