#include "fuzz_support.h"

#include <cstdio>
#include <cstring>

namespace vt::engine::fuzz {

void checkFailed(const char* what, const char* file, int line) {
  std::fprintf(stderr, "check failed: %s (%s:%d)\n", what, file, line);
  std::fflush(stderr);
  __builtin_trap();
}

void copyFiles(MemFileSystem& from, MemFileSystem& to) {
  for (const std::string& path : from.list("")) {
    const MemFileSystem::Bytes& b = from.bytes(path);
    putFile(to, path, b.data(), b.size());
  }
}

void putFile(MemFileSystem& fs, const std::string& path, const uint8_t* data, size_t size) {
  auto f = fs.open(path, OpenMode::Create);
  VT_FUZZ_CHECK(f && (size == 0 || f->write(0, data, size)));
}

std::vector<uint8_t> fileBytes(MemFileSystem& fs, const std::string& path) {
  return fs.bytes(path);
}

namespace {

std::vector<FieldDesc> itemFields(bool withMemo) {
  std::vector<FieldDesc> f = {{"NAME", 'C', 20, 0},
                              {"PRICE", 'N', 10, 2},
                              {"QTY", 'N', 5, 0},
                              {"DAY", 'D', 8, 0},
                              {"ACTIVE", 'L', 1, 0}};
  if (withMemo) f.push_back({"NOTE", 'M', 10, 0});
  return f;
}

// Text of `n` bytes with line breaks and a Windows-1252 letter.
std::string textOfLength(size_t n) {
  std::string t(n, ' ');
  for (size_t i = 0; i < n; ++i) t[i] = static_cast<char>(i % 61 == 60 ? '\n' : 'a' + i % 26);
  if (n > 3) t[2] = '\xE9';
  return t;
}

void expectNoError(Engine& e) {
  VT_FUZZ_CHECK(e.lastError() == 0);
}

// Seeds come out the same on every day they are written.
void fixTheDay() {
  setDbfClockForTests(2024, 3, 9);
}

void writeItemsTable(MemFileSystem& fs, int records, bool withMemo) {
  fixTheDay();
  Engine e("", &fs);
  VT_FUZZ_CHECK(e.create(kItems, itemFields(withMemo)) == kOk);
  Table* t = e.open(kItems);
  VT_FUZZ_CHECK(t);
  for (int i = 1; i <= records; ++i) {
    VT_FUZZ_CHECK(t->appendBlank() == kOk);
    t->field("NAME")->assign("Item " + std::to_string(i));
    t->field("PRICE")->assignDouble(i * 12.25 - 30);
    t->field("QTY")->assignLong(i * 7);
    t->field("DAY")->assign("202403" + std::to_string(10 + i));
    t->field("ACTIVE")->assign(i % 2 ? "T" : "F");
    if (withMemo && i % 3 != 0) t->field("NOTE")->assignMemo(textOfLength(i * 150));
    if (i % 4 == 0) t->deleteRecord();
  }
  VT_FUZZ_CHECK(t->flush() == kOk);
  expectNoError(e);
  t->close();
}

const char* const kPartNames[] = {"bolt", "Nut", "WASHER", "bolt", "Screw", "nut", "Rivet", "pin"};

}  // namespace

void writeItems(MemFileSystem& fs, int records) {
  writeItemsTable(fs, records, true);
}

void writePlainItems(MemFileSystem& fs, int records) {
  writeItemsTable(fs, records, false);
}

void writeNotes(MemFileSystem& fs) {
  const size_t lengths[] = {12, 0, 509, 510, 511, 512, 1030, 0, 3, 70};
  fixTheDay();
  Engine e("", &fs);
  VT_FUZZ_CHECK(e.create(kNotes, {{"ID", 'N', 4, 0}, {"BODY", 'M', 10, 0}}) == kOk);
  Table* t = e.open(kNotes);
  VT_FUZZ_CHECK(t);
  int id = 0;
  for (size_t n : lengths) {
    VT_FUZZ_CHECK(t->appendBlank() == kOk);
    t->field("ID")->assignLong(++id);
    t->field("BODY")->assignMemo(textOfLength(n));
  }
  VT_FUZZ_CHECK(t->flush() == kOk);
  expectNoError(e);
  t->close();
}

void writeParts(MemFileSystem& fs) {
  fixTheDay();
  Engine e("", &fs);
  VT_FUZZ_CHECK(e.create(kParts, {{"NAME", 'C', 12, 0}, {"QTY", 'N', 5, 0}, {"DAY", 'D', 8, 0}}) ==
                kOk);
  Table* t = e.open(kParts);
  VT_FUZZ_CHECK(t);
  for (int i = 0; i < 120; ++i) {
    VT_FUZZ_CHECK(t->appendBlank() == kOk);
    t->field("NAME")->assign(std::string(kPartNames[i % 8]) + " " + std::to_string(i % 13));
    t->field("QTY")->assignLong((i * 37) % 1000 - 200);
    t->field("DAY")->assign("2023" + std::to_string(1001 + (i * 5) % 28));
  }
  VT_FUZZ_CHECK(t->createIndexGroup(kParts, {{kPartsTag, "NAME"}}) == kOk);
  expectNoError(e);
  t->close();
  VT_FUZZ_CHECK(fs.remove(std::string(kPartsTag) + ".ntx"));
}

size_t readFields(Table& t) {
  size_t digest = 0;
  for (const auto& f : t.fields()) {
    digest += f->str().size();
    switch (f->type()) {
      case 'N':
        digest += static_cast<size_t>(f->asLong());
        digest += f->asDouble() > 0 ? 1 : 0;
        break;
      case 'L':
        digest += f->isTrue() ? 1 : 0;
        break;
      case 'M':
        digest += f->memo().size();
        break;
      default:
        break;
    }
  }
  return digest;
}

}  // namespace vt::engine::fuzz
