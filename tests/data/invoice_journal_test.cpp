// An invoice journal left by a stopped save: never overwritten by the next
// save, never applied to tables it was not taken from.
#include "data/invoice_journal.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "data/pending_work.h"
#include "data_test_support.h"

namespace vt::data::testing {
namespace {

namespace fs = std::filesystem;

class InvoiceJournalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(initDataDir(dir.path()));
    ASSERT_NO_FATAL_FAILURE(addCustomers(dir.path(), {{1, "Lee", "Kim", "1", ""}}));
  }

  // Customer 1's note and last name as the tables hold them.
  std::string field(const char* name, size_t width) {
    engine::Engine engine(dir.path());
    engine::Table* customers = engine.open("CUST5");
    customers->top();
    return customers->field(name)->str().substr(0, width);
  }
  std::string note() { return field("note", 4); }
  std::string lastName() { return field("last", 5); }

  TempDir dir;
};

TEST_F(InvoiceJournalTest, ASaveNeverOverwritesAJournalStillToBePutBack) {
  ASSERT_NO_FATAL_FAILURE(leaveTornSave(dir.path()));
  const std::string journal = readFile(dir.file(kInvoiceJournal));
  base::ScriptedDialogs dialogs;
  base::ThrowingExit exit;
  DataSession session(dir.path(), dialogs, exit);
  ASSERT_TRUE(session.OpenCustomers() && session.OpenInvoices() && session.OpenItems() &&
              session.OpenPayments());
  InvoiceJournal next(session, 2);
  EXPECT_EQ(next.Begin(0, 1), engine::kErrLocked);
  EXPECT_EQ(readFile(dir.file(kInvoiceJournal)), journal);
  EXPECT_EQ(RecoverInvoiceWork(session), 0);
  session.CloseAll();
  EXPECT_EQ(note(), "    ");
  EXPECT_FALSE(fs::exists(dir.file(kInvoiceJournal)));
}

// Another business's tables put in place by hand: the journal of the
// earlier tables goes unused, and is told; the tables are as they came.
TEST_F(InvoiceJournalTest, AJournalOfOtherTablesIsRemovedUnused) {
  ASSERT_NO_FATAL_FAILURE(leaveTornSave(dir.path()));
  TempDir other;
  ASSERT_NO_FATAL_FAILURE(initDataDir(other.path()));
  ASSERT_NO_FATAL_FAILURE(addCustomers(other.path(), {{1, "Other", "Ann", "2", ""}}));
  for (const auto& entry : fs::directory_iterator(other.path())) {
    const std::string name = entry.path().filename().string();
    fs::copy_file(entry.path(), dir.file("incoming"));
    fs::rename(dir.file("incoming"), dir.file(name));
  }
  const Settled settled = SettlePendingWork(engine::realFileSystem(), dir.path());
  EXPECT_TRUE(settled.ok());
  EXPECT_NE(settled.note.find("removed unused"), std::string::npos) << settled.note;
  EXPECT_EQ(lastName(), "Other");
  EXPECT_FALSE(fs::exists(dir.file(kInvoiceJournal)));
}

}  // namespace
}  // namespace vt::data::testing
