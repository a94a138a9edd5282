#include "dbf_header.h"

#include <atomic>
#include <cstring>
#include <ctime>

#include "dbf_bytes.h"
#include "status.h"

namespace vt::engine {
namespace {

constexpr unsigned char kFieldTerminator = 0x0D;
constexpr uint8_t kCodePage1252 = 0x03;
constexpr size_t kMaxNameLength = 10;
constexpr size_t kMaxHeaderLength = 0xFFFF;

std::atomic<int> gClockYear{0}, gClockMonth{0}, gClockDay{0};

struct Ymd {
  int year, month, day;
};

Ymd today() {
  if (gClockYear.load() != 0) return {gClockYear.load(), gClockMonth.load(), gClockDay.load()};
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

// Widths and decimals a field of `type` may have.
bool validShape(char type, int length, int decimals) {
  switch (type) {
    case 'C':
      return length >= 1 && length <= 254 && decimals == 0;
    case 'N':
      return length >= 1 && length <= 19 && decimals >= 0 && decimals < length;
    case 'D':
      return length == 8 && decimals == 0;
    case 'L':
      return length == 1 && decimals == 0;
    case 'M':
      return length == 10 && decimals == 0;
    default:
      return false;
  }
}

int fixedWidth(char type) {
  switch (type) {
    case 'D':
      return 8;
    case 'L':
      return 1;
    case 'M':
      return 10;
    default:
      return 0;
  }
}

bool validNewName(const std::string& name) {
  if (name.empty() || name.size() > kMaxNameLength) return false;
  const char first = upperAscii(name[0]);
  if (first < 'A' || first > 'Z') return false;
  for (char c : name) {
    const char u = upperAscii(c);
    if (!((u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_')) return false;
  }
  return true;
}

// One stored descriptor into `f` (offset not set). False when malformed.
bool parseDescriptor(const unsigned char* d, FieldDesc* f) {
  size_t len = 0;
  while (len <= kMaxNameLength && d[len] != 0) {
    if (d[len] < 0x21 || d[len] > 0x7E) return false;
    ++len;
  }
  if (len == 0 || len > kMaxNameLength) return false;
  f->name.assign(reinterpret_cast<const char*>(d), len);
  f->type = static_cast<char>(d[11]) == 'F' ? 'N' : static_cast<char>(d[11]);
  f->length = d[16];
  // Decimals only mean something for numbers; other writers leave junk there.
  f->decimals = f->type == 'N' ? d[17] : 0;
  return validShape(f->type, f->length, f->decimals);
}

}  // namespace

void setDbfClockForTests(int year, int month, int day) {
  gClockYear = year;
  gClockMonth = month;
  gClockDay = day;
}

int parseDbfPrefix(const unsigned char* prefix, DbfHeader* out) {
  out->version = prefix[0];
  if (out->version != kDbfPlain && out->version != kDbfWithMemo) return kErrFormat;
  out->recCount = getLe32(prefix + 4);
  out->headerLength = getLe16(prefix + 8);
  out->recordLength = getLe16(prefix + 10);
  out->languageDriver = prefix[kDbfLanguageDriverOffset];
  return kOk;
}

int parseDbfFields(const unsigned char* header, DbfHeader* out) {
  out->fields.clear();
  uint32_t offset = 1;  // the deletion flag comes first
  for (size_t pos = kDbfPrefixLength;; pos += kDbfFieldLength) {
    if (pos >= out->headerLength) return kErrFormat;  // no terminator
    if (header[pos] == kFieldTerminator) break;
    if (pos + kDbfFieldLength + 1 > out->headerLength) return kErrFormat;
    FieldDesc f;
    if (!parseDescriptor(header + pos, &f)) return kErrFormat;
    f.offset = offset;
    offset += f.length;
    out->fields.push_back(std::move(f));
  }
  if (out->fields.empty() || offset != out->recordLength) return kErrFormat;
  return kOk;
}

int normaliseFieldDefs(std::vector<FieldDesc>* fields, bool hasMemo) {
  if (fields->empty()) return kErrArgument;
  if (kDbfPrefixLength + kDbfFieldLength * fields->size() + 1 > kMaxHeaderLength) {
    return kErrArgument;
  }
  uint32_t offset = 1;
  for (size_t i = 0; i < fields->size(); ++i) {
    FieldDesc& f = (*fields)[i];
    if (!validNewName(f.name)) return kErrArgument;
    for (char& c : f.name) c = upperAscii(c);
    for (size_t j = 0; j < i; ++j) {
      if ((*fields)[j].name == f.name) return kErrArgument;
    }
    if (f.length == 0) f.length = static_cast<uint8_t>(fixedWidth(f.type));
    if (!validShape(f.type, f.length, f.decimals)) return kErrArgument;
    if (f.type == 'M' && !hasMemo) return kErrArgument;
    f.offset = offset;
    offset += f.length;
  }
  return offset <= 0xFFFF ? kOk : kErrArgument;
}

std::string buildDbfHeader(const std::vector<FieldDesc>& fields, bool hasMemo, uint32_t recCount) {
  const size_t headerLength = kDbfPrefixLength + kDbfFieldLength * fields.size() + 1;
  std::string bytes(headerLength, '\0');
  auto* h = reinterpret_cast<unsigned char*>(bytes.data());
  uint32_t recordLength = 1;
  for (const FieldDesc& f : fields) recordLength += f.length;
  h[0] = hasMemo ? kDbfWithMemo : kDbfPlain;
  encodeDbfStamp(recCount, h + kDbfStampOffset);
  putLe16(h + 8, static_cast<uint32_t>(headerLength));
  putLe16(h + 10, recordLength);
  h[kDbfLanguageDriverOffset] = kCodePage1252;
  unsigned char* d = h + kDbfPrefixLength;
  for (const FieldDesc& f : fields) {
    std::memcpy(d, f.name.data(), f.name.size());
    d[11] = static_cast<unsigned char>(f.type);
    d[16] = f.length;
    d[17] = f.decimals;
    d += kDbfFieldLength;
  }
  *d = kFieldTerminator;
  return bytes;
}

void encodeDbfStamp(uint32_t recCount, unsigned char* stamp7) {
  const Ymd t = today();
  const int year = t.year - 1900;
  stamp7[0] = static_cast<unsigned char>(year < 0 ? 0 : year > 255 ? 255 : year);
  stamp7[1] = static_cast<unsigned char>(t.month);
  stamp7[2] = static_cast<unsigned char>(t.day);
  putLe32(stamp7 + 3, recCount);
}

}  // namespace vt::engine
