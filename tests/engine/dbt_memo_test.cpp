// Memo texts of every size read back exactly, in the blocks the format puts
// them, with the header other programs rely on.
#include <gtest/gtest.h>

#include "dbf_test_support.h"
#include "engine/dbt_file.h"

namespace vt::engine {
namespace {

using dbftest::le32;
using dbftest::readBytes;
using dbftest::ScratchDir;

std::string textOfLength(size_t n) {
  std::string t(n, ' ');
  for (size_t i = 0; i < n; ++i) t[i] = static_cast<char>(i % 61 == 60 ? '\n' : 'A' + i % 26);
  if (n > 3) t[1] = '\xE9';  // Windows-1252 bytes pass through
  return t;
}

class DbtMemo : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(DbtFile::create(realFileSystem(), path_), kOk);
    ASSERT_EQ(DbtFile::open(realFileSystem(), path_, true, &dbt_), kOk);
  }

  void reopen(bool writable = true) {
    dbt_.reset();
    ASSERT_EQ(DbtFile::open(realFileSystem(), path_, writable, &dbt_), kOk);
  }

  ScratchDir dir_;
  const std::string path_ = dir_.file("t.dbt");
  std::unique_ptr<DbtFile> dbt_;
};

TEST_F(DbtMemo, NewFileIsOneHeaderBlock) {
  const std::string b = readBytes(path_);
  ASSERT_EQ(b.size(), 512u);
  EXPECT_EQ(le32(b, 0), 1u);
  EXPECT_EQ(b[16], '\x03');
  EXPECT_EQ(dbt_->nextFree(), 1u);
}

TEST_F(DbtMemo, EveryLengthReadsBackExactly) {
  const std::vector<size_t> lengths = {1,    509,   510,    511,    512,   513,
                                       1024, 32000, 100000, 200000, 65536, 7};
  std::vector<uint32_t> blocks;
  uint32_t expectedBlock = 1;
  for (size_t n : lengths) {
    uint32_t block = 0;
    ASSERT_EQ(dbt_->write(textOfLength(n), &block), kOk) << n;
    EXPECT_EQ(block, expectedBlock) << n;
    expectedBlock += static_cast<uint32_t>((n + 2 + 511) / 512);
    blocks.push_back(block);
  }
  EXPECT_EQ(dbt_->nextFree(), expectedBlock);
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t i = 0; i < lengths.size(); ++i) {
      std::string text;
      ASSERT_EQ(dbt_->read(blocks[i], &text), kOk) << lengths[i];
      EXPECT_EQ(text, textOfLength(lengths[i])) << lengths[i];
    }
    reopen(false);
  }
}

TEST_F(DbtMemo, MemoEndsWithTwoEndBytesAndIsNotPadded) {
  uint32_t block = 0;
  ASSERT_EQ(dbt_->write("hello", &block), kOk);
  ASSERT_EQ(dbt_->flush(), kOk);
  const std::string b = readBytes(path_);
  EXPECT_EQ(b.substr(512), "hello\x1A\x1A");
  EXPECT_EQ(le32(b, 0), 2u) << "next free block after flush()";
}

TEST_F(DbtMemo, EmptyTextIsNoMemo) {
  uint32_t block = 99;
  ASSERT_EQ(dbt_->write("", &block), kOk);
  EXPECT_EQ(block, 0u);
  EXPECT_EQ(readBytes(path_).size(), 512u);
}

TEST_F(DbtMemo, ARewriteAppendsAndLeavesTheOldTextAlone) {
  uint32_t first = 0, second = 0;
  ASSERT_EQ(dbt_->write("old text", &first), kOk);
  ASSERT_EQ(dbt_->write("new text", &second), kOk);
  EXPECT_EQ(second, first + 1);
  std::string text;
  ASSERT_EQ(dbt_->read(first, &text), kOk);
  EXPECT_EQ(text, "old text");
}

TEST_F(DbtMemo, AnotherWriterSeesOurNextFreeBlockAfterFlush) {
  uint32_t block = 0;
  ASSERT_EQ(dbt_->write(textOfLength(1000), &block), kOk);
  ASSERT_EQ(dbt_->flush(), kOk);
  std::unique_ptr<DbtFile> other;
  ASSERT_EQ(DbtFile::open(realFileSystem(), path_, true, &other), kOk);
  EXPECT_EQ(other->nextFree(), 3u);
  ASSERT_EQ(other->write("theirs", &block), kOk);
  EXPECT_EQ(block, 3u);
  ASSERT_EQ(other->flush(), kOk);
  ASSERT_EQ(dbt_->refresh(), kOk);
  EXPECT_EQ(dbt_->nextFree(), 4u);
  ASSERT_EQ(dbt_->write("ours", &block), kOk);
  EXPECT_EQ(block, 4u);
}

TEST_F(DbtMemo, WritesGoAfterTheFileEvenWithoutRefresh) {
  std::unique_ptr<DbtFile> other;
  ASSERT_EQ(DbtFile::open(realFileSystem(), path_, true, &other), kOk);
  uint32_t a = 0, b = 0;
  ASSERT_EQ(other->write("first writer", &a), kOk);
  ASSERT_EQ(dbt_->write("second writer", &b), kOk);
  EXPECT_NE(a, b);
  std::string text;
  ASSERT_EQ(dbt_->read(a, &text), kOk);
  EXPECT_EQ(text, "first writer");
}

TEST(MemoRef, ParsesBlankAndZeroPaddedReferences) {
  uint32_t block = 7;
  EXPECT_TRUE(parseMemoRef("          ", &block));
  EXPECT_EQ(block, 0u);
  EXPECT_TRUE(parseMemoRef("         1", &block));
  EXPECT_EQ(block, 1u);
  EXPECT_TRUE(parseMemoRef("0000000042", &block));
  EXPECT_EQ(block, 42u);
  EXPECT_TRUE(parseMemoRef("  00000310", &block));
  EXPECT_EQ(block, 310u);
  EXPECT_TRUE(parseMemoRef("17        ", &block));
  EXPECT_EQ(block, 17u);
  EXPECT_TRUE(parseMemoRef("4294967295", &block));
  EXPECT_EQ(block, 4294967295u);
}

TEST(MemoRef, RejectsAnythingElse) {
  uint32_t block = 0;
  for (const char* ref : {"    12 345", "      -1  ", "       1.0", "4294967296", "    abc   ",
                          "\0\0\0\0\0\0\0\0\0\0", "     1\x1A   "}) {
    EXPECT_FALSE(parseMemoRef(ref, &block)) << ref;
  }
}

TEST(MemoRef, FormatsRightAlignedOrBlank) {
  char ref[10];
  formatMemoRef(0, ref);
  EXPECT_EQ(std::string(ref, 10), "          ");
  formatMemoRef(1, ref);
  EXPECT_EQ(std::string(ref, 10), "         1");
  formatMemoRef(4294967295u, ref);
  EXPECT_EQ(std::string(ref, 10), "4294967295");
}

}  // namespace
}  // namespace vt::engine
