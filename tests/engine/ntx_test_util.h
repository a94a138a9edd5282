// Helpers shared by the index tests: keys, building and reading indexes,
// and a checker of the tree's shape straight from the file bytes.
#pragma once

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/ntx_index.h"
#include "engine/ntx_page.h"
#include "ntx_memfs.h"

namespace vt::engine::test {

using Entry = std::pair<std::string, uint32_t>;
using Entries = std::vector<Entry>;

// A number as Str() writes it: right-aligned in `width` characters.
inline std::string numKey(long n, int width = 10) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%*ld", width, n);
  return buf;
}

inline int buildIndex(FileSystem& fs, const std::string& path, uint16_t keyLength,
                      const Entries& entries, size_t budget = 40u << 20) {
  NtxIndex::Builder b(fs, path, NtxInfo{"KEYEXPR", "TAG", keyLength}, budget);
  for (const Entry& e : entries) {
    int st = b.add(e.first, e.second);
    if (st < 0) return st;
  }
  return b.finish();
}

inline std::unique_ptr<NtxIndex> openIndex(FileSystem& fs, const std::string& path,
                                           bool writable = true, size_t cachePages = 4096) {
  std::unique_ptr<NtxIndex> idx;
  if (NtxIndex::open(fs, path, writable, &idx, cachePages) != kOk) return nullptr;
  return idx;
}

inline Entries walkAll(NtxIndex& idx, int* status = nullptr) {
  Entries out;
  int st = idx.forEach([&](std::string_view k, uint32_t r) {
    out.emplace_back(std::string(k), r);
    return true;
  });
  if (status) *status = st;
  return out;
}

inline Entries cursorForward(NtxIndex& idx) {
  Entries out;
  for (bool on = idx.first(); on; on = idx.next())
    out.emplace_back(std::string(idx.key()), idx.recno());
  return out;
}

inline Entries cursorBackward(NtxIndex& idx) {
  Entries out;
  for (bool on = idx.last(); on; on = idx.prev())
    out.emplace_back(std::string(idx.key()), idx.recno());
  return out;
}

// What checkTree() found: an empty `problem` means a sound tree.
struct TreeReport {
  std::string problem;
  int height = 0;
  size_t pages = 0;
  std::set<uint32_t> reached;  // offsets of the pages in the tree
  Entries entries;
};

// Checks the index file bytes: every page reached once, leaves on one level,
// every page but the root at least half full, keys in order.
inline TreeReport checkTree(const std::vector<uint8_t>& file) {
  using namespace ntx;
  TreeReport rep;
  Layout l;
  l.keyLength = rd16(&file[14]);
  l.itemSize = rd16(&file[12]);
  l.maxItems = rd16(&file[18]);
  std::set<uint32_t>& seen = rep.reached;
  int leafDepth = -1;
  auto visit = [&](auto&& self, uint32_t at, int depth) -> void {
    if (!rep.problem.empty()) return;
    if (at % 1024 != 0 || at + 1024 > file.size() || !seen.insert(at).second) {
      rep.problem = "bad or repeated page " + std::to_string(at);
      return;
    }
    const uint8_t* p = &file[at];
    int n = count(p);
    if (depth > 0 && n < l.minFill()) rep.problem = "page below half " + std::to_string(at);
    if (n > l.maxItems) rep.problem = "page over full " + std::to_string(at);
    if (!rep.problem.empty()) return;
    bool leaf = isLeaf(p);
    if (leaf && leafDepth < 0) leafDepth = depth;
    if (leaf && depth != leafDepth) rep.problem = "leaves on different levels";
    for (int i = 0; i <= n && rep.problem.empty(); ++i) {
      if (!leaf) self(self, child(p, i), depth + 1);
      if (i < n) {
        rep.entries.emplace_back(std::string(reinterpret_cast<const char*>(key(p, i)), l.keyLength),
                                 recno(p, i));
      }
    }
  };
  visit(visit, rd32(&file[4]), 0);
  rep.height = leafDepth + 1;
  rep.pages = seen.size();
  for (size_t i = 1; i < rep.entries.size() && rep.problem.empty(); ++i) {
    if (rep.entries[i - 1].first > rep.entries[i].first) rep.problem = "keys out of order";
  }
  return rep;
}

}  // namespace vt::engine::test
