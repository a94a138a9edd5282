// Index updates: an input is a script of appends, key changes, deletions and
// packs on a small table whose tags have wide keys (see update_script.h).
// Every change must succeed. Afterwards each tag is checked against the
// table: the tree in the file is sound (leaves on one level, pages at least
// half full, keys in order), every page is in the tree or on the free list
// and not both, each record's key is in it exactly once (deleted records
// keep theirs until a pack), and walking both ways and seeking through the
// table agree with the file.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

#include "fuzz_support.h"
#include "ntx_test_util.h"
#include "update_script.h"

using namespace vt::engine;
using namespace vt::engine::fuzz;
using test::Entries;
using test::TreeReport;

namespace {

constexpr const char* kStock = "stock";

struct TagShape {
  const char* name;
  bool withCode;  // CODE+KEY rather than KEY
};
constexpr TagShape kKeyTag{"bykey", false};
constexpr TagShape kCodeTag{"bycode", true};

std::string valueText(uint8_t v) {
  char text[4];
  std::snprintf(text, sizeof text, "%03u", v);
  return text;
}

// The empty table with its tags, written once per key width and tag set.
MemFileSystem& emptyStock(const UpdateScript& script) {
  static std::map<std::pair<int, bool>, MemFileSystem> made;
  auto [it, fresh] = made.try_emplace({script.keyWidth, script.codeTag});
  MemFileSystem& fs = it->second;
  if (!fresh) return fs;
  Engine e("", &fs);
  VT_FUZZ_CHECK(e.create(kStock, {{"KEY", 'C', static_cast<uint8_t>(script.keyWidth), 0},
                                  {"CODE", 'C', 4, 0}}) == kOk);
  Table* t = e.open(kStock);
  VT_FUZZ_CHECK(t);
  std::vector<TagSpec> tags{{kKeyTag.name, "KEY"}};
  if (script.codeTag) tags.push_back({kCodeTag.name, "CODE+KEY"});
  VT_FUZZ_CHECK(t->createIndexGroup(kStock, tags) == kOk);
  t->close();
  return fs;
}

void apply(Table& t, const Step& s) {
  uint32_t n = t.recCount();
  Change c = n == 0 && s.change != Change::Pack ? Change::Append : s.change;
  if (c == Change::Append) {
    VT_FUZZ_CHECK(t.appendBlank() == kOk);
    t.field("KEY")->assign(valueText(s.value));
    t.field("CODE")->assign(valueText(s.who));
    return;
  }
  if (c == Change::Pack) {
    VT_FUZZ_CHECK(t.pack() == kOk);
    return;
  }
  VT_FUZZ_CHECK(t.go(s.who % n + 1) == Result::Success);
  if (c == Change::SetKey || c == Change::SetBoth) t.field("KEY")->assign(valueText(s.value));
  if (c == Change::SetCode) t.field("CODE")->assign(valueText(s.value));
  if (c == Change::SetBoth) t.field("CODE")->assign(valueText(255 - s.value));
  if (c == Change::ToggleDeleted) {
    if (t.deleted()) {
      t.recall();
    } else {
      t.deleteRecord();
    }
  }
}

// What the tag must hold: each record's key, in record order.
Entries expectedEntries(Table& t, const TagShape& tag) {
  Entries want;
  for (uint32_t r = 1; r <= t.recCount(); ++r) {
    VT_FUZZ_CHECK(t.go(r) == Result::Success);
    std::string key = t.field("KEY")->str();
    if (tag.withCode) key = t.field("CODE")->str() + key;
    want.emplace_back(key, r);
  }
  return want;
}

// Pages on the free list, each once, none of them in the tree.
size_t freePages(const std::vector<uint8_t>& file, const TreeReport& tree) {
  std::set<uint32_t> free;
  for (uint32_t at = ntx::rd32(&file[8]); at != 0; at = ntx::rd32(&file[at])) {
    VT_FUZZ_CHECK(at % ntx::kPageSize == 0 && at + ntx::kPageSize <= file.size());
    VT_FUZZ_CHECK(!tree.reached.count(at) && free.insert(at).second);
  }
  return free.size();
}

void checkFile(MemFileSystem& fs, const TagShape& tag, Entries want, const TreeReport& tree) {
  const std::vector<uint8_t>& file = fs.bytes(std::string(tag.name) + ".ntx");
  if (!tree.problem.empty()) std::fprintf(stderr, "%s: %s\n", tag.name, tree.problem.c_str());
  VT_FUZZ_CHECK(tree.problem.empty());
  VT_FUZZ_CHECK(file.size() % ntx::kPageSize == 0);
  VT_FUZZ_CHECK(1 + tree.pages + freePages(file, tree) == file.size() / ntx::kPageSize);
  Entries have = tree.entries;
  std::sort(have.begin(), have.end());
  std::sort(want.begin(), want.end());
  VT_FUZZ_CHECK(have == want);
}

// The table walked in the tag's order, forwards and backwards, visits the
// records in the file's order.
void checkWalks(Table& t, const Entries& inOrder) {
  std::vector<uint32_t> order, forward, backward;
  for (const auto& e : inOrder) order.push_back(e.second);
  for (Result r = t.top(); r == Result::Success; r = t.skip(1)) forward.push_back(t.recNo());
  VT_FUZZ_CHECK(t.eof() && forward == order);
  if (t.bottom() == Result::Success) {
    do {
      backward.push_back(t.recNo());
    } while (t.skip(-1) == Result::Success);
  }
  std::reverse(order.begin(), order.end());
  VT_FUZZ_CHECK(backward == order);
}

// Seeking a key (or, for the key tag, the value part of one and the next
// value, often absent) lands on the first entry not below it.
void checkSeeks(Table& t, const TagShape& tag, const Entries& inOrder) {
  std::set<std::string> probes;
  for (const auto& e : inOrder) {
    if (tag.withCode) {
      probes.insert(e.first);
      continue;
    }
    int v = std::atoi(e.first.substr(0, 3).c_str());
    probes.insert(valueText(static_cast<uint8_t>(v)));
    if (v < 255) probes.insert(valueText(static_cast<uint8_t>(v + 1)));
  }
  for (const std::string& p : probes) {
    auto at = std::find_if(inOrder.begin(), inOrder.end(),
                           [&](const auto& e) { return e.first.compare(0, p.size(), p) >= 0; });
    Result r = t.seek(p);
    if (at == inOrder.end()) {
      VT_FUZZ_CHECK(r == Result::Eof);
      continue;
    }
    VT_FUZZ_CHECK(r == (at->first.compare(0, p.size(), p) == 0 ? Result::Success : Result::After));
    VT_FUZZ_CHECK(t.recNo() == at->second);
  }
}

void checkTag(MemFileSystem& fs, Table& t, const TagShape& tag) {
  TreeReport tree = test::checkTree(fs.bytes(std::string(tag.name) + ".ntx"));
  t.selectTag(nullptr);
  checkFile(fs, tag, expectedEntries(t, tag), tree);
  t.selectTag(t.tag(tag.name));
  checkWalks(t, tree.entries);
  checkSeeks(t, tag, tree.entries);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  UpdateScript script;
  if (!decodeScript(data, size, &script)) return 0;
  MemFileSystem fs;
  copyFiles(emptyStock(script), fs);
  Engine e("", &fs);
  e.accessMode = script.exclusive ? AccessMode::DenyWrite : AccessMode::Shared;
  Table* t = e.open(kStock);
  VT_FUZZ_CHECK(t);
  for (const Step& s : script.steps) {
    apply(*t, s);
    VT_FUZZ_CHECK(e.lastError() == 0);
  }
  VT_FUZZ_CHECK(t->flush() == kOk);
  checkTag(fs, *t, kKeyTag);
  if (script.codeTag) checkTag(fs, *t, kCodeTag);
  VT_FUZZ_CHECK(e.lastError() == 0);
  return 0;
}
