#include "interop/interop_sample.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace vt::interop {

using engine::Engine;
using engine::Field;
using engine::FieldDesc;
using engine::Result;
using engine::Table;

const char kSampleFieldList[] = "name C(20); amount N(12,2); qty N(6,0); born D; active L; note M";

std::vector<FieldDesc> sampleFields() {
  return {{"NAME", 'C', 20, 0}, {"AMOUNT", 'N', 12, 2}, {"QTY", 'N', 6, 0},
          {"BORN", 'D', 8, 0},  {"ACTIVE", 'L', 1, 0},  {"NOTE", 'M', 10, 0}};
}

std::string memoText(size_t length) {
  // "Grüße aus Köln, 5 € je Stück." in Windows-1252, numbered lines.
  const std::string phrase =
      ": Gr\xFC\xDF"
      "e aus K\xF6ln, 5 \x80 je St\xFC"
      "ck.\r\n";
  std::string text;
  for (int line = 1; text.size() < length; ++line) {
    char number[16];
    std::snprintf(number, sizeof number, "Line %04d", line);
    text += number + phrase;
  }
  text.resize(length);
  return text;
}

std::vector<SampleRecord> sampleRecords() {
  std::vector<SampleRecord> r(10);
  r[0] = {"M\xFCller GmbH", 1234.50, 12, "19991231", true, "", false, false};
  r[1] = {"\xD8rsted & S\xF8n", -12.50, -3, "", false, "\x80", false, false};
  r[2] = {"Caf\xE9 No\xEBl", 0.01, 0, "20000229", true, memoText(510), false, false};
  r[3] = {"Old Customer", -0.99, 999999, "20240101", false, memoText(511), true, false};
  r[4] = {"Smith & Sons", 1234567.89,    -99999, "20261207",
          std::nullopt,   memoText(512), false,  false};
  r[5] = {"", std::nullopt, std::nullopt, "", std::nullopt, memoText(513), false, false};
  r[6] = {"\xDCnal \xD6mer", -1234567.89, 42, "19000101", true, memoText(32000), false, false};
  r[7] = {"\x8E\xE1\xE8\x65k", 100, 1, "", true, "Closed the account.", true, false};
  r[8] = {
      "\xFF\x80\x8A\x8C\x8E\x9A\x9C\x9E", 5.05, 7, "20991231", false, memoText(1), false, false};
  r[9].untouched = true;
  return r;
}

namespace {

std::string rstripBlanks(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

Row expectedRow(const SampleRecord& r) {
  Row row;
  row.deleted = r.deleted;
  row.cells.push_back(rstripBlanks(r.name));
  row.cells.push_back(r.amount ? Cell(fixed(*r.amount, 2)) : std::nullopt);
  row.cells.push_back(r.qty ? Cell(std::to_string(*r.qty)) : std::nullopt);
  row.cells.push_back(r.born.empty() ? std::nullopt : Cell(r.born));
  row.cells.push_back(r.active ? Cell(*r.active ? "T" : "F") : std::nullopt);
  row.cells.push_back(r.note);
  return row;
}

// Assigns every value of `r` to the current record.
void assignRecord(Table& t, const SampleRecord& r) {
  t.field("NAME")->assign(r.name);
  if (r.amount) t.field("AMOUNT")->assignDouble(*r.amount);
  if (r.qty) t.field("QTY")->assignLong(*r.qty);
  t.field("BORN")->assign(r.born);
  if (r.active) t.field("ACTIVE")->assign(*r.active ? "T" : "F");
  t.field("NOTE")->assignMemo(r.note);
  if (r.deleted) t.deleteRecord();
}

// Rewrites the memo of record `recno` with a longer draft first, so the old
// blocks stay behind unused.
int rewriteMemo(Table& t, uint32_t recno, const std::string& finalText) {
  if (t.go(recno) != Result::Success) return t.engine().lastError();
  t.field("NOTE")->assignMemo(memoText(3000));
  int status = t.flush();
  if (status < 0) return status;
  t.field("NOTE")->assignMemo(finalText);
  return t.flush();
}

Cell engineCell(const Field& f) {
  const std::string raw = f.str();
  const bool blank = raw.find_first_not_of(' ') == std::string::npos;
  switch (f.type()) {
    case 'C':
      return rstripBlanks(raw);
    case 'N':
      return blank ? std::nullopt : Cell(fixed(f.asDouble(), f.decimals()));
    case 'D':
      return blank ? std::nullopt : Cell(raw);
    case 'L':
      return blank || raw == "?" ? std::nullopt : Cell(f.isTrue() ? "T" : "F");
    case 'M':
      return f.memo();
  }
  return "unknown field type " + std::string(1, f.type());
}

}  // namespace

std::vector<Row> expectedRows(const std::vector<SampleRecord>& records) {
  std::vector<Row> rows;
  for (const SampleRecord& r : records) rows.push_back(expectedRow(r));
  return rows;
}

int writeWithEngine(const std::string& dir, const std::string& name,
                    const std::vector<SampleRecord>& records) {
  Engine engine(dir);
  int status = engine.create(name, sampleFields());
  if (status < 0) return status;
  Table* t = engine.open(name);
  if (t == nullptr) return engine.lastError();
  for (const SampleRecord& r : records) {
    status = t->appendBlank();
    if (status < 0) return status;
    if (!r.untouched) assignRecord(*t, r);
    status = t->flush();
    if (status < 0) return status;
  }
  if (records.size() >= 2) status = rewriteMemo(*t, 2, records[1].note);
  if (status == 0) status = engine.lastError();
  engine.closeAll();
  return status;
}

std::vector<Row> readWithEngine(Table& table) {
  std::vector<Row> rows;
  const uint32_t count = table.recCount();
  for (uint32_t recno = 1; recno <= count; ++recno) {
    if (table.go(recno) != Result::Success) {
      ADD_FAILURE() << "go(" << recno << ") failed with " << table.engine().lastError();
      break;
    }
    Row row;
    row.deleted = table.deleted();
    for (const auto& field : table.fields()) row.cells.push_back(engineCell(*field));
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace vt::interop
