#include "engine_side.h"

#include <cstdio>
#include <stdexcept>

#include "bench_timing.h"
#include "customer_data.h"
#include "engine/key_expr.h"

namespace vt::bench {

using engine::Field;
using engine::Result;
using engine::TagSpec;

namespace {

constexpr const char* kTable = "CUST5";
// index_name builds the name tag alone into a group of its own, removed again
// before index_all builds the table's real group.
constexpr const char* kNameGroup = "CNAMEONLY";
const TagSpec kNameTag{"CName", "Upper(Last + First)"};
const std::vector<TagSpec> kAllTags = {
    kNameTag,
    {"CCNO", "Str(CuNo, 6)"},
    {"CZip", "Zip"},
    {"cComp", "Addr1"},
};

void check(int status, const std::string& what) {
  if (status < 0) throw std::runtime_error("engine " + what + ": " + engine::statusText(status));
}

std::vector<engine::FieldDesc> fieldDescs() {
  std::vector<engine::FieldDesc> fields;
  for (const Column& c : kCust5) {
    engine::FieldDesc d;
    d.name = c.name;
    d.type = c.type;
    d.length = static_cast<uint8_t>(c.width);
    fields.push_back(d);
  }
  return fields;
}

void storeRow(engine::Table& table, const std::vector<Field*>& fields, const Customer& c) {
  check(table.appendBlank(), "appendBlank");
  for (int col = 0; col < kColCount; ++col) {
    switch (kCust5[col].type) {
      case 'N':
        fields[col]->assignLong(c.number(col));
        break;
      case 'C':
        fields[col]->assign(c.text[col]);
        break;
      default:  // the memo stays empty: nothing is written to the .dbt
        break;
    }
  }
}

// A prefix upper-cased as the program upper-cases seek texts.
std::string upperKey(std::string text) {
  engine::upper1252(text.data(), text.size());
  return text;
}

}  // namespace

EngineSide::EngineSide(const std::string& dir, uint32_t n) : engine_(dir), n_(n) {
  engine_.accessMode = engine::AccessMode::DenyWrite;
  engine_.autoOpen = false;
}

EngineSide::~EngineSide() {
  engine_.closeAll();
}

void EngineSide::checkEngine(const char* what) {
  check(engine_.errorCode(), what);
}

void EngineSide::openTable() {
  table_ = engine_.open(kTable);
  if (!table_) check(engine_.errorCode(), std::string("open ") + kTable);
}

void EngineSide::closeTable() {
  table_->close();
  table_ = nullptr;
  checkEngine("close");
}

void EngineSide::removeFile(const std::string& name) {
  engine::FileSystem& fs = engine_.fs();
  std::string path = engine::resolvePath(fs, engine_.directory(), name);
  if (!fs.remove(path)) throw std::runtime_error("cannot remove " + path);
}

engine::Tag* EngineSide::requireTag(const char* name) {
  engine::Tag* tag = table_->tag(name);
  if (!tag) throw std::runtime_error(std::string("engine has no tag ") + name);
  return tag;
}

Field* EngineSide::requireField(const char* name) {
  Field* field = table_->field(name);
  if (!field) throw std::runtime_error(std::string("engine has no field ") + name);
  return field;
}

double EngineSide::append() {
  Stopwatch watch;
  watch.start();
  check(engine_.create(kTable, fieldDescs()), "create");
  openTable();
  std::vector<Field*> fields;
  for (const Column& c : kCust5) fields.push_back(requireField(c.name));
  watch.stop();
  std::vector<Customer> batch;
  forBatches(1, n_, [&](uint64_t first, uint32_t count) {
    makeCustomers(first, count, &batch);
    watch.start();
    for (const Customer& c : batch) storeRow(*table_, fields, c);
    watch.stop();
  });
  watch.start();
  closeTable();
  watch.stop();
  openTable();
  if (table_->recCount() != n_) throw std::runtime_error("engine append: wrong record count");
  return watch.seconds();
}

double EngineSide::indexName() {
  double seconds = timed([&] { check(table_->createIndexGroup(kNameGroup, {kNameTag}), "index"); });
  closeTable();
  removeFile(std::string(kNameGroup) + ".cgp");
  removeFile(kNameTag.name + ".ntx");
  openTable();
  return seconds;
}

double EngineSide::indexAll() {
  return timed([&] { check(table_->createIndexGroup(kTable, kAllTags), "index"); });
}

double EngineSide::seekExact() {
  table_->selectTag(requireTag("CCNO"));
  std::vector<uint32_t> records;
  std::vector<char> keys;  // 6 bytes each, as Str(CuNo, 6) gives them
  uint64_t misses = 0;
  Stopwatch watch;
  forBatches(0, n_, [&](uint64_t first, uint32_t count) {
    records.clear();
    keys.assign(size_t{count} * 7, '\0');
    for (uint32_t i = 0; i < count; ++i) {
      records.push_back(probeRecord(first + i, n_));
      std::snprintf(&keys[size_t{i} * 7], 7, "%6u", records[i]);
    }
    watch.start();
    for (uint32_t i = 0; i < count; ++i) {
      std::string_view key(&keys[size_t{i} * 7], 6);
      if (table_->seek(key) != Result::Success || table_->recNo() != records[i]) ++misses;
    }
    watch.stop();
  });
  checkEngine("seek_exact");
  if (misses) throw std::runtime_error("engine seek_exact: " + std::to_string(misses) + " misses");
  return watch.seconds();
}

double EngineSide::seekPrefix() {
  table_->selectTag(requireTag("CName"));
  std::vector<std::string> prefixes;
  uint64_t misses = 0;
  Stopwatch watch;
  forBatches(0, n_, [&](uint64_t first, uint32_t count) {
    prefixes.clear();
    for (uint64_t p = first; p < first + count; ++p)
      prefixes.push_back(upperKey(probePrefix(p, n_)));
    watch.start();
    for (const std::string& prefix : prefixes) {
      if (table_->seek(prefix) != Result::Success || table_->recNo() > n_) ++misses;
    }
    watch.stop();
  });
  checkEngine("seek_prefix");
  if (misses) throw std::runtime_error("engine seek_prefix: " + std::to_string(misses) + " misses");
  return watch.seconds();
}

template <class Fn>
uint32_t EngineSide::walkNames(Fn&& fn) {
  uint32_t visited = 0;
  for (table_->top(); !table_->eof(); table_->skip(1)) {
    fn();
    ++visited;
  }
  return visited;
}

double EngineSide::walkRecno() {
  table_->selectTag(requireTag("CName"));
  uint32_t bad = 0, visited = 0;
  double seconds = timed([&] {
    visited = walkNames([&] {
      if (table_->recNo() - 1 >= n_) ++bad;
    });
  });
  checkEngine("walk_recno");
  if (visited != n_ || bad) throw std::runtime_error("engine walk_recno: wrong records");
  return seconds;
}

double EngineSide::walkField() {
  table_->selectTag(requireTag("CName"));
  Field* zip = requireField("ZIP");
  uint64_t bytes = 0;
  uint32_t visited = 0;
  double seconds = timed([&] { visited = walkNames([&] { bytes += zip->str().size(); }); });
  checkEngine("walk_field");
  if (visited != n_ || bytes != uint64_t{n_} * 10) {
    throw std::runtime_error("engine walk_field: wrong records");
  }
  return seconds;
}

double EngineSide::pack() {
  table_->selectTag(nullptr);
  for (uint32_t recno = 10; recno <= n_; recno += 10) {
    if (table_->go(recno) != Result::Success) throw std::runtime_error("engine go failed");
    table_->deleteRecord();
    check(table_->flush(), "flush");
  }
  double seconds = timed([&] { check(table_->pack(), "pack"); });
  if (table_->recCount() != n_ - n_ / 10) throw std::runtime_error("engine pack: wrong count");
  closeTable();
  return seconds;
}

}  // namespace vt::bench
