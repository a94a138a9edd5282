#include "data/older_table.h"

namespace vt::data {

int OlderTable::open(engine::Engine& older, const std::string& name,
                     const std::vector<const char*>& fields) {
  close();
  older.errorCode();
  table_ = older.open(name);
  if (!table_) return older.errorCode();
  for (const char* f : fields) {
    if (!table_->field(f)) {
      close();
      older.setError(engine::kErrField);
      return engine::kErrField;
    }
  }
  page_ = base::CodePageOfDriver(table_->languageDriver());
  return 0;
}

void OlderTable::close() {
  if (table_) table_->close();
  table_ = nullptr;
}

engine::Field& OlderTable::field(const char* name) const {
  // open() checked that every field read here is in the table.
  return *table_->field(name);
}

std::string OlderTable::text(const char* name) const {
  return base::CodePageToUtf8(field(name).str(), page_);
}

std::string OlderTable::memo(const char* name) const {
  // DOS editors ended a wrapped line with a soft return, 0x8D before the
  // line feed: a line break like any other.
  std::string text = field(name).memo();
  for (size_t at = text.find("\x8D\n"); at != std::string::npos; at = text.find("\x8D\n", at)) {
    text[at] = '\r';
  }
  return base::CodePageToUtf8(text, page_);
}

double OlderTable::number(const char* name) const {
  return field(name).asDouble();
}

int OlderTable::integer(const char* name) const {
  return field(name).asInt();
}

bool OlderTable::logical(const char* name) const {
  return field(name).isTrue();
}

std::optional<base::DateTime> OlderTable::date(const char* name) const {
  return base::DateFromKey(field(name).str());
}

}  // namespace vt::data
