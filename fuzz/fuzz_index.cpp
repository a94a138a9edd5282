// An index file of any bytes over a sound table: opened through the table's
// group file, walked both ways in its order, sought and skipped from there,
// then changed by a key update and an append and walked again.
#include "fuzz_support.h"

using namespace vt::engine;
using namespace vt::engine::fuzz;

namespace {

constexpr int kMaxSteps = 2000;

MemFileSystem& startFiles() {
  static MemFileSystem* files = [] {
    auto* fs = new MemFileSystem;
    writeParts(*fs);
    return fs;
  }();
  return *files;
}

void walk(Table& t) {
  int steps = 0;
  for (Result r = t.top(); r == Result::Success && steps < kMaxSteps; r = t.skip(1), ++steps) {
    readFields(t);
  }
  steps = 0;
  for (Result r = t.bottom(); r == Result::Success && steps < kMaxSteps; r = t.skip(-1), ++steps) {
    readFields(t);
  }
}

// Seeks texts of the table's fields and a few others, stepping around each
// place found.
void seekAround(Table& t) {
  std::vector<std::string> keys = {"", "b", "N", "WASHER", "  -12", "2023", "\xFF"};
  for (uint32_t r = 1; r <= t.recCount(); r += 17) {
    if (t.go(r) != Result::Success) continue;
    keys.push_back(t.field("NAME")->str());
    keys.push_back(t.field("QTY")->str());
  }
  for (const std::string& k : keys) {
    if (t.seek(k) == Result::Eof) continue;
    readFields(t);
    t.skip(2);
    t.skip(-3);
    t.position();
  }
  t.positionTo(0.3);
  t.skip(-1);
}

void change(Table& t) {
  if (t.go(5) == Result::Success) {
    t.field("NAME")->assign("Changed");
    t.flush();
  }
  if (t.appendBlank() == kOk) {
    t.field("NAME")->assign("Appended");
    t.field("QTY")->assignLong(-7);
    t.flush();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemFileSystem fs;
  copyFiles(startFiles(), fs);
  putFile(fs, std::string(kPartsTag) + ".ntx", data, size);
  Engine e("", &fs);
  Table* t = e.open(kParts);
  if (!t) return 0;
  t->selectTag(t->tag(kPartsTag));
  walk(*t);
  seekAround(*t);
  change(*t);
  walk(*t);
  return 0;
}
