// An append whose writes fail, each in turn: it either adds the record, with
// its keys in every index, or leaves the table and its indexes as they were,
// and nothing of it is written later.
#include "engine/fault_fs.h"
#include "table_support.h"

namespace vt::engine::testing {
namespace {

struct AppendCase {
  const char* name;
  AccessMode mode;
};

// Appends a blank record and, when the table is held alone (records written
// when left), writes it out. Returns the first failure.
int appendAndWrite(Table* t) {
  int status = t->appendBlank();
  int flushed = t->flush();
  return status < 0 ? status : flushed;
}

class AppendFault : public ::testing::TestWithParam<AppendCase> {};

TEST_P(AppendFault, FailedWriteAddsNothingAndSucceededAppendKeepsIndexes) {
  const uint32_t before = 3;
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
      engine.accessMode = GetParam().mode;
      Table* t = engine.open("CUST");
      ASSERT_NE(t, nullptr);
      fs.failWriteAt(n);
      status = appendAndWrite(t);
      if (status < 0) {
        EXPECT_EQ(t->recCount(), before);
      }
    }
    if (!fs.faultHit()) break;
    failures += status < 0;
    Engine engine(dir.path());
    Table* t = engine.open("CUST");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->recCount(), status < 0 ? before : before + 1);
    engine.closeAll();
    EXPECT_EQ(indexProblems(dir.path(), "CUST"), "");
  }
  EXPECT_GT(failures, 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, AppendFault,
                         ::testing::Values(AppendCase{"Shared", AccessMode::Shared},
                                           AppendCase{"Exclusive", AccessMode::DenyWrite}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vt::engine::testing
