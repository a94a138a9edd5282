#include "data/export.h"

#include "base/text1252.h"
#include "data/pending_work.h"
#include "engine/status.h"

namespace vt::data {
namespace {

// Read-only, with or without the index group, restored afterwards.
class ExportSettings {
 public:
  ExportSettings(engine::Engine& e, bool withIndexes)
      : engine_(e), autoOpen_(e.autoOpen), readOnly_(e.readOnly) {
    e.autoOpen = withIndexes;
    e.readOnly = true;
  }
  ~ExportSettings() {
    engine_.autoOpen = autoOpen_;
    engine_.readOnly = readOnly_;
  }
  ExportSettings(const ExportSettings&) = delete;
  ExportSettings& operator=(const ExportSettings&) = delete;

 private:
  engine::Engine& engine_;
  bool autoOpen_;
  bool readOnly_;
};

std::string valueOf(const engine::Field& field) {
  switch (field.type()) {
    case 'M':
      return base::toUtf8(field.memo());
    case 'C':
      return base::toUtf8(base::trimRight(field.str()));
    default:
      return base::toUtf8(base::trim(field.str()));
  }
}

void writeHeader(engine::Table& table, std::ostream& out) {
  out << "recno,deleted";
  for (const auto& field : table.fields()) out << ',' << csvField(base::toUtf8(field->name()));
  out << "\r\n";
}

void writeRecord(engine::Table& table, std::ostream& out) {
  out << table.recNo() << ',' << (table.deleted() ? '1' : '0');
  for (const auto& field : table.fields()) out << ',' << csvField(valueOf(*field));
  out << "\r\n";
}

std::string tagList(engine::Table& table) {
  std::string names;
  for (const auto& tag : table.tags()) names += (names.empty() ? "" : ", ") + tag->name();
  return names.empty() ? "none" : names;
}

// Writes every record in the selected order (or physical order).
uint32_t writeRecords(engine::Table& table, bool tagOrder, std::ostream& out) {
  uint32_t written = 0;
  if (tagOrder) {
    for (auto r = table.top(); r == engine::Result::Success; r = table.skip(1)) {
      writeRecord(table, out);
      ++written;
    }
    return written;
  }
  const uint32_t count = table.recCount();
  for (uint32_t recno = 1; recno <= count; ++recno) {
    if (table.go(recno) != engine::Result::Success) break;
    writeRecord(table, out);
    ++written;
  }
  return written;
}

}  // namespace

std::string csvField(const std::string& text) {
  if (text.find_first_of("\",\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

ExportOutcome ExportCsv(engine::Engine& engine, const std::string& tableName,
                        const std::string& tagName, std::ostream& out) {
  ExportOutcome outcome;
  ExportSettings settings(engine, !tagName.empty());
  engine::Table* table = engine.open(tableName);
  if (!table) {
    const int status = engine.errorCode();
    outcome.message = status == engine::kErrLocked
                          ? InUseText(tableName, " ")
                          : "Unable to open table " + tableName + ": " + engine::statusText(status);
    return outcome;
  }
  if (!tagName.empty()) {
    engine::Tag* tag = table->tag(tagName);
    if (!tag) {
      outcome.message =
          "Table " + tableName + " has no tag " + tagName + " (tags: " + tagList(*table) + ")";
      table->close();
      return outcome;
    }
    table->selectTag(tag);
  }
  writeHeader(*table, out);
  outcome.records = writeRecords(*table, !tagName.empty(), out);
  const bool complete = outcome.records >= table->recCount();
  table->close();
  const int status = engine.errorCode();
  if (status < 0) {
    outcome.message = "Reading " + tableName + " failed: " + engine::statusText(status);
  } else if (!complete) {
    outcome.message =
        "Only " + std::to_string(outcome.records) + " records of " + tableName + " could be read";
  } else if (!out) {
    outcome.message = "The CSV file cannot be written";
  } else {
    outcome.ok = true;
  }
  return outcome;
}

}  // namespace vt::data
