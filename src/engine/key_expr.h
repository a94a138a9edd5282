// Key expressions of index tags: field names, Upper(), Str(n, w[, d]),
// DTOS() and "+", compiled once against a table's fields and evaluated on
// raw record buffers into fixed-length key bytes.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "dbf_file.h"

namespace vt::engine {

class KeyExpr {
 public:
  static constexpr size_t kMaxLength = 256;

  // Compiles `text` (case-insensitive names and functions, blanks allowed).
  // Returns kErrExpression on a syntax error, a type error (Upper() of a
  // non-character part, Str() of a non-numeric one, DTOS() of a non-date one,
  // a memo field) or a key longer than kMaxLength; kErrField on an unknown
  // field.
  static int compile(const std::string& text, const std::vector<FieldDesc>& fields,
                     std::unique_ptr<KeyExpr>* out);
  ~KeyExpr();

  const std::string& text() const;
  size_t length() const;
  // 'N' for a bare numeric field, 'D' for a bare date field, 'L' for a bare
  // logical field, 'C' for everything else (character fields, functions, +).
  char type() const;
  // The field's decimals when type() is 'N', else 0 (the index header's key
  // decimals).
  int decimals() const;
  // Writes exactly length() bytes of key for `record` (byte 0 = deletion flag).
  // Allocates nothing.
  void evaluate(const char* record, char* key) const;

  struct Impl;

 private:
  explicit KeyExpr(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// Windows-1252 upper case as keys use it: a-z, and the accented lower-case
// letters that have an upper-case form (š œ ž ÿ, à-ö, ø-þ). Other bytes stay.
unsigned char upper1252(unsigned char c);
void upper1252(char* text, size_t n);

// Str(value, width, decimals): right-aligned, rounded half away from zero,
// `width` asterisks when it does not fit.
void formatStr(double value, int width, int decimals, char* out);

}  // namespace vt::engine
