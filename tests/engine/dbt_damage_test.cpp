// Damaged memo files and references give kErrMemo, never a crash or a hang;
// failed writes leave the memos already there readable.
#include <gtest/gtest.h>

#include "dbf_test_support.h"
#include "engine/dbt_file.h"
#include "engine/fault_fs.h"

namespace vt::engine {
namespace {

using dbftest::readBytes;
using dbftest::ScratchDir;
using dbftest::writeBytes;

std::string header(uint32_t nextFree) {
  std::string h(512, '\0');
  for (int i = 0; i < 4; ++i) h[i] = static_cast<char>(nextFree >> (8 * i));
  h[16] = 3;
  return h;
}

int readMemo(const std::string& bytes, uint32_t block, std::string* text) {
  ScratchDir dir;
  writeBytes(dir.file("m.dbt"), bytes);
  std::unique_ptr<DbtFile> dbt;
  const int status = DbtFile::open(realFileSystem(), dir.file("m.dbt"), false, &dbt);
  if (status != kOk) return status;
  return dbt->read(block, text);
}

TEST(DbtDamage, UnterminatedMemoAtTheEnd) {
  std::string text = "x";
  EXPECT_EQ(readMemo(header(2) + "no end here", 1, &text), kErrMemo);
  EXPECT_TRUE(text.empty());
  EXPECT_EQ(readMemo(header(2) + "one end only\x1A", 1, &text), kErrMemo);
  EXPECT_EQ(readMemo(header(400) + std::string(200000, 'a'), 1, &text), kErrMemo);
}

TEST(DbtDamage, BlockBeyondTheFile) {
  std::string text;
  const std::string file = header(2) + "memo\x1A\x1A";
  EXPECT_EQ(readMemo(file, 2, &text), kErrMemo);
  EXPECT_EQ(readMemo(file, 4000000000u, &text), kErrMemo);
  EXPECT_EQ(readMemo(file, 0, &text), kErrMemo);
  EXPECT_EQ(readMemo(file, 1, &text), kOk);
  EXPECT_EQ(text, "memo");
}

TEST(DbtDamage, TerminatorSplitAcrossReads) {
  // The two end bytes straddle the first read of 4 KB.
  const std::string body(8 * 512 - 1, 'q');
  std::string text;
  ASSERT_EQ(readMemo(header(10) + body + "\x1A\x1A", 1, &text), kOk);
  EXPECT_EQ(text, body);
}

TEST(DbtDamage, FileShorterThanItsHeader) {
  std::string text;
  EXPECT_EQ(readMemo("", 1, &text), kErrMemo);
  EXPECT_EQ(readMemo(header(1).substr(0, 100), 1, &text), kErrMemo);
}

TEST(DbtDamage, TextsThatCannotBeStored) {
  ScratchDir dir;
  ASSERT_EQ(DbtFile::create(realFileSystem(), dir.file("m.dbt")), kOk);
  std::unique_ptr<DbtFile> dbt;
  ASSERT_EQ(DbtFile::open(realFileSystem(), dir.file("m.dbt"), true, &dbt), kOk);
  uint32_t block = 0;
  EXPECT_EQ(dbt->write("a\x1A\x1A b", &block), kErrArgument);
  EXPECT_EQ(dbt->write("ends in\x1A", &block), kErrArgument);
  EXPECT_EQ(dbt->write("a single \x1A inside is fine", &block), kOk);
  std::string text;
  ASSERT_EQ(dbt->read(block, &text), kOk);
  EXPECT_EQ(text, "a single \x1A inside is fine");
  ASSERT_EQ(DbtFile::open(realFileSystem(), dir.file("m.dbt"), false, &dbt), kOk);
  EXPECT_EQ(dbt->write("read-only", &block), kErrReadOnly);
}

TEST(DbtDamage, StaleHeaderNeverLeadsToOverwriting) {
  ScratchDir dir;
  const std::string path = dir.file("m.dbt");
  writeBytes(path, header(1) + "in use\x1A\x1A");  // header says block 1 is free
  std::unique_ptr<DbtFile> dbt;
  ASSERT_EQ(DbtFile::open(realFileSystem(), path, true, &dbt), kOk);
  uint32_t block = 0;
  ASSERT_EQ(dbt->write("new", &block), kOk);
  EXPECT_EQ(block, 2u);
  std::string text;
  ASSERT_EQ(dbt->read(1, &text), kOk);
  EXPECT_EQ(text, "in use");
}

TEST(DbtDamage, HeaderPointingFarBeyondTheFileIsNotFollowed) {
  ScratchDir dir;
  const std::string path = dir.file("m.dbt");
  writeBytes(path, header(0xFFFFFFF0u) + "memo\x1A\x1A");
  std::unique_ptr<DbtFile> dbt;
  ASSERT_EQ(DbtFile::open(realFileSystem(), path, true, &dbt), kOk);
  uint32_t block = 0;
  ASSERT_EQ(dbt->write("next", &block), kOk);
  EXPECT_EQ(block, 2u);
  ASSERT_EQ(dbt->flush(), kOk);
  EXPECT_EQ(readBytes(path).size(), 2u * 512 + 6);
}

TEST(DbtDamage, FailedMemoOrHeaderWriteKeepsEarlierMemos) {
  for (uint64_t n : {1u, 2u}) {  // the memo's bytes, then the header at flush()
    ScratchDir dir;
    const std::string path = dir.file("m.dbt");
    ASSERT_EQ(DbtFile::create(realFileSystem(), path), kOk);
    FaultFileSystem fs(realFileSystem());
    uint32_t kept = 0, lost = 0;
    {
      std::unique_ptr<DbtFile> dbt;
      ASSERT_EQ(DbtFile::open(fs, path, true, &dbt), kOk);
      ASSERT_EQ(dbt->write(std::string(700, 'k'), &kept), kOk);
      ASSERT_EQ(dbt->flush(), kOk);
      fs.failWriteAt(n);
      const int write = dbt->write("lost?", &lost);
      const int flush = dbt->flush();
      EXPECT_EQ(n == 1 ? write : flush, kErrWrite);
      EXPECT_TRUE(fs.faultHit());
    }
    std::unique_ptr<DbtFile> dbt;
    ASSERT_EQ(DbtFile::open(realFileSystem(), path, false, &dbt), kOk);
    std::string text;
    ASSERT_EQ(dbt->read(kept, &text), kOk);
    EXPECT_EQ(text, std::string(700, 'k'));
  }
}

TEST(DbtDamage, FailedCreateLeavesNoFile) {
  ScratchDir dir;
  FaultFileSystem fs(realFileSystem());
  fs.failWriteAt(1);
  EXPECT_EQ(DbtFile::create(fs, dir.file("m.dbt")), kErrWrite);
  EXPECT_FALSE(fs.exists(dir.file("m.dbt")));
}

}  // namespace
}  // namespace vt::engine
