// Field: reading and assigning one field of the current record.
#include <cstring>

#include "dbt_file.h"
#include "number_text.h"
#include "table_impl.h"

namespace vt::engine {

char* Field::bytes() const {
  Table::Impl& t = *table_.impl_;
  t.load();
  return t.rec.data() + desc_.offset;
}

std::string Field::str() const {
  return std::string(bytes(), desc_.length);
}

long Field::asLong() const {
  return parseLong(bytes(), desc_.length);
}

int Field::asInt() const {
  return static_cast<int>(asLong());
}

double Field::asDouble() const {
  return parseNumber(bytes(), desc_.length);
}

bool Field::isTrue() const {
  char c = bytes()[0];
  return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

std::string Field::memo() const {
  Table::Impl& t = *table_.impl_;
  if (desc_.type != 'M' || !t.dbt) return {};
  uint32_t block = 0;
  if (!parseMemoRef(bytes(), &block)) {
    t.fail(kErrMemo);
    return {};
  }
  if (block == 0) return {};
  OpScope op(t, false);
  if (op.status() < 0) return {};
  std::string text;
  int status = t.dbt->read(block, &text);
  if (status < 0) t.fail(status);
  return text;
}

namespace {

// The current record ready for a change, or nullptr (with the error set).
char* writable(Table::Impl& t, const FieldDesc& d) {
  if (t.eof) {
    t.fail(kErrRecord);
    return nullptr;
  }
  if (!t.dbf->writable()) {
    t.fail(kErrReadOnly);
    return nullptr;
  }
  if (t.load() < 0) return nullptr;
  t.changed = true;
  return t.rec.data() + d.offset;
}

// A number too wide for its field is not written: the record's changes are
// dropped at its flush, which fails (the table's adder or writer reports it).
void refuseNumber(Table::Impl& t) {
  t.refused = kErrOverflow;
  t.fail(kErrOverflow);
}

// Field widths are at most 255 bytes.
constexpr size_t kMaxNumberWidth = 256;

// Copies formatted number text into the record, or refuses it when the
// formatter found it too wide (asterisks).
void storeNumber(Table::Impl& t, const char* text, int width, char* out) {
  if (width > 0 && text[0] == '*') {
    refuseNumber(t);
    return;
  }
  std::memcpy(out, text, static_cast<size_t>(width));
}

}  // namespace

void Field::assign(std::string_view text) {
  if (desc_.type == 'M') {
    assignMemo(text);
    return;
  }
  char* out = writable(*table_.impl_, desc_);
  if (!out) return;
  size_t width = desc_.length;
  if (desc_.type == 'N') {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.size() > width) {
      refuseNumber(*table_.impl_);
    } else {
      std::memset(out, ' ', width - text.size());
      std::memcpy(out + (width - text.size()), text.data(), text.size());
    }
    return;
  }
  size_t n = std::min(width, text.size());
  std::memcpy(out, text.data(), n);
  std::memset(out + n, ' ', width - n);
}

void Field::assignLong(long value) {
  if (desc_.type != 'N') {
    assign(std::to_string(value));
    return;
  }
  char* out = writable(*table_.impl_, desc_);
  if (!out) return;
  char text[kMaxNumberWidth];
  if (desc_.decimals > 0) {
    formatNumber(static_cast<double>(value), desc_.length, desc_.decimals, text);
  } else {
    formatLong(value, desc_.length, text);
  }
  storeNumber(*table_.impl_, text, desc_.length, out);
}

void Field::assignInt(int value) {
  assignLong(value);
}

void Field::assignDouble(double value) {
  if (desc_.type != 'N') {
    char buf[64];
    formatNumber(value, 40, desc_.decimals, buf);
    std::string_view text(buf, 40);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    assign(text);
    return;
  }
  char* out = writable(*table_.impl_, desc_);
  if (!out) return;
  char text[kMaxNumberWidth];
  formatNumber(value, desc_.length, desc_.decimals, text);
  storeNumber(*table_.impl_, text, desc_.length, out);
}

void Field::assignMemo(std::string_view text) {
  Table::Impl& t = *table_.impl_;
  if (desc_.type != 'M' || !t.dbt) {
    t.fail(kErrField);
    return;
  }
  if (t.eof) {
    t.fail(kErrRecord);
    return;
  }
  uint32_t block = 0;
  if (!text.empty()) {
    OpScope op(t, true);
    if (op.status() < 0) return;
    int status = t.dbt->write(text, &block);
    if (op.finish(status) < 0) return;
  }
  char* out = writable(t, desc_);
  if (out) formatMemoRef(block, out);
}

}  // namespace vt::engine
