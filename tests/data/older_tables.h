// The older program's tables as the import tests write them.
#pragma once

#include <string>
#include <vector>

#include "engine/engine.h"

namespace vt::data::testing {

using Rows = std::vector<std::vector<std::string>>;

// An older table as the test writes it: file base name (in the case the
// older program may have used), language driver byte, fields and records.
struct Older {
  std::string name;
  uint8_t driver;
  std::vector<engine::FieldDesc> fields;
  Rows rows;
};

// The older program's seven tables: customers and groups in DOS code page
// 437, products in 850, the rest in Windows-1252; one record of each kind.
std::vector<Older> olderTables();
// Writes `t` into `dir` with its language driver byte.
void writeOlder(const std::string& dir, const Older& t);

}  // namespace vt::data::testing
