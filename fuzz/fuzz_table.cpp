// A table file of any bytes, beside a sound memo file: opened, walked both
// ways with every field read, and, when it opens for writing, given one new
// record that must read back the same after the table is opened again.
#include "fuzz_support.h"

using namespace vt::engine;
using namespace vt::engine::fuzz;

namespace {

// Records visited per walk: enough for any table the input can hold, and a
// bound on the time one input takes.
constexpr int kMaxSteps = 2000;

MemFileSystem& startFiles() {
  static MemFileSystem* files = [] {
    auto* fs = new MemFileSystem;
    writeItems(*fs, 6);
    fs->remove(std::string(kItems) + ".dbf");
    return fs;
  }();
  return *files;
}

void walk(Table& t) {
  int steps = 0;
  for (Result r = t.top(); r == Result::Success && steps < kMaxSteps; r = t.skip(1), ++steps) {
    readFields(t);
    t.deleted();
  }
  steps = 0;
  for (Result r = t.bottom(); r == Result::Success && steps < kMaxSteps; r = t.skip(-1), ++steps) {
    readFields(t);
  }
  if (t.positionTo(0.5) == Result::Success) {
    t.position();
    readFields(t);
  }
}

void assignSomething(Field& f) {
  switch (f.type()) {
    case 'N':
      f.assignDouble(42.125);
      break;
    case 'D':
      f.assign("20240229");
      break;
    case 'L':
      f.assign("T");
      break;
    case 'M':
      f.assignMemo("A memo written over a table read from any bytes.");
      break;
    default:
      f.assign("Appended");
      break;
  }
}

std::vector<std::string> fieldTexts(Table& t) {
  std::vector<std::string> texts;
  for (const auto& f : t.fields()) texts.push_back(f->type() == 'M' ? f->memo() : f->str());
  return texts;
}

// Appends one record; when that succeeds, it must be there after reopening.
void appendAndReread(Engine& e, Table* t) {
  uint32_t before = t->recCount();
  e.errorCode(0);
  if (t->appendBlank() != kOk) return;
  for (const auto& f : t->fields()) assignSomething(*f);
  if (t->flush() != kOk || e.lastError() != 0) return;
  std::vector<std::string> written = fieldTexts(*t);
  if (e.lastError() != 0) return;
  t->close();
  Table* again = e.open(kItems);
  VT_FUZZ_CHECK(again);
  VT_FUZZ_CHECK(again->recCount() == before + 1);
  VT_FUZZ_CHECK(again->go(before + 1) == Result::Success);
  VT_FUZZ_CHECK(fieldTexts(*again) == written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemFileSystem fs;
  copyFiles(startFiles(), fs);
  putFile(fs, std::string(kItems) + ".dbf", data, size);
  Engine e("", &fs);
  Table* t = e.open(kItems);
  if (!t) return 0;
  walk(*t);
  appendAndReread(e, t);
  return 0;
}
