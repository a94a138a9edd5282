// Parsing of key expression text into a small tree, with field names
// resolved against the table's fields. Types are checked by the compiler.
#pragma once

#include <string>
#include <vector>

#include "dbf_file.h"

namespace vt::engine {

struct KeyNode {
  enum class Kind { Field, Upper, Str, Dtos, Concat };
  Kind kind = Kind::Field;
  int field = -1;    // Field: index into the table's fields
  int width = 0;     // Str
  int decimals = 0;  // Str (0 when not given)
  std::vector<KeyNode> kids;
};

// expr := term ('+' term)*
// term := FIELD | UPPER(expr) | STR(expr, int[, int]) | DTOS(expr) | '(' expr ')'
// Returns kOk, kErrExpression on a syntax error or kErrField on an unknown
// field name.
int parseKeyExpr(const std::string& text, const std::vector<FieldDesc>& fields, KeyNode* out);

}  // namespace vt::engine
