// Pack, zap, memo compression and index creation interrupted at every write
// in turn: the table keeps every record (old or new state, never a mixture)
// and its files open again.
#include <functional>

#include "engine/fault_fs.h"
#include "table_support.h"

namespace vt::engine::testing {
namespace {

// A file system that stops changing anything after `limit` writes, renames
// or removals, as if the machine lost power there.
class FreezingFileSystem final : public FileSystem {
 public:
  explicit FreezingFileSystem(uint64_t limit) : limit_(limit) {}
  bool frozen() const { return count_ >= limit_; }

  std::unique_ptr<File> open(const std::string& path, OpenMode mode) override {
    if (mode == OpenMode::Create && !step()) return nullptr;
    auto inner = realFileSystem().open(path, mode);
    if (!inner) return nullptr;
    return std::make_unique<FrozenFile>(std::move(inner), *this);
  }
  bool rename(const std::string& a, const std::string& b) override {
    return step() && realFileSystem().rename(a, b);
  }
  bool remove(const std::string& p) override { return step() && realFileSystem().remove(p); }
  bool exists(const std::string& p) override { return realFileSystem().exists(p); }
  std::vector<std::string> list(const std::string& d) override { return realFileSystem().list(d); }
  bool syncDir(const std::string& d) override { return !frozen() && realFileSystem().syncDir(d); }

 private:
  class FrozenFile final : public File {
   public:
    FrozenFile(std::unique_ptr<File> f, FreezingFileSystem& fs) : f_(std::move(f)), fs_(fs) {}
    bool read(uint64_t o, void* b, size_t n, size_t* got) override {
      return f_->read(o, b, n, got);
    }
    bool write(uint64_t o, const void* b, size_t n) override {
      return fs_.step() && f_->write(o, b, n);
    }
    bool size(uint64_t* out) override { return f_->size(out); }
    bool truncate(uint64_t s) override { return fs_.step() && f_->truncate(s); }
    bool sync() override { return !fs_.frozen() && f_->sync(); }
    bool lock(uint64_t o, uint64_t l, LockKind k, bool w) override { return f_->lock(o, l, k, w); }
    bool unlock(uint64_t o, uint64_t l) override { return f_->unlock(o, l); }

   private:
    std::unique_ptr<File> f_;
    FreezingFileSystem& fs_;
  };
  bool step() { return count_++ < limit_; }
  uint64_t limit_;
  uint64_t count_ = 0;
};

std::vector<Customer> sample() {
  std::vector<Customer> rows;
  for (int i = 1; i <= 150; ++i) {
    rows.push_back({i, "Last" + std::to_string(i % 37), "First", std::to_string(i % 11), i * 1.25,
                    i % 3 == 0 ? std::string(600 + i, 'm') : std::string()});
  }
  return rows;
}

// Record count and the sorted customer numbers with their memos.
struct Snapshot {
  uint32_t count = 0;
  std::vector<std::pair<long, std::string>> rows;
  bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const std::string& dir) {
  Engine engine(dir);
  Table* t = engine.open("CUST");
  Snapshot s;
  if (!t) return s;
  s.count = t->recCount();
  for (Result r = t->top(); r == Result::Success; r = t->skip(1)) {
    s.rows.emplace_back(t->field("cuno")->asLong(), t->field("notes")->memo());
  }
  return s;
}

void markEveryFifthDeleted(const std::string& dir) {
  Engine engine(dir);
  Table* t = engine.open("CUST");
  for (uint32_t r = 5; r <= t->recCount(); r += 5) {
    t->go(r);
    t->deleteRecord();
  }
  engine.closeAll();
}

// Runs `work` on a fresh copy of the table, cut off after each write in turn,
// until it completes; after each cut the table must open in the old or the
// new state with consistent indexes.
void interruptEverywhere(const std::function<int(Table*)>& work) {
  TempDir model;
  makeCustomers(model.path(), sample());
  markEveryFifthDeleted(model.path());
  Snapshot before = snapshot(model.path());
  {
    Engine engine(model.path());
    ASSERT_EQ(work(engine.open("CUST")), 0);
  }
  Snapshot after = snapshot(model.path());
  int cutsBefore = 0, cutsAfter = 0;
  for (uint64_t limit = 0;; ++limit) {
    TempDir dir;
    makeCustomers(dir.path(), sample());
    markEveryFifthDeleted(dir.path());
    FreezingFileSystem fs(limit);
    {
      Engine engine(dir.path(), &fs);
      Table* t = engine.open("CUST");
      ASSERT_NE(t, nullptr);
      int status = work(t);
      if (!fs.frozen()) {
        ASSERT_EQ(status, 0);
        break;
      }
    }
    if (limit > 10000) FAIL() << "the work never completed";
    Snapshot s = snapshot(dir.path());
    ASSERT_TRUE(s == before || s == after) << "cut after " << limit << " changes";
    cutsBefore += s == before;
    cutsAfter += s == after && !(after == before);
    ASSERT_EQ(indexProblems(dir.path(), "CUST"), "") << "cut after " << limit << " changes";
  }
  // Cuts early keep the old state; cuts late in the commit the new one.
  EXPECT_GT(cutsBefore, 0);
  if (!(after == before)) {
    EXPECT_GT(cutsAfter, 0);
  }
}

TEST(Interruption, PackLosesNothing) {
  interruptEverywhere([](Table* t) { return t->pack(); });
}

TEST(Interruption, ZapLeavesOldOrEmptyTable) {
  interruptEverywhere([](Table* t) { return t->zap(); });
}

TEST(Interruption, MemoCompressKeepsEveryMemo) {
  interruptEverywhere([](Table* t) { return t->memoCompress(); });
}

TEST(Interruption, IndexRebuildLeavesWorkingIndexes) {
  interruptEverywhere([](Table* t) {
    t->engine().safety = false;
    return t->createIndexGroup("CUST", customerTags());
  });
}

TEST(Interruption, FailedWritesAreReportedAndChangeNothing) {
  for (uint64_t n = 1;; ++n) {
    TempDir dir;
    makeCustomers(dir.path(), sample());
    markEveryFifthDeleted(dir.path());
    Snapshot before = snapshot(dir.path());
    FaultFileSystem fs(realFileSystem());
    fs.failWriteAt(n);
    int status;
    {
      Engine engine(dir.path(), &fs);
      status = engine.open("CUST")->pack();
    }
    if (!fs.faultHit()) {
      EXPECT_EQ(status, 0);
      break;
    }
    EXPECT_LT(status, 0) << "write " << n;
    EXPECT_TRUE(snapshot(dir.path()) == before) << "write " << n;
    EXPECT_EQ(indexProblems(dir.path(), "CUST"), "");
  }
}

}  // namespace
}  // namespace vt::engine::testing
