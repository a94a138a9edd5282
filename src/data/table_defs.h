// The nine data tables in one place: fields, memo file, index group, tags,
// the tag selected on open, and what the index rebuild does for each. The
// index rebuild, the open routines and the init tool all read this list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/dbf_file.h"
#include "engine/engine.h"

namespace vt::data {

struct FieldDef {
  std::string name;  // spelled as the program spells it; stored upper-cased
  char type;         // C N D L M
  int width;
  int decimals;
};

struct TagDef {
  std::string name;        // tag name ("CName")
  std::string file;        // index file base name ("cName" for cName.ntx)
  std::string expression;  // key expression, as written
};

struct TableDef {
  std::string name;  // base name of the .dbf (and .dbt, .cgp)
  std::vector<FieldDef> fields;
  bool memo = false;  // has a .dbt memo file
  std::string group;  // index group base name; empty: no indexes
  std::vector<TagDef> tags;
  std::string openTag;      // tag selected on open; empty: physical order
  int rebuildProgress = 0;  // progress value after its indexes are rebuilt

  bool indexed() const { return !tags.empty(); }
  // The files the index rebuild looks for: one .ntx per tag, then the .cgp.
  std::vector<std::string> indexFiles() const;
  std::string dbfName() const { return name + ".dbf"; }
  std::string dbtName() const { return name + ".dbt"; }
  // "CUST5.DBF": the spelling messages use.
  std::string upperDbfName() const;
  std::vector<engine::FieldDesc> fieldDescs() const;
  // Tags as the engine builds them, named after their index files so the
  // files carry the names the data directory lists (tag lookups ignore case).
  std::vector<engine::TagSpec> tagSpecs() const;
  const TagDef* findTag(std::string_view nameOrFile) const;  // case-insensitive
};

// All nine tables: the eight indexed ones in the order the index rebuild
// takes them, then the settings table VTR1.
const std::vector<TableDef>& tableDefs();
// Case-insensitive lookup; nullptr if the name is not one of the nine.
const TableDef* findTableDef(std::string_view name);
// The width of field `field` of table `table` (names case-insensitive), as
// an entry field is limited to it; 0 when there is no such field.
int FieldWidth(std::string_view table, std::string_view field);

// Case-insensitive equality of ASCII names.
bool sameName(std::string_view a, std::string_view b);
std::string lowerName(std::string_view name);

}  // namespace vt::data
