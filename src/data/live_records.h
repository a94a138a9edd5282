// Walking a table's live records: the records the windows show, leaving out
// those marked deleted (they stay in the file until the next pack). Every
// report, document, label run and chart moves through a table with these,
// so none can count a record the windows do not show.
#pragma once

#include <string_view>

#include "engine/engine.h"

namespace vt::data {

// From the position a move left `table` at (`at` is the move's result):
// forward past records marked deleted. The result of the last move.
engine::Result PastDeleted(engine::Table& table, engine::Result at);

// The first live record in the selected order.
inline engine::Result LiveTop(engine::Table& table) {
  return PastDeleted(table, table.top());
}
// The first live record at or after `key` in the selected tag. A deleted
// record that matches gives way to the next live one, matching or not: the
// caller checks the key it finds, as after any seek.
inline engine::Result LiveSeek(engine::Table& table, std::string_view key) {
  return PastDeleted(table, table.seek(key));
}
// The next live record in the selected order.
inline engine::Result LiveNext(engine::Table& table) {
  return PastDeleted(table, table.skip(1));
}

}  // namespace vt::data
