// The NTX header page (page 0): signature, update counter, root and free
// list, the page shape, the key expression and the tag name.
#pragma once

#include <cstdint>

#include "ntx_index.h"
#include "ntx_page.h"

namespace vt::engine::ntx {

constexpr uint16_t kSignature = 0x0006;
constexpr uint16_t kOldSignature = 0x0003;

// Header offsets of the fields that change while an index is in use.
constexpr uint32_t kCounterAt = 2;
constexpr uint32_t kRootAt = 4;
constexpr uint32_t kFreeAt = 8;
constexpr uint32_t kLiveFieldsEnd = 12;

struct Header {
  uint16_t counter = 0;
  uint32_t root = 0;
  uint32_t freeHead = 0;
  Layout layout;
  NtxInfo info;
};

// Decodes and checks a header page against the file's usable end (its size
// rounded down to whole pages). Returns kErrIndex when it does not hold.
int decodeHeader(const uint8_t* page, uint64_t fileEnd, Header* out);

// Checks the fields of the live part (counter, root, free list) again, as
// re-read from the file.
bool liveFieldsValid(uint32_t root, uint32_t freeHead, uint64_t fileEnd);

// The header page our engine writes for a new index.
void encodeHeader(const Header& h, uint8_t* page);

// The page shape of a new index with this key length.
Layout layoutFor(uint16_t keyLength);

}  // namespace vt::engine::ntx
