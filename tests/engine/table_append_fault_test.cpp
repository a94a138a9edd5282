// A record write (an append, or a rewrite that changes keys) whose writes
// fail, each in turn: it either takes whole, with the keys in every index, or
// leaves the table and its indexes as they were, and nothing of it is written
// later.
#include "engine/fault_fs.h"
#include "table_support.h"

namespace vt::engine::testing {
namespace {

// Each change returns its first failure; flush() writes the record out when
// the table is held alone (records are written when left).
int appendAndWrite(Table* t) {
  int status = t->appendBlank();
  int flushed = t->flush();
  return status < 0 ? status : flushed;
}

int renameBaker(Table* t) {
  if (t->go(2) != Result::Success) return -1;
  t->field("last")->assign("Zulu");
  t->field("zip")->assign("9");
  return t->flush();
}

std::string recordCount(Table* t) {
  return std::to_string(t->recCount());
}

std::string secondName(Table* t) {
  t->go(2);
  std::string last = t->field("last")->str();
  return last.substr(0, last.find(' '));
}

struct FaultCase {
  const char* name;
  AccessMode mode;
  int (*change)(Table*);
  std::string (*state)(Table*);
  const char* before;
  const char* after;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
  *os << c.name;
}

class RecordWriteFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(RecordWriteFault, FailedWriteChangesNothingAndSucceededOneKeepsIndexes) {
  const FaultCase& c = GetParam();
  int failures = 0;
  for (uint64_t n = 1;; ++n) {
    SCOPED_TRACE("write " + std::to_string(n));
    TempDir dir;
    makeCustomers(dir.path(),
                  {{1, "Adams", "A", "1"}, {2, "Baker", "B", "2"}, {3, "Clark", "C", "3"}});
    FaultFileSystem fs(realFileSystem());
    int status = 0;
    {
      Engine engine(dir.path(), &fs);
      engine.accessMode = c.mode;
      Table* t = engine.open("CUST");
      ASSERT_NE(t, nullptr);
      fs.failWriteAt(n);
      status = c.change(t);
      if (status < 0) {
        EXPECT_EQ(c.state(t), c.before);
      }
    }
    if (!fs.faultHit()) break;
    failures += status < 0;
    Engine engine(dir.path());
    Table* t = engine.open("CUST");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(c.state(t), status < 0 ? c.before : c.after);
    engine.closeAll();
    EXPECT_EQ(indexProblems(dir.path(), "CUST"), "");
  }
  EXPECT_GT(failures, 0);
}

INSTANTIATE_TEST_SUITE_P(Changes, RecordWriteFault,
                         ::testing::Values(FaultCase{"SharedAppend", AccessMode::Shared,
                                                     appendAndWrite, recordCount, "3", "4"},
                                           FaultCase{"ExclusiveAppend", AccessMode::DenyWrite,
                                                     appendAndWrite, recordCount, "3", "4"},
                                           FaultCase{"SharedRewrite", AccessMode::Shared,
                                                     renameBaker, secondName, "Baker", "Zulu"},
                                           FaultCase{"ExclusiveRewrite", AccessMode::DenyWrite,
                                                     renameBaker, secondName, "Baker", "Zulu"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vt::engine::testing
