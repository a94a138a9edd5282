// The sample customer table the table interop tests write and read: every
// field type, Windows-1252 text, negative and decimal amounts, empty dates,
// memos around the 512-byte block size and a long one, deleted records.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "interop/interop_support.h"

namespace vt::interop {

// The same table for python3-dbf's Table(): name C(20); amount N(12,2) ...
extern const char kSampleFieldList[];
std::vector<engine::FieldDesc> sampleFields();

struct SampleRecord {
  std::string name;  // Windows-1252 bytes
  std::optional<double> amount;
  std::optional<long> qty;
  std::string born;  // yyyymmdd, "" for an empty date
  std::optional<bool> active;
  std::string note;
  bool deleted = false;
  bool untouched = false;  // appended blank and never assigned
};

std::vector<SampleRecord> sampleRecords();

// A memo of exactly `length` bytes: lines of Windows-1252 text with CR LF.
std::string memoText(size_t length);

// The records as every reader should report them (see Row).
std::vector<Row> expectedRows(const std::vector<SampleRecord>& records);

// Creates table `name` in `dir` through our engine and writes the records;
// one memo is written twice, so the memo file also holds a dead memo.
// Returns 0 or the first negative status.
int writeWithEngine(const std::string& dir, const std::string& name,
                    const std::vector<SampleRecord>& records);

// Every record of an open table as the engine reports it, in the form of Row.
std::vector<Row> readWithEngine(engine::Table& table);

}  // namespace vt::interop
