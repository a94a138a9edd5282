// Malformed, truncated and foreign files are refused with kErrFormat and
// left exactly as they were.
#include <gtest/gtest.h>

#include <functional>

#include "dbf_test_support.h"
#include "engine/dbf_file.h"

namespace vt::engine {
namespace {

using dbftest::rawDbf;
using dbftest::RawField;
using dbftest::readBytes;
using dbftest::ScratchDir;
using dbftest::writeBytes;

const std::vector<RawField> kFields = {{"NAME", 'C', 6}, {"AMT", 'N', 7, 2}, {"DAY", 'D', 8}};
const std::string kRecord = std::string(" ") + "alpha " + "  12.50" + "20260102";

std::string goodTable() {
  return rawDbf(kFields, {kRecord, kRecord, kRecord});
}

// Opens `bytes` read-only and writable; both must fail with kErrFormat and
// leave the bytes untouched.
void expectRejected(const std::string& bytes, const std::string& what) {
  ScratchDir dir;
  const std::string path = dir.file("bad.dbf");
  writeBytes(path, bytes);
  for (bool writable : {false, true}) {
    std::unique_ptr<DbfFile> dbf;
    EXPECT_EQ(DbfFile::open(realFileSystem(), path, writable, &dbf), kErrFormat) << what;
    EXPECT_EQ(dbf, nullptr) << what;
  }
  EXPECT_EQ(readBytes(path), bytes) << what;
}

std::string patched(std::string bytes, size_t at, unsigned char value) {
  bytes[at] = static_cast<char>(value);
  return bytes;
}

TEST(DbfReject, TheGoodTableOpens) {
  ScratchDir dir;
  writeBytes(dir.file("good.dbf"), goodTable());
  std::unique_ptr<DbfFile> dbf;
  EXPECT_EQ(DbfFile::open(realFileSystem(), dir.file("good.dbf"), true, &dbf), kOk);
}

TEST(DbfReject, FilesCutShortAnywhere) {
  const std::string good = goodTable();
  // Everything but the final end marker is needed.
  for (size_t length = 0; length + 1 < good.size(); ++length) {
    expectRejected(good.substr(0, length), "cut at " + std::to_string(length));
  }
}

TEST(DbfReject, VersionBytesOfOtherFormats) {
  for (unsigned char v : {0x00, 0x02, 0x04, 0x30, 0x31, 0x43, 0x8B, 0x8E, 0xF5, 0xFB}) {
    expectRejected(patched(goodTable(), 0, v), "version " + std::to_string(v));
  }
}

TEST(DbfReject, RecordLengthNotTheSumOfTheWidths) {
  expectRejected(patched(goodTable(), 10, 23), "one more");
  expectRejected(patched(goodTable(), 10, 21), "one less");
  expectRejected(patched(goodTable(), 11, 1), "far more");
}

TEST(DbfReject, NoFields) {
  expectRejected(rawDbf({}, {}), "no descriptor");
  expectRejected(rawDbf({}, {}, 0x03, 32), "no descriptor, header long enough for one");
}

TEST(DbfReject, AbsurdWidthsAndTypes) {
  const std::vector<std::vector<RawField>> bad = {
      {{"A", 'C', 0}},    {{"A", 'C', 255}}, {{"A", 'N', 0}},  {{"A", 'N', 20}}, {{"A", 'N', 5, 5}},
      {{"A", 'N', 3, 7}}, {{"A", 'D', 7}},   {{"A", 'D', 10}}, {{"A", 'L', 2}},  {{"A", 'M', 9}},
      {{"A", 'X', 4}},    {{"A", 'c', 4}},   {{"A", 'F', 25}}, {{"A", '\0', 4}},
  };
  for (const auto& fields : bad) {
    size_t length = 1;
    for (const auto& f : fields) length += static_cast<size_t>(f.length);
    expectRejected(
        rawDbf(fields, {std::string(length, ' ')}),
        std::string("type ") + fields[0].type + " width " + std::to_string(fields[0].length));
  }
}

TEST(DbfReject, BadFieldNames) {
  const std::string good = goodTable();
  expectRejected(patched(good, 32, 0), "empty name");
  expectRejected(patched(good, 33, 0x07), "control character");
  std::string eleven = good;
  eleven.replace(32, 11, "ABCDEFGHIJK");
  expectRejected(eleven, "name without its terminating zero");
}

TEST(DbfReject, HeaderLengthThatDoesNotFitTheDescriptors) {
  const std::string good = goodTable();
  expectRejected(patched(good, 8, 64), "shorter than the descriptors");
  expectRejected(patched(good, 8, 32), "shorter than one descriptor");
  expectRejected(patched(patched(good, 8, 0xFF), 9, 0xFF), "longer than the file");
  expectRejected(patched(good, 128, ' '), "terminator missing");
}

TEST(DbfReject, RecordCountBeyondTheFile) {
  const std::string good = goodTable();
  expectRejected(patched(good, 4, 4), "one record more");
  std::string huge = good;
  huge.replace(4, 4, "\xFF\xFF\xFF\xFF");
  expectRejected(huge, "4 billion records");
}

TEST(DbfReject, FilesThatAreNotTables) {
  expectRejected(std::string("plain text, not a table\r\n", 25), "text");
  std::string noise(4096, '\0');
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919) % 251);
  expectRejected(noise, "noise");
  std::string memoLike(1024, '\0');
  memoLike[0] = 0x03;  // a memo header whose next free block happens to be 3
  expectRejected(memoLike, "memo file");
}

}  // namespace
}  // namespace vt::engine
