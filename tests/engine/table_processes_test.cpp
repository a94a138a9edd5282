// Two processes working on one table at the same time, each through its own
// engine: every record of both arrives and the indexes match, and one
// process's pack is neither finished nor undone by the other opening the
// table meanwhile.
#include <sys/wait.h>
#include <unistd.h>

#include "table_support.h"

namespace vt::engine::testing {
namespace {

// Appends `count` customers numbered from `first`, changing every fifth one
// afterwards; returns 0 when every call succeeded.
int appendMany(const std::string& dir, long first, int count) {
  Engine engine(dir);
  Table* t = engine.open("CUST");
  if (!t) return 1;
  for (int i = 0; i < count; ++i) {
    if (t->appendBlank() != 0) return 2;
    t->field("cuno")->assignLong(first + i);
    t->field("last")->assign("P" + std::to_string(first + i));
    if (i % 5 == 0) t->field("notes")->assignMemo(std::string(700, 'a' + i % 26));
    if (t->flush() != 0) return 3;
    if (i % 5 == 4) {
      t->selectTag(t->tag("ccno"));
      char key[8];
      std::snprintf(key, sizeof key, "%6ld", first + i - 2);
      if (t->seek(key) != Result::Success) return 4;
      t->field("zip")->assign("Z" + std::to_string(i));
      if (t->flush() != 0) return 5;
    }
  }
  engine.closeAll();
  return engine.errorCode() == 0 ? 0 : 6;
}

TEST(TwoProcesses, ConcurrentAppendsAndChangesKeepEverything) {
  TempDir dir;
  makeCustomers(dir.path(), {{1, "Start", "", ""}});
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(appendMany(dir.path(), 100000, 400));
  int mine = appendMany(dir.path(), 200000, 400);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(mine, 0);

  EXPECT_EQ(indexProblems(dir.path(), "CUST"), "");
  Engine engine(dir.path());
  Table* t = engine.open("CUST");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->recCount(), 801u);
  t->selectTag(t->tag("ccno"));
  for (long n : {100000L, 100399L, 200000L, 200399L}) {
    std::string key = std::to_string(n);
    EXPECT_EQ(t->seek(key), Result::Success) << n;
    EXPECT_EQ(t->field("cuno")->asLong(), n);
  }
  ASSERT_EQ(t->seek("100005"), Result::Success);
  EXPECT_EQ(t->field("notes")->memo(), std::string(700, 'a' + 5));
}

// A file system that holds up the first rename onto a name ending in
// `target`: before renaming it tells the other process through one pipe and
// waits for its word on another. Told to fail the rename instead, it refuses
// it and waits only when asked to pause().
class StoppingFileSystem final : public FileSystem {
 public:
  StoppingFileSystem(std::string target, bool fail, int reached, int resume)
      : target_(std::move(target)), fail_(fail), reached_(reached), resume_(resume) {}
  bool failing() const { return fail_; }
  bool pause() {
    char c = 0;
    return write(reached_, &c, 1) == 1 && read(resume_, &c, 1) == 1;
  }

  std::unique_ptr<File> open(const std::string& p, OpenMode m) override {
    return realFileSystem().open(p, m);
  }
  bool rename(const std::string& from, const std::string& to) override {
    if (!hit_ && to.ends_with(target_)) {
      hit_ = true;
      if (fail_ || !pause()) return false;
    }
    return realFileSystem().rename(from, to);
  }
  bool remove(const std::string& p) override { return realFileSystem().remove(p); }
  bool exists(const std::string& p) override { return realFileSystem().exists(p); }
  std::vector<std::string> list(const std::string& d) override { return realFileSystem().list(d); }
  bool syncDir(const std::string& d) override { return realFileSystem().syncDir(d); }

 private:
  std::string target_;
  bool fail_;
  int reached_, resume_;
  bool hit_ = false;
};

// Packs CUST through `fs`, after a failed rename waiting with the table
// still open; 0 when the pack succeeded.
int packStopping(const std::string& dir, StoppingFileSystem& fs) {
  Engine engine(dir, &fs);
  Table* t = engine.open("CUST");
  if (!t) return 2;
  int status = t->pack();
  if (fs.failing() && !fs.pause()) return 3;
  return status == 0 ? 0 : 1;
}

TEST(TwoProcesses, OpeningLeavesAnotherUsersReplacementAlone) {
  struct Stop {
    const char* rename;   // the pack stops at the rename onto this name
    bool fail;            // the rename fails and the pack's user keeps the table
    const char* pending;  // a file of that user's replacement
  };
  const Stop stops[] = {
      {"CUST.dbf.commit", false, "CUST.dbf.commit.tmp"},  // the marker being written
      {"CUST.dbf", false, "CUST.dbf.commit"},             // marker in place
      {"CZip.ntx", false, "CUST.dbf.commit"},             // the table renamed already
      {"CUST.dbf", true, "CUST.dbf.commit"},              // left to whoever comes next
  };
  for (const Stop& stop : stops) {
    SCOPED_TRACE(std::string(stop.rename) + (stop.fail ? " failing" : ""));
    TempDir dir;
    makeCustomers(dir.path(), {{1, "Kept", "", ""}, {2, "Gone", "", ""}, {3, "Kept", "", ""}});
    {
      Engine engine(dir.path());
      Table* t = engine.open("CUST");
      ASSERT_EQ(t->go(2), Result::Success);
      t->deleteRecord();
    }
    int reached[2], resume[2];
    ASSERT_EQ(pipe(reached), 0);
    ASSERT_EQ(pipe(resume), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      StoppingFileSystem fs(stop.rename, stop.fail, reached[1], resume[0]);
      _exit(packStopping(dir.path(), fs));
    }
    close(reached[1]);  // a child that dies early ends the read below
    close(resume[0]);
    char c = 0;
    const bool stopped = read(reached[0], &c, 1) == 1;
    EXPECT_TRUE(stopped);
    for (AccessMode mode : {AccessMode::Shared, AccessMode::DenyWrite}) {
      Engine engine(dir.path());
      engine.accessMode = mode;
      EXPECT_EQ(engine.open("CUST"), nullptr);
      EXPECT_EQ(engine.errorCode(), kErrLocked);
      EXPECT_TRUE(std::filesystem::exists(dir.file(stop.pending)));
    }
    if (stopped) {
      EXPECT_EQ(write(resume[1], &c, 1), 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), stop.fail ? 1 : 0);
    close(reached[0]);
    close(resume[1]);

    Engine engine(dir.path());
    Table* t = engine.open("CUST");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->recCount(), 2u);
    EXPECT_FALSE(std::filesystem::exists(dir.file(stop.pending)));
    EXPECT_FALSE(std::filesystem::exists(dir.file("CUST.dbf.commit")));
    engine.closeAll();
    EXPECT_EQ(indexProblems(dir.path(), "CUST"), "");
  }
}

}  // namespace
}  // namespace vt::engine::testing
