#include "ntx_tree_writer.h"

#include <cstring>

#include "status.h"

namespace vt::engine::ntx {

namespace {

constexpr size_t kOutPages = 256;

uint64_t ceilDiv(uint64_t a, uint64_t b) {
  return (a + b - 1) / b;
}

}  // namespace

TreeWriter::TreeWriter(File& file, const Layout& layout) : file_(file), l_(layout) {
  out_.reserve(kOutPages * kPageSize);
}

int TreeWriter::plan(uint64_t entries) {
  levels_.clear();
  uint64_t fanout = l_.maxItems + 1u;
  // Each leaf but the last is followed by one separator entry.
  uint64_t leaves = ceilDiv(entries + 1, fanout);
  Level leaf;
  leaf.pages = leaves;
  leaf.units = entries - (leaves - 1);
  levels_.push_back(leaf);
  uint64_t total = leaves;
  for (uint64_t below = leaves; below > 1;) {
    Level up;
    up.pages = ceilDiv(below, fanout);
    up.units = below;
    levels_.push_back(up);
    total += up.pages;
    below = up.pages;
  }
  if ((total + 1) * kPageSize > UINT32_MAX) return kErrArgument;
  for (size_t i = 0; i < levels_.size(); ++i) {
    levels_[i].page.resize(kPageSize);
    startPage(i);
  }
  return kOk;
}

void TreeWriter::startPage(size_t level) {
  Level& lv = levels_[level];
  uint64_t share = lv.units / lv.pages + (lv.index < lv.units % lv.pages ? 1 : 0);
  lv.planned = static_cast<int>(level == 0 ? share : share - 1);
  lv.n = 0;
  initPage(lv.page.data(), l_);
}

int TreeWriter::add(const uint8_t* k, uint32_t rec) {
  uint32_t below = 0;  // the page completed just before this entry
  for (size_t level = 0; level < levels_.size(); ++level) {
    Level& lv = levels_[level];
    if (lv.n < lv.planned) {
      uint8_t* it = item(lv.page.data(), lv.n++);
      wr32(it, below);
      wr32(it + 4, rec);
      std::memcpy(it + 8, k, l_.keyLength);
      return kOk;
    }
    // This page is full: the entry goes up and the page is done.
    int st = complete(level, below, &below);
    if (st < 0) return st;
  }
  return kErrArgument;  // more entries than planned
}

int TreeWriter::complete(size_t level, uint32_t rightChild, uint32_t* offset) {
  Level& lv = levels_[level];
  if (lv.index >= lv.pages) return kErrArgument;
  uint8_t* p = lv.page.data();
  setCount(p, static_cast<uint16_t>(lv.n));
  setChild(p, lv.n, rightChild);
  out_.insert(out_.end(), p, p + kPageSize);
  *offset = static_cast<uint32_t>(nextPage_);
  nextPage_ += kPageSize;
  ++lv.index;
  if (lv.index < lv.pages) startPage(level);
  if (out_.size() >= kOutPages * kPageSize) return writeOut();
  return kOk;
}

int TreeWriter::writeOut() {
  if (out_.empty()) return kOk;
  if (!file_.write(outAt_, out_.data(), out_.size())) return kErrWrite;
  outAt_ += out_.size();
  out_.clear();
  return kOk;
}

int TreeWriter::finish(uint32_t* root, uint64_t* end) {
  uint32_t below = 0;
  for (size_t level = 0; level < levels_.size(); ++level) {
    Level& lv = levels_[level];
    if (lv.n != lv.planned || lv.index + 1 != lv.pages) return kErrArgument;
    int st = complete(level, below, &below);
    if (st < 0) return st;
  }
  *root = below;
  *end = nextPage_;
  return writeOut();
}

}  // namespace vt::engine::ntx
