// A table of the older program read where it lies: opened for reading only
// and without indexes, its fields looked up by name without regard to case,
// its text converted from the code page its header names.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/codepage.h"
#include "base/convert.h"
#include "engine/engine.h"

namespace vt::data {

class OlderTable {
 public:
  OlderTable() = default;
  OlderTable(const OlderTable&) = delete;
  OlderTable& operator=(const OlderTable&) = delete;
  ~OlderTable() { close(); }

  // Opens table `name` of `older` (an engine on the older directory, set to
  // read only and without indexes) and checks that every one of `fields` is
  // there (kErrField otherwise). 0 or the engine's negative status.
  int open(engine::Engine& older, const std::string& name, const std::vector<const char*>& fields);
  void close();
  engine::Table& table() { return *table_; }
  base::CodePage codePage() const { return page_; }

  // The current record's fields: text as UTF-8 with its blank padding, a
  // memo as UTF-8 (DOS soft returns as line breaks), and a date as its
  // "yyyymmdd" text gives it (nothing when blank or not a date).
  std::string text(const char* field) const;
  std::string memo(const char* field) const;
  double number(const char* field) const;
  int integer(const char* field) const;
  bool logical(const char* field) const;
  std::optional<base::DateTime> date(const char* field) const;

 private:
  engine::Field& field(const char* name) const;
  engine::Table* table_ = nullptr;
  base::CodePage page_ = base::CodePage::Windows1252;
};

}  // namespace vt::data
