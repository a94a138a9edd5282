#include "ntx_page.h"

namespace vt::engine::ntx {

void initPage(uint8_t* page, const Layout& l) {
  std::memset(page, 0, kPageSize);
  for (int i = 0; i <= l.maxItems; ++i) {
    wr16(page + 2 + 2 * i, static_cast<uint16_t>(l.itemsStart() + i * l.itemSize));
  }
}

void insertItem(uint8_t* page, const Layout& l, int slot, uint32_t childOffset, uint32_t rec,
                const uint8_t* k) {
  int n = count(page);
  uint8_t* table = page + 2;
  // The slot after the right-most child is free; it takes the new item.
  uint16_t freeSlot = rd16(table + 2 * (n + 1));
  std::memmove(table + 2 * (slot + 1), table + 2 * slot, 2 * static_cast<size_t>(n + 1 - slot));
  wr16(table + 2 * slot, freeSlot);
  setChild(page, slot, childOffset);
  setEntry(page, slot, rec, k, l.keyLength);
  setCount(page, static_cast<uint16_t>(n + 1));
}

void removeItem(uint8_t* page, const Layout& l, int slot) {
  int n = count(page);
  uint8_t* table = page + 2;
  uint16_t freed = rd16(table + 2 * slot);
  std::memmove(table + 2 * slot, table + 2 * (slot + 1), 2 * static_cast<size_t>(n - slot));
  wr16(table + 2 * n, freed);
  std::memset(page + freed, 0, l.itemSize);
  setCount(page, static_cast<uint16_t>(n - 1));
}

namespace {

// Whether the slot offsets are a permutation of the natural item places, so
// that every slot owns its own bytes and inserts may reuse free slots.
bool slotsDistinct(const uint8_t* page, const Layout& l) {
  bool seen[kPageSize / 9 + 1] = {};
  for (int i = 0; i <= l.maxItems; ++i) {
    int rel = slotOffset(page, i) - l.itemsStart();
    if (rel < 0 || rel % l.itemSize != 0) return false;
    int place = rel / l.itemSize;
    if (place > l.maxItems || seen[place]) return false;
    seen[place] = true;
  }
  return true;
}

}  // namespace

bool pageValid(const uint8_t* page, const Layout& l, uint64_t fileEnd) {
  int n = count(page);
  if (n > l.maxItems || !slotsDistinct(page, l)) return false;
  bool leaf = child(page, 0) == 0;
  for (int i = 0; i <= n; ++i) {
    uint32_t c = child(page, i);
    if ((c == 0) != leaf) return false;
    if (c % kPageSize != 0 || c >= fileEnd) return false;
  }
  return true;
}

void ItemList::append(uint32_t childOffset, uint32_t rec, const uint8_t* k) {
  uint8_t* it = at(n_++);
  wr32(it, childOffset);
  wr32(it + 4, rec);
  std::memcpy(it + 8, k, l_.keyLength);
}

void ItemList::appendPage(const uint8_t* page) {
  int n = count(page);
  for (int i = 0; i < n; ++i) append(item(page, i));
  right_ = child(page, n);
}

void ItemList::writeTo(uint8_t* page, int from, int to, uint32_t rightChild) {
  initPage(page, l_);
  for (int i = from; i < to; ++i) std::memcpy(item(page, i - from), at(i), l_.itemSize);
  setCount(page, static_cast<uint16_t>(to - from));
  setChild(page, to - from, rightChild);
}

}  // namespace vt::engine::ntx
