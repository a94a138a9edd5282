// Helpers for the table, memo, key and I/O tests: a scratch directory and
// whole-file byte access.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/dbf_file.h"

namespace vt::engine::dbftest {

class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vt-dbf-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
    path_ = pattern;
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline FieldDesc field(const std::string& name, char type, int length, int decimals = 0) {
  FieldDesc f;
  f.name = name;
  f.type = type;
  f.length = static_cast<uint8_t>(length);
  f.decimals = static_cast<uint8_t>(decimals);
  return f;
}

// Field descriptors with offsets, as an open table reports them.
inline std::vector<FieldDesc> withOffsets(std::vector<FieldDesc> fields) {
  uint32_t offset = 1;
  for (FieldDesc& f : fields) {
    f.offset = offset;
    offset += f.length;
  }
  return fields;
}

// A live record of the given field texts, each padded with blanks (or cut)
// to its field's width.
inline std::string makeRecord(const std::vector<FieldDesc>& fields,
                              const std::vector<std::string>& texts) {
  std::string rec = " ";
  for (size_t i = 0; i < fields.size(); ++i) {
    std::string t = i < texts.size() ? texts[i] : std::string();
    t.resize(fields[i].length, ' ');
    rec += t;
  }
  return rec;
}

inline uint32_t le32(const std::string& bytes, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) |
         (static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8) |
         (static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16) |
         (static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24);
}

inline uint16_t le16(const std::string& bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                               (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

// A table file as another program might have written it: year stored as
// year mod 100, `padding` extra bytes after the 0x0D (the header length
// says so), the records as given (each must be 1 + the widths long).
struct RawField {
  std::string name;
  char type;
  int length;
  int decimals = 0;
};

inline std::string rawDbf(const std::vector<RawField>& fields,
                          const std::vector<std::string>& records, unsigned char version = 0x03,
                          size_t padding = 0, bool endMarker = true) {
  const size_t headerLength = 32 + 32 * fields.size() + 1 + padding;
  size_t recordLength = 1;
  for (const RawField& f : fields) recordLength += static_cast<size_t>(f.length);
  std::string b(32, '\0');
  b[0] = static_cast<char>(version);
  b[1] = 26;
  b[2] = 1;
  b[3] = 1;
  for (int i = 0; i < 4; ++i) b[4 + i] = static_cast<char>(records.size() >> (8 * i));
  b[8] = static_cast<char>(headerLength & 0xFF);
  b[9] = static_cast<char>(headerLength >> 8);
  b[10] = static_cast<char>(recordLength & 0xFF);
  b[11] = static_cast<char>(recordLength >> 8);
  for (const RawField& f : fields) {
    std::string d(32, '\0');
    d.replace(0, std::min<size_t>(f.name.size(), 11), f.name.substr(0, 11));
    d[11] = f.type;
    d[16] = static_cast<char>(f.length);
    d[17] = static_cast<char>(f.decimals);
    b += d;
  }
  b += '\x0D';
  b += std::string(padding, '\0');
  for (const std::string& r : records) b += r;
  if (endMarker) b += '\x1A';
  return b;
}

}  // namespace vt::engine::dbftest
