// Two handles on one index file, as two programs on a shared data
// directory: the update counter tells the second one to drop its cache.
#include <gtest/gtest.h>

#include <filesystem>

#include "ntx_test_util.h"

namespace vt::engine::test {
namespace {

uint16_t counterOf(FileSystem& fs, const std::string& path) {
  auto f = fs.open(path, OpenMode::ReadOnly);
  uint8_t b[4];
  size_t got = 0;
  f->read(0, b, 4, &got);
  return ntx::rd16(b + 2);
}

class NtxSharedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("ntx_shared_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    path = (dir / "t.ntx").string();
    Entries start;
    for (uint32_t r = 1; r <= 3000; ++r) start.emplace_back(numKey(r * 2, 8), r);
    ASSERT_EQ(buildIndex(realFileSystem(), path, 8, start), kOk);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::filesystem::path dir;
  std::string path;
};

TEST_F(NtxSharedTest, RefreshSeesAnotherHandlesFlushedChange) {
  auto writer = openIndex(realFileSystem(), path);
  auto reader = openIndex(realFileSystem(), path);
  ASSERT_TRUE(writer && reader);
  walkAll(*reader);  // fills the reader's cache with the old pages
  ASSERT_EQ(reader->seek(numKey(3, 8)), NtxIndex::SeekResult::After);
  ASSERT_EQ(writer->insert(numKey(3, 8), 9001), kOk);
  ASSERT_EQ(writer->remove(numKey(4000, 8), 2000), kOk);
  ASSERT_EQ(writer->flush(), kOk);
  bool changed = false;
  ASSERT_EQ(reader->refresh(&changed), kOk);
  EXPECT_TRUE(changed);
  EXPECT_FALSE(reader->valid());
  ASSERT_EQ(reader->seek(numKey(3, 8)), NtxIndex::SeekResult::Exact);
  EXPECT_EQ(reader->recno(), 9001u);
  EXPECT_EQ(walkAll(*reader), walkAll(*writer));
  ASSERT_EQ(reader->refresh(&changed), kOk);
  EXPECT_FALSE(changed);
}

TEST_F(NtxSharedTest, ChangesOfBothHandlesInTurnAddUp) {
  auto a = openIndex(realFileSystem(), path);
  auto b = openIndex(realFileSystem(), path);
  bool changed = false;
  for (uint32_t i = 0; i < 200; ++i) {
    NtxIndex& w = i % 2 ? *a : *b;
    ASSERT_EQ(w.refresh(&changed), kOk);
    ASSERT_EQ(w.insert(numKey(i * 2 + 1, 8), 5000 + i), kOk);  // splits pages on the way
    ASSERT_EQ(w.flush(), kOk);
  }
  ASSERT_EQ(a->refresh(&changed), kOk);
  ASSERT_EQ(b->refresh(&changed), kOk);
  EXPECT_TRUE(changed);
  Entries all = walkAll(*a);
  EXPECT_EQ(all.size(), 3200u);
  EXPECT_EQ(all, walkAll(*b));
  auto fresh = openIndex(realFileSystem(), path);
  EXPECT_EQ(walkAll(*fresh), all);
}

TEST_F(NtxSharedTest, CounterRisesOncePerFlushThatFollowsChanges) {
  auto idx = openIndex(realFileSystem(), path);
  uint16_t start = counterOf(realFileSystem(), path);
  EXPECT_EQ(start, 1);
  ASSERT_EQ(idx->flush(), kOk);
  EXPECT_EQ(counterOf(realFileSystem(), path), start);
  ASSERT_EQ(idx->insert(numKey(1, 8), 7), kOk);
  ASSERT_EQ(idx->insert(numKey(5, 8), 8), kOk);
  ASSERT_EQ(idx->flush(), kOk);
  EXPECT_EQ(counterOf(realFileSystem(), path), start + 1);
  ASSERT_EQ(idx->flush(), kOk);
  EXPECT_EQ(counterOf(realFileSystem(), path), start + 1);
}

}  // namespace
}  // namespace vt::engine::test
