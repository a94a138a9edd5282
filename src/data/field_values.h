// How a buffer value goes into a field and back, the rules every Load and
// Store routine shares: texts converted between UTF-8 and Windows-1252 and
// cut to 59 characters on the way in, memos trimmed on the right and cut to
// 32,000 characters, dates as "yyyymmdd", logicals as "T" or "F".
#pragma once

#include <string>
#include <vector>

#include "base/convert.h"
#include "engine/engine.h"

namespace vt::data {

// Full width, blank-padded, as UTF-8.
std::string ReadText(const engine::Field& field);
// Cut to 59 characters, then padded or cut to the field's width.
void WriteText(engine::Field& field, const std::string& utf8);

std::string ReadMemo(const engine::Field& field);
// Stores the text cut to 32,000 characters and trimmed on the right; returns
// the text as stored (UTF-8), which the caller puts back into its buffer.
std::string WriteMemo(engine::Field& field, const std::string& utf8);

// A blank or malformed date reads as `now`.
base::DateTime ReadDate(const engine::Field& field, const base::DateTime& now);
// The date brought into the century window of `currentYear`.
void WriteDate(engine::Field& field, const base::DateTime& value, int currentYear);

bool ReadLogical(const engine::Field& field);
void WriteLogical(engine::Field& field, bool value);

// Whether a field is of the type a buffer member expects (C, M, N, L, D); a
// numeric member also takes a dBASE IV float field.
bool FieldHasType(const engine::Field& field, char type);

// The name and type of a field a buffer is tied to.
struct FieldDecl {
  const char* name;
  char type;
};

// An open table with the handles of the fields its buffer is tied to.
struct MappedTable {
  engine::Table* table = nullptr;
  std::vector<engine::Field*> fields;  // in the order of the field declarations
};

// Looks up every field of `decls` in `table`; false when one is missing or
// of another type (a foreign file), with `fields` then left empty.
bool MapFields(engine::Table& table, const std::vector<FieldDecl>& decls,
               std::vector<engine::Field*>* fields);

}  // namespace vt::data
