#include "data/field_values.h"

#include "base/text1252.h"
#include "data/records.h"

namespace vt::data {

std::string ReadText(const engine::Field& field) {
  return base::toUtf8(field.str());
}

void WriteText(engine::Field& field, const std::string& utf8) {
  std::string bytes = base::fromUtf8(utf8);
  if (bytes.size() > kMaxStoredText) bytes.resize(kMaxStoredText);
  field.assign(bytes);
}

std::string ReadMemo(const engine::Field& field) {
  return base::toUtf8(field.memo());
}

std::string WriteMemo(engine::Field& field, const std::string& utf8) {
  std::string bytes = base::fromUtf8(utf8);
  if (bytes.size() > kMaxMemoText) bytes.resize(kMaxMemoText);
  bytes = base::trimRight(bytes);
  field.assignMemo(bytes);
  return base::toUtf8(bytes);
}

base::DateTime ReadDate(const engine::Field& field, const base::DateTime& now) {
  return base::KeyToDate(field.str(), now);
}

void WriteDate(engine::Field& field, const base::DateTime& value, int currentYear) {
  field.assign(base::DateToKey(value, currentYear));
}

bool ReadLogical(const engine::Field& field) {
  return field.isTrue();
}

void WriteLogical(engine::Field& field, bool value) {
  field.assign(value ? "T" : "F");
}

bool FieldHasType(const engine::Field& field, char type) {
  return field.type() == type || (type == 'N' && field.type() == 'F');
}

bool MapFields(engine::Table& table, const std::vector<FieldDecl>& decls,
               std::vector<engine::Field*>* fields) {
  fields->clear();
  for (const FieldDecl& decl : decls) {
    engine::Field* field = table.field(decl.name);
    if (!field || !FieldHasType(*field, decl.type)) {
      fields->clear();
      return false;
    }
    fields->push_back(field);
  }
  return true;
}

}  // namespace vt::data
