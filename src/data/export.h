// A table written out as CSV (RFC 4180, UTF-8): a header row
// "recno,deleted,FIELD1,...", then every record, deleted ones included, in
// the order of a tag or in physical order. Texts are trimmed on the right,
// numbers, dates and logicals on both sides, memos given in full; deleted
// is 1 or 0. Lines end in CRLF.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "engine/engine.h"

namespace vt::data {

struct ExportOutcome {
  bool ok = false;
  std::string message;   // what went wrong
  uint32_t records = 0;  // records written
};

// `tag` empty: physical order. Opens the table read-only and closes it.
ExportOutcome ExportCsv(engine::Engine& engine, const std::string& table, const std::string& tag,
                        std::ostream& out);

// One CSV field: quoted when it holds a quote, comma, CR or LF, with quotes
// doubled.
std::string csvField(const std::string& text);

}  // namespace vt::data
