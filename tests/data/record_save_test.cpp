// Saving a new record whose store fails after the append: the appended
// record is taken back, the record number still says "not saved", and the
// selection cycle does not count it; the same for the four record kinds the
// catalog editors add.
#include "data/record_save.h"

#include <gtest/gtest.h>

#include "access_test_support.h"
#include "engine/fault_fs.h"

namespace vt::data::testing {
namespace {

struct NewRecord {
  const char* kind;
  RecordKind record;
  TableId table;
  bool (DataSession::*open)();
  int (DataSession::*store)();
};

const NewRecord kNewRecords[] = {
    {"customer", RecordKind::Customer, TableId::Customers, &DataSession::OpenCustomers,
     &DataSession::StoreCustomer},
    {"group", RecordKind::Group, TableId::Groups, &DataSession::OpenGroups,
     &DataSession::StoreGroup},
    {"product", RecordKind::Product, TableId::Products, &DataSession::OpenProducts,
     &DataSession::StoreProduct},
    {"purchase", RecordKind::Purchase, TableId::Purchases, &DataSession::OpenPurchases,
     &DataSession::StorePurchase},
};

// The records not marked deleted, as a new session reads them.
uint32_t liveRecords(DataSession& session, const NewRecord& kind) {
  (session.*kind.open)();
  engine::Table* table = session.table(kind.table);
  uint32_t live = 0;
  for (uint32_t n = 1; n <= table->recCount(); ++n) {
    table->go(n);
    if (!table->deleted()) ++live;
  }
  session.CloseAll();
  return live;
}

TEST_F(AccessTest, StoreFailingAfterTheAppendLeavesNoRecordAndIsNotCountedAsSaved) {
  for (const NewRecord& kind : kNewRecords) {
    SCOPED_TRACE(kind.kind);
    const uint32_t liveBefore = liveRecords(*newSession(), kind);
    engine::FaultFileSystem faults(engine::realFileSystem());
    SessionOptions options;
    options.fs = &faults;
    DataSession failing(dir.path(), dialogs, exit, options);
    ASSERT_TRUE((failing.*kind.open)());
    ScriptedPicker picker;
    picker.queue(0);
    ScriptedEditor editor;
    SaveOutcome saved;
    editor.queue([&](long& current) {
      current = -1;
      saved = SaveRecord(failing, kind.table, current, [&] {
        faults.failWriteAt(1);
        return (failing.*kind.store)();
      });
    });
    const PickOutcome outcome = failing.Pick(kind.record, true, picker, editor);
    EXPECT_LT(saved.status, 0);
    EXPECT_FALSE(saved.appendRefused);
    EXPECT_EQ(saved.takeBackStatus, 0);
    EXPECT_EQ(failing.Current(kind.record), -1);
    EXPECT_FALSE(outcome.savedNew);
    EXPECT_FALSE(outcome.chosen);
    EXPECT_TRUE(failing.NeedsPack) << "the record taken back is packed away";
    failing.CloseAll();
    EXPECT_EQ(liveRecords(*newSession(), kind), liveBefore);
  }
}

}  // namespace
}  // namespace vt::data::testing
