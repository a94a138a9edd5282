// Two processes working on one table at the same time, each through its own
// engine in shared mode: every record of both arrives and the indexes match.
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

}  // namespace
}  // namespace vt::engine::testing
