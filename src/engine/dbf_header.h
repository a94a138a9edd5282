// The header of a dBASE III table: reading and validating what others wrote,
// and writing our own (version, date, count, lengths, descriptors, 0x0D).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dbf_file.h"

namespace vt::engine {

constexpr uint8_t kDbfPlain = 0x03;
constexpr uint8_t kDbfWithMemo = 0x83;
constexpr char kDbfEndMarker = 0x1A;
constexpr size_t kDbfPrefixLength = 32;  // the fixed part before the descriptors
constexpr size_t kDbfFieldLength = 32;   // one field descriptor
constexpr size_t kDbfLanguageDriverOffset = 29;

struct DbfHeader {
  uint8_t version = kDbfPlain;
  uint32_t recCount = 0;
  uint16_t headerLength = 0;
  uint16_t recordLength = 0;
  uint8_t languageDriver = 0;     // byte 29: the code page of the text
  std::vector<FieldDesc> fields;  // offsets computed
};

// Reads the record count, header length and record length from the fixed
// 32-byte prefix (no validation beyond the version byte: kErrFormat).
int parseDbfPrefix(const unsigned char* prefix, DbfHeader* out);

// Validates the descriptors in the first headerLength bytes of the file
// (`header` holds them) and fills out->fields. kErrFormat when anything does
// not fit: no terminator, no field, a bad type or width, or a record length
// that is not 1 + the sum of the widths.
int parseDbfFields(const unsigned char* header, DbfHeader* out);

// Checks and normalises a definition for a new table: names upper-cased,
// fixed widths of D, L and M filled in when given as 0, offsets computed.
// kErrArgument when a field does not fit its type.
int normaliseFieldDefs(std::vector<FieldDesc>* fields, bool hasMemo);

// The bytes of a new table's header for normalised fields: prefix,
// descriptors and 0x0D (header length 32·n+33).
std::string buildDbfHeader(const std::vector<FieldDesc>& fields, bool hasMemo, uint32_t recCount);

// Header bytes 1..7: date of last update (today) and the record count.
constexpr size_t kDbfStampOffset = 1;
constexpr size_t kDbfStampLength = 7;
void encodeDbfStamp(uint32_t recCount, unsigned char* stamp7);

}  // namespace vt::engine
