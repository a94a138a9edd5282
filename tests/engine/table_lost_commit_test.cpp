// A pack whose renames fail after the new table took the name: the handle
// stops working instead of going on with the file that is gone, and the next
// user to open the table finishes the pack.
#include "engine/fault_fs.h"
#include "table_support.h"

namespace vt::engine::testing {
namespace {

TEST(LostCommit, APackFailingPartWayStopsItsHandleAndTheNextOpenFinishes) {
  TempDir dir;
  makeCustomers(dir.path(), {{1, "Kept", "", ""}, {2, "Gone", "", ""}, {3, "Kept", "", ""}});
  FaultFileSystem fs(realFileSystem());
  {
    Engine engine(dir.path(), &fs);
    Table* t = engine.open("CUST");
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->go(2), Result::Success);
    t->deleteRecord();
    ASSERT_EQ(t->flush(), 0);
    fs.failRenameAt(3);  // the marker, the table, then an index
    EXPECT_LT(t->pack(), 0);
    ASSERT_TRUE(fs.faultHit());
    EXPECT_EQ(t->top(), Result::Eof);
    EXPECT_EQ(engine.errorCode(), kErrLocked);
    EXPECT_EQ(t->appendBlank(), kErrLocked);
  }
  Engine engine(dir.path());
  Table* t = engine.open("CUST");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->recCount(), 2u);
  EXPECT_FALSE(std::filesystem::exists(dir.file("CUST.dbf.commit")));
  engine.closeAll();
  EXPECT_EQ(indexProblems(dir.path(), "CUST"), "");
}

}  // namespace
}  // namespace vt::engine::testing
