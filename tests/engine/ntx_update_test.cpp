// Adding and removing entries: the tree stays a sound B-tree in step with a
// model, equal keys keep their order, freed pages are used again.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>

#include "ntx_test_util.h"

namespace vt::engine::test {
namespace {

// A multimap inserts at the end of an equal range, as the index does, so
// its order is the order the index must walk in.
using Model = std::multimap<std::string, uint32_t>;

Entries modelEntries(const Model& m) {
  return Entries(m.begin(), m.end());
}

class NtxUpdateTest : public ::testing::Test {
 protected:
  std::unique_ptr<NtxIndex> fresh(uint16_t keyLength, const Entries& entries = {},
                                  size_t cachePages = 4096) {
    EXPECT_EQ(buildIndex(fs, "t.ntx", keyLength, entries), kOk);
    return openIndex(fs, "t.ntx", true, cachePages);
  }
  // Flushes and checks the tree in the file against the model.
  void expectInStep(NtxIndex& idx, const Model& model) {
    ASSERT_EQ(idx.flush(), kOk);
    TreeReport rep = checkTree(fs.bytes("t.ntx"));
    ASSERT_EQ(rep.problem, "");
    ASSERT_EQ(rep.entries, modelEntries(model));
    ASSERT_EQ(cursorForward(idx), modelEntries(model));
  }
  MemFileSystem fs;
};

// Random inserts and removes over few distinct keys (many duplicates), with
// keys long enough for pages of 18 entries and so a tree several levels deep.
void runRandomOps(NtxUpdateTest* t, NtxIndex* idx, Model* model, int ops, uint32_t seed,
                  const std::function<void()>& check) {
  std::mt19937 rng(seed);
  uint32_t nextRec = 100000;
  auto keyOf = [](uint32_t n) { return numKey(n, 40); };
  for (int op = 1; op <= ops; ++op) {
    bool add = model->empty() || rng() % 100 < 55;
    if (add) {
      std::string k = keyOf(rng() % 400);
      ASSERT_EQ(idx->insert(k, nextRec), kOk);
      model->emplace(k, nextRec++);
    } else {
      auto it = std::next(model->begin(), static_cast<long>(rng() % model->size()));
      ASSERT_EQ(idx->remove(it->first, it->second), kOk);
      model->erase(it);
    }
    if (op % 4 == 0) {
      // Seeks land on the first of equal keys, or on the next greater one.
      std::string probe = keyOf(rng() % 410);
      auto lb = model->lower_bound(probe);
      NtxIndex::SeekResult r = idx->seek(probe);
      if (lb == model->end()) {
        ASSERT_EQ(r, NtxIndex::SeekResult::Eof);
      } else {
        ASSERT_EQ(r,
                  lb->first == probe ? NtxIndex::SeekResult::Exact : NtxIndex::SeekResult::After);
        ASSERT_EQ(idx->recno(), lb->second);
      }
    }
    if (op % 500 == 0) check();
  }
  (void)t;
}

// A built start: each key's record numbers rising, as the model holds them.
Entries startEntries(uint32_t n, Model* model) {
  Entries start;
  for (uint32_t r = 1; r <= n; ++r) start.emplace_back(numKey(r % 400, 40), r);
  for (const Entry& e : start) model->emplace(e);
  return start;
}

TEST_F(NtxUpdateTest, RandomOpsMatchAModel) {
  Model model;
  auto idx = fresh(40, startEntries(3000, &model));
  ASSERT_NO_FATAL_FAILURE(expectInStep(*idx, model));
  runRandomOps(this, idx.get(), &model, 12000, 11, [&] { expectInStep(*idx, model); });
  ASSERT_NO_FATAL_FAILURE(expectInStep(*idx, model));
  idx.reset();
  auto again = openIndex(fs, "t.ntx");
  ASSERT_TRUE(again);
  EXPECT_EQ(walkAll(*again), modelEntries(model));
}

TEST_F(NtxUpdateTest, RandomOpsWithASmallCacheWriteBackEvictedPages) {
  Model model;
  auto idx = fresh(40, startEntries(20000, &model), 1);  // 1,100 pages, 272 frames
  runRandomOps(this, idx.get(), &model, 6000, 5, [&] { expectInStep(*idx, model); });
  ASSERT_NO_FATAL_FAILURE(expectInStep(*idx, model));
  // Removing everything shrinks the tree back to an empty root leaf.
  while (!model.empty()) {
    ASSERT_EQ(idx->remove(model.begin()->first, model.begin()->second), kOk);
    model.erase(model.begin());
  }
  ASSERT_NO_FATAL_FAILURE(expectInStep(*idx, model));
  EXPECT_EQ(checkTree(fs.bytes("t.ntx")).pages, 1u);
}

TEST_F(NtxUpdateTest, UndoneChangesLeaveTheIndexAsItWas) {
  // The same work on two copies, with changes undone in between on one.
  Model model;
  const Entries start = startEntries(3000, &model);
  ASSERT_EQ(buildIndex(fs, "ref.ntx", 40, start), kOk);
  auto ref = openIndex(fs, "ref.ntx");
  auto idx = fresh(40, start);
  for (NtxIndex* i : {idx.get(), ref.get()}) ASSERT_EQ(i->insert(numKey(7, 40), 99999), kOk);
  model.emplace(numKey(7, 40), 99999);
  ASSERT_EQ(ref->flush(), kOk);
  for (uint32_t seed = 1; seed <= 3; ++seed) {
    // Enough work to split, merge, free and take pages.
    Model undone = model;
    idx->beginChanges();
    runRandomOps(this, idx.get(), &undone, 200, seed, [] {});
    idx->undoChanges();
    ASSERT_NO_FATAL_FAILURE(expectInStep(*idx, model));
  }
  Model same = model;
  idx->beginChanges();
  runRandomOps(this, idx.get(), &model, 200, 9, [] {});
  idx->commitChanges();
  runRandomOps(this, ref.get(), &same, 200, 9, [] {});
  ASSERT_NO_FATAL_FAILURE(expectInStep(*idx, model));
  ASSERT_EQ(ref->flush(), kOk);
  EXPECT_EQ(fs.bytes("t.ntx"), fs.bytes("ref.ntx"));
}

TEST_F(NtxUpdateTest, NewEntryGoesAfterEqualKeys) {
  auto idx = fresh(3, {{"AAA", 3}, {"BBB", 2}, {"AAA", 1}, {"AAA", 2}});
  ASSERT_EQ(idx->insert("AAA", 0), kOk);
  ASSERT_EQ(idx->insert("AAA", 9), kOk);
  Entries want{{"AAA", 1}, {"AAA", 2}, {"AAA", 3}, {"AAA", 0}, {"AAA", 9}, {"BBB", 2}};
  EXPECT_EQ(cursorForward(*idx), want);
  ASSERT_EQ(idx->seek("AAA"), NtxIndex::SeekResult::Exact);
  EXPECT_EQ(idx->recno(), 1u);
}

TEST_F(NtxUpdateTest, RemoveTakesTheExactEntryAmongEqualKeys) {
  Entries start;
  for (uint32_t r = 1; r <= 200; ++r) start.emplace_back("K", r);
  auto idx = fresh(1, start);
  ASSERT_EQ(idx->remove("K", 150), kOk);
  EXPECT_FALSE(idx->locate("K", 150));
  EXPECT_TRUE(idx->locate("K", 149));
  EXPECT_TRUE(idx->locate("K", 151));
  EXPECT_EQ(idx->remove("K", 150), kErrIndex);
  EXPECT_EQ(idx->remove("J", 1), kErrIndex);
  EXPECT_EQ(walkAll(*idx).size(), 199u);
}

TEST_F(NtxUpdateTest, FreedPagesAreUsedBeforeTheFileGrows) {
  auto idx = fresh(20);
  std::vector<Entry> keys;
  std::mt19937 rng(1);
  for (uint32_t r = 1; r <= 5000; ++r) keys.emplace_back(numKey(rng() % 100000, 20), r);
  for (const Entry& e : keys) ASSERT_EQ(idx->insert(e.first, e.second), kOk);
  ASSERT_EQ(idx->flush(), kOk);
  size_t grown = fs.bytes("t.ntx").size();
  for (const Entry& e : keys) ASSERT_EQ(idx->remove(e.first, e.second), kOk);
  ASSERT_EQ(idx->flush(), kOk);
  EXPECT_EQ(fs.bytes("t.ntx").size(), grown);
  EXPECT_EQ(checkTree(fs.bytes("t.ntx")).pages, 1u);
  for (const Entry& e : keys) ASSERT_EQ(idx->insert(e.first, e.second), kOk);
  ASSERT_EQ(idx->flush(), kOk);
  EXPECT_EQ(fs.bytes("t.ntx").size(), grown);
  EXPECT_EQ(checkTree(fs.bytes("t.ntx")).entries.size(), keys.size());
}

TEST_F(NtxUpdateTest, RejectsWritesItCannotTake) {
  ASSERT_EQ(buildIndex(fs, "t.ntx", 4, {{"ABCD", 1}}), kOk);
  auto ro = openIndex(fs, "t.ntx", false);
  EXPECT_EQ(ro->insert("ABCE", 2), kErrReadOnly);
  EXPECT_EQ(ro->remove("ABCD", 1), kErrReadOnly);
  auto rw = openIndex(fs, "t.ntx");
  EXPECT_EQ(rw->insert("ABC", 2), kErrArgument);
  EXPECT_EQ(rw->insert("ABCDE", 2), kErrArgument);
  EXPECT_EQ(walkAll(*rw), (Entries{{"ABCD", 1}}));
}

TEST_F(NtxUpdateTest, UpdatesLeaveTheCursorOffTheEntries) {
  auto idx = fresh(2, {{"AA", 1}, {"BB", 2}});
  ASSERT_TRUE(idx->first());
  ASSERT_EQ(idx->insert("CC", 3), kOk);
  EXPECT_FALSE(idx->valid());
  ASSERT_TRUE(idx->last());
  ASSERT_EQ(idx->remove("AA", 1), kOk);
  EXPECT_FALSE(idx->valid());
}

}  // namespace
}  // namespace vt::engine::test
