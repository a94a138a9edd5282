// Byte layout of one 1024-byte NTX page: a key count, an offset table of
// max+1 slots in key order, and the item slots it points at. Each item is a
// 4-byte child page offset, a 4-byte record number and the key. Inserts and
// removals permute the offset table instead of moving items.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace vt::engine::ntx {

constexpr uint32_t kPageSize = 1024;

inline uint16_t rd16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t rd32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline uint32_t rd32be(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}
inline void wr16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void wr32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Bytewise comparison like memcmp, eight bytes at a time and inline: keys
// are short, and a seek compares a few dozen of them.
inline int compareKeys(const uint8_t* a, const uint8_t* b, size_t n) {
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t x, y;
    std::memcpy(&x, a + i, 8);
    std::memcpy(&y, b + i, 8);
    if (x != y) {
      if constexpr (std::endian::native == std::endian::little) {
        x = __builtin_bswap64(x);
        y = __builtin_bswap64(y);
      }
      return x < y ? -1 : 1;
    }
  }
  for (; i < n; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}

// The shape every page of one index shares.
struct Layout {
  uint16_t keyLength = 0;
  uint16_t itemSize = 0;  // keyLength + 8
  uint16_t maxItems = 0;  // keys a page may hold

  uint16_t minFill() const { return maxItems / 2; }
  // Where the items of a freshly laid out page begin.
  uint16_t itemsStart() const { return static_cast<uint16_t>(2 + 2 * (maxItems + 1)); }
  bool fits() const { return itemsStart() + (maxItems + 1u) * itemSize <= kPageSize; }
};

// Read access to a page.
inline uint16_t count(const uint8_t* page) {
  return rd16(page);
}
inline uint16_t slotOffset(const uint8_t* page, int slot) {
  return rd16(page + 2 + 2 * slot);
}
inline const uint8_t* item(const uint8_t* page, int slot) {
  return page + slotOffset(page, slot);
}
inline uint8_t* item(uint8_t* page, int slot) {
  return page + slotOffset(page, slot);
}
inline uint32_t child(const uint8_t* page, int slot) {
  return rd32(item(page, slot));
}
inline uint32_t recno(const uint8_t* page, int slot) {
  return rd32(item(page, slot) + 4);
}
inline const uint8_t* key(const uint8_t* page, int slot) {
  return item(page, slot) + 8;
}
inline bool isLeaf(const uint8_t* page) {
  return child(page, 0) == 0;
}

// Write access to a page.
inline void setCount(uint8_t* page, uint16_t n) {
  wr16(page, n);
}
inline void setChild(uint8_t* page, int slot, uint32_t offset) {
  wr32(item(page, slot), offset);
}
inline void setEntry(uint8_t* page, int slot, uint32_t rec, const uint8_t* k, uint16_t keyLength) {
  uint8_t* it = item(page, slot);
  wr32(it + 4, rec);
  std::memcpy(it + 8, k, keyLength);
}

// Lays out an empty page with the slot offsets in their natural order.
void initPage(uint8_t* page, const Layout& l);

// Inserts an item at `slot` (0..count); the items from `slot` on move one
// place right, so the new item's child sits left of the item that was
// there. Requires count < maxItems.
void insertItem(uint8_t* page, const Layout& l, int slot, uint32_t childOffset, uint32_t rec,
                const uint8_t* k);

// Removes the item at `slot` together with its child pointer.
void removeItem(uint8_t* page, const Layout& l, int slot);

// Checks a page read from a file: key count, slot offsets inside the page,
// child offsets multiples of the page size below fileEnd, and either all
// children zero (a leaf) or none.
bool pageValid(const uint8_t* page, const Layout& l, uint64_t fileEnd);

// A list of items copied out of pages while they are split or merged: the
// same item format, plus the right-most child after the last key.
class ItemList {
 public:
  void reset(const Layout& l, uint8_t* buffer) {
    l_ = l;
    buf_ = buffer;
    n_ = 0;
    right_ = 0;
  }
  int size() const { return n_; }
  uint8_t* at(int i) { return buf_ + static_cast<size_t>(i) * l_.itemSize; }
  uint32_t right() const { return right_; }
  void setRight(uint32_t r) { right_ = r; }
  void append(const uint8_t* it) { std::memcpy(at(n_++), it, l_.itemSize); }
  void append(uint32_t childOffset, uint32_t rec, const uint8_t* k);
  // Appends all keys of `page`, and takes its right-most child as right().
  void appendPage(const uint8_t* page);
  // Lays out `page` afresh with items [from, to) and the given right child.
  void writeTo(uint8_t* page, int from, int to, uint32_t rightChild);

 private:
  Layout l_;
  uint8_t* buf_ = nullptr;
  int n_ = 0;
  uint32_t right_ = 0;
};

}  // namespace vt::engine::ntx
