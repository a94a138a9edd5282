#include "ntx_header.h"

#include <algorithm>
#include <cstring>

namespace vt::engine {

uint16_t ntxMaxItems(uint16_t keyLength) {
  int m = (1024 - 2) / (keyLength + 10) - 1;
  if (m % 2 == 1 && m > 2) --m;
  return static_cast<uint16_t>(std::max(m, 0));
}

namespace ntx {
namespace {

constexpr uint32_t kItemSizeAt = 12;
constexpr uint32_t kKeyLengthAt = 14;
constexpr uint32_t kDecimalsAt = 16;
constexpr uint32_t kMaxItemsAt = 18;
constexpr uint32_t kHalfPageAt = 20;
constexpr uint32_t kExpressionAt = 22;
constexpr uint32_t kExpressionSize = 256;
constexpr uint32_t kTagNameAt = 538;
constexpr uint32_t kTagNameSize = 12;
constexpr uint16_t kMaxKeyLength = 250;

std::string zeroTerminated(const uint8_t* p, size_t max) {
  const void* end = std::memchr(p, 0, max);
  size_t n = end ? static_cast<size_t>(static_cast<const uint8_t*>(end) - p) : max;
  return std::string(reinterpret_cast<const char*>(p), n);
}

}  // namespace

bool liveFieldsValid(uint32_t root, uint32_t freeHead, uint64_t fileEnd) {
  bool rootOk = root != 0 && root % kPageSize == 0 && root < fileEnd;
  bool freeOk = freeHead % kPageSize == 0 && freeHead < fileEnd;
  return rootOk && freeOk;
}

int decodeHeader(const uint8_t* page, uint64_t fileEnd, Header* out) {
  uint16_t sig = rd16(page);
  if (sig != kSignature && sig != kOldSignature) return kErrIndex;
  Header h;
  h.counter = rd16(page + kCounterAt);
  h.root = rd32(page + kRootAt);
  h.freeHead = rd32(page + kFreeAt);
  h.layout.keyLength = rd16(page + kKeyLengthAt);
  h.layout.itemSize = rd16(page + kItemSizeAt);
  h.layout.maxItems = rd16(page + kMaxItemsAt);
  const Layout& l = h.layout;
  if (l.keyLength < 1 || l.keyLength > kMaxKeyLength) return kErrIndex;
  if (l.itemSize != l.keyLength + 8 || l.maxItems < 2 || !l.fits()) return kErrIndex;
  if (!liveFieldsValid(h.root, h.freeHead, fileEnd)) return kErrIndex;
  h.info.expression = zeroTerminated(page + kExpressionAt, kExpressionSize);
  h.info.tagName = zeroTerminated(page + kTagNameAt, kTagNameSize);
  h.info.keyLength = l.keyLength;
  *out = std::move(h);
  return kOk;
}

void encodeHeader(const Header& h, uint8_t* page) {
  std::memset(page, 0, kPageSize);
  wr16(page, kSignature);
  wr16(page + kCounterAt, h.counter);
  wr32(page + kRootAt, h.root);
  wr32(page + kFreeAt, h.freeHead);
  wr16(page + kItemSizeAt, h.layout.itemSize);
  wr16(page + kKeyLengthAt, h.layout.keyLength);
  wr16(page + kDecimalsAt, 0);
  wr16(page + kMaxItemsAt, h.layout.maxItems);
  wr16(page + kHalfPageAt, h.layout.minFill());
  size_t exprLen = std::min<size_t>(h.info.expression.size(), kExpressionSize - 1);
  std::memcpy(page + kExpressionAt, h.info.expression.data(), exprLen);
  size_t tagLen = std::min<size_t>(h.info.tagName.size(), kTagNameSize - 1);
  std::memcpy(page + kTagNameAt, h.info.tagName.data(), tagLen);
}

Layout layoutFor(uint16_t keyLength) {
  Layout l;
  l.keyLength = keyLength;
  l.itemSize = static_cast<uint16_t>(keyLength + 8);
  l.maxItems = ntxMaxItems(keyLength);
  return l;
}

}  // namespace ntx
}  // namespace vt::engine
