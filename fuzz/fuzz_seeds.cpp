// Writes the fuzz targets' starting inputs into DIR/table, DIR/memo,
// DIR/index and DIR/index_update: files the engine writes, and update
// scripts that drive the index through splits, merges and the free list.
//
//   fuzz_seeds DIR
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "fuzz_support.h"
#include "update_script.h"

using namespace vt::engine;
using namespace vt::engine::fuzz;

namespace {

std::filesystem::path gRoot;

void save(const std::string& target, const std::string& name, const std::vector<uint8_t>& bytes) {
  std::filesystem::path dir = gRoot / target;
  std::filesystem::create_directories(dir);
  std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  VT_FUZZ_CHECK(out.good());
}

void tableSeeds() {
  for (int records : {0, 1, 6}) {
    MemFileSystem fs;
    writeItems(fs, records);
    save("table", "items" + std::to_string(records), fileBytes(fs, "items.dbf"));
  }
  MemFileSystem fs;
  writePlainItems(fs, 5);
  save("table", "plain5", fileBytes(fs, "items.dbf"));
}

void memoSeeds() {
  MemFileSystem fs;
  writeNotes(fs);
  save("memo", "notes", fileBytes(fs, "notes.dbt"));
  // Memos written again leave their old blocks unused behind them.
  Engine e("", &fs);
  Table* t = e.open(kNotes);
  VT_FUZZ_CHECK(t);
  for (uint32_t r : {3u, 7u}) {
    VT_FUZZ_CHECK(t->go(r) == Result::Success);
    t->field("BODY")->assignMemo(std::string(40 * r, 'x'));
  }
  VT_FUZZ_CHECK(t->flush() == kOk && e.lastError() == 0);
  t->close();
  save("memo", "rewritten", fileBytes(fs, "notes.dbt"));
}

// The parts tag built with `expression`; with `churn`, then updated record
// by record, so that its pages are part full and some are on the free list.
std::vector<uint8_t> partsIndex(const std::string& expression, bool churn) {
  MemFileSystem fs;
  writeParts(fs);
  Engine e("", &fs);
  e.autoOpen = false;
  e.safety = false;
  Table* t = e.open(kParts);
  VT_FUZZ_CHECK(t && t->createIndexGroup(kParts, {{kPartsTag, expression}}) == kOk);
  for (uint32_t r = 1; churn && r <= 70; ++r) {
    VT_FUZZ_CHECK(t->go(r) == Result::Success);
    t->field("NAME")->assign(r % 2 ? "zz moved" : "aa moved");
    t->field("QTY")->assignLong(900 + r);
  }
  VT_FUZZ_CHECK(t->flush() == kOk && e.lastError() == 0);
  t->close();
  return fileBytes(fs, std::string(kPartsTag) + ".ntx");
}

void indexSeeds() {
  const char* const expressions[] = {"NAME",      "UPPER(NAME)",
                                     "QTY",       "STR(QTY,5)+NAME",
                                     "DTOS(DAY)", "UPPER(NAME)+NAME+NAME+NAME+NAME"};
  int n = 0;
  for (const char* expression : expressions) {
    save("index", "built" + std::to_string(++n), partsIndex(expression, false));
  }
  save("index", "churned-name", partsIndex("NAME", true));
  save("index", "churned-wide", partsIndex("UPPER(NAME)+NAME+NAME+NAME+NAME", true));
}

Step step(Change c, unsigned who, unsigned value) {
  return Step{c, static_cast<uint8_t>(who), static_cast<uint8_t>(value)};
}

void updateSeeds() {
  std::mt19937 rng(20240309);
  // Rising keys fill the tree from the left; moving the first 60 to the top
  // empties the left pages (borrow, merge, free); new middle keys then split
  // pages taken from the free list.
  UpdateScript shift{246, false, true, {}};
  for (unsigned i = 0; i < 80; ++i) shift.steps.push_back(step(Change::Append, i, i));
  for (unsigned i = 0; i < 60; ++i) shift.steps.push_back(step(Change::SetKey, i, 200 + i % 50));
  for (unsigned i = 0; i < 50; ++i) shift.steps.push_back(step(Change::Append, i, 100 + i));
  // Falling keys, then every record's key and code changed in random order.
  UpdateScript falling{120, false, true, {}};
  for (unsigned i = 0; i < 100; ++i) falling.steps.push_back(step(Change::Append, i, 250 - i));
  for (unsigned i = 0; i < 100; ++i) falling.steps.push_back(step(Change::SetBoth, rng(), rng()));
  // Equal keys in number, moved away and back.
  UpdateScript equal{246, true, false, {}};
  for (unsigned i = 0; i < 60; ++i) equal.steps.push_back(step(Change::Append, i, 7));
  for (unsigned i = 0; i < 60; ++i) equal.steps.push_back(step(Change::SetKey, i * 7, 9));
  for (unsigned i = 0; i < 60; ++i) equal.steps.push_back(step(Change::SetKey, i * 3, 7));
  std::vector<UpdateScript> scripts{shift, falling, equal};
  // Random mixtures with deletions and a pack, held alone or shared.
  for (int width : kKeyWidths) {
    UpdateScript mixed{width, width % 3 == 0, width != 150, {}};
    for (unsigned i = 0; i < 190; ++i) {
      unsigned what = rng() % 63;
      if (i == 95) what = 63;  // one pack, half way
      mixed.steps.push_back(Step{changeOf(static_cast<uint8_t>(what)), static_cast<uint8_t>(rng()),
                                 static_cast<uint8_t>(rng() % 64)});
    }
    scripts.push_back(mixed);
  }
  int n = 0;
  for (const UpdateScript& s : scripts) {
    save("index_update", "script" + std::to_string(++n), encodeScript(s));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds DIR\n");
    return 2;
  }
  gRoot = argv[1];
  tableSeeds();
  memoSeeds();
  indexSeeds();
  updateSeeds();
  return 0;
}
