// A memo file of any bytes under a sound table: every record's memo is
// read; a memo written afterwards reads back and leaves the others as they
// were; a memo compression that succeeds keeps every memo's text.
#include <optional>

#include "fuzz_support.h"

using namespace vt::engine;
using namespace vt::engine::fuzz;

namespace {

MemFileSystem& startFiles() {
  static MemFileSystem* files = [] {
    auto* fs = new MemFileSystem;
    writeNotes(*fs);
    fs->remove(std::string(kNotes) + ".dbt");
    return fs;
  }();
  return *files;
}

// Each record's memo, or nothing where reading it failed.
using Memos = std::vector<std::optional<std::string>>;

Memos readMemos(Engine& e, Table& t) {
  Memos memos;
  for (uint32_t r = 1; r <= t.recCount(); ++r) {
    VT_FUZZ_CHECK(t.go(r) == Result::Success);
    e.errorCode(0);
    std::string text = t.field("BODY")->memo();
    memos.push_back(e.errorCode(0) == 0 ? std::optional(text) : std::nullopt);
  }
  return memos;
}

// Memos that read before read the same now.
void expectKept(const Memos& before, const Memos& now) {
  VT_FUZZ_CHECK(before.size() == now.size());
  for (size_t i = 0; i < before.size(); ++i) {
    if (before[i]) VT_FUZZ_CHECK(now[i] == before[i]);
  }
}

Memos writeOne(Engine& e, Table& t, Memos expected) {
  const std::string text(700, 'w');
  VT_FUZZ_CHECK(t.go(1) == Result::Success);
  e.errorCode(0);
  t.field("BODY")->assignMemo(text);
  // New memos go after the file's last block, whatever lies before it.
  VT_FUZZ_CHECK(t.flush() == kOk && e.errorCode(0) == 0);
  expected[0] = text;
  Memos now = readMemos(e, t);
  expectKept(expected, now);
  return now;
}

void compress(Engine& e, Table& t, const Memos& memos) {
  e.errorCode(0);
  if (t.memoCompress() != kOk) return;
  for (const auto& m : memos) VT_FUZZ_CHECK(m.has_value());
  expectKept(memos, readMemos(e, t));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemFileSystem fs;
  copyFiles(startFiles(), fs);
  putFile(fs, std::string(kNotes) + ".dbt", data, size);
  Engine e("", &fs);
  Table* t = e.open(kNotes);
  if (!t) return 0;
  Memos memos = writeOne(e, *t, readMemos(e, *t));
  compress(e, *t, memos);
  return 0;
}
