// Where the customer picker opens: the window placed so that the record the
// caller names is on the first row, or as near it as the end of the table
// allows, with the window top counting the records above the first row.
#include <QScrollBar>
#include <QTableWidget>

#include "catalog/tpickcust.h"
#include "pick_fixture.h"

namespace vt::catalog::picktest {
namespace {

class PickOpenPosition : public PickerTest {
 protected:
  // Opens the picker on `start` and notes what it shows.
  void openOn(int customers, long start) {
    writeCustomers(numberedCustomers(customers));
    data::DataSession& session = openSession();
    vt::catalog::TPickCust picker(nullptr, session, ui);
    Pick(picker, start, [this](ui::GridPicker& p) { note(p); });
  }
  void note(ui::GridPicker& p) {
    top = p.windowTop();
    limit = p.topLimit();
    row = p.recordsGrid->currentRow();
    thumb = p.recordsScrollBar->value();
    remembered = p.rememberedRecord();
    leaving = p.result();
    records = Shown(p);
  }

  long top = -1, limit = -1, remembered = -1, leaving = 0;
  int row = -1, thumb = -1;
  std::vector<long> records;
};

TEST_F(PickOpenPosition, LastRecordOfALargerTableSitsInTheLastRow) {
  openOn(300, 300);
  EXPECT_EQ(limit, 290);
  EXPECT_EQ(top, 290);
  EXPECT_EQ(records, Consecutive(291, 10));
  EXPECT_EQ(row, 9);
  EXPECT_EQ(thumb, 100);
}

TEST_F(PickOpenPosition, RecordNearTheEndShowsTheLastTenRows) {
  openOn(300, 295);
  EXPECT_EQ(top, 290);
  EXPECT_EQ(records, Consecutive(291, 10));
  EXPECT_EQ(row, 4);
}

TEST_F(PickOpenPosition, RecordNearTheTopIsOnTheFirstRowAtItsPosition) {
  openOn(300, 31);
  EXPECT_EQ(top, 30);
  EXPECT_EQ(records, Consecutive(31, 10));
  EXPECT_EQ(row, 0);
  EXPECT_EQ(thumb, 30 * 100 / 290);
}

TEST_F(PickOpenPosition, EveryRecordOfATableOpensOnItsOwnRow) {
  const int count = 160;
  writeCustomers(numberedCustomers(count));
  data::DataSession& session = openSession();
  vt::catalog::TPickCust picker(nullptr, session, ui);
  for (long start = 1; start <= count; ++start) {
    records.clear();
    Pick(picker, start, [this](ui::GridPicker& p) { note(p); });
    long first = std::min<long>(start, count - 9);
    ASSERT_EQ(records, Consecutive(first, 10)) << "opened on " << start;
    EXPECT_EQ(row, start - first) << "opened on " << start;
    EXPECT_EQ(top, first - 1) << "opened on " << start;
  }
}

TEST_F(PickOpenPosition, NearEitherEndOfALargeTableThePositionIsCountedExactly) {
  useLargeCustomerTable();
  data::DataSession& session = openSession();
  vt::catalog::TPickCust picker(nullptr, session, ui);
  const long last = kLargeTable;
  for (long start : {2L, 57L, 150L, 170L, last - 180, last - 95, last - 30, last - 10, last - 3}) {
    Pick(picker, start, [this](ui::GridPicker& p) { note(p); });
    long first = std::min<long>(start, last - 9);
    EXPECT_EQ(top, first - 1) << "opened on " << start;
    EXPECT_EQ(records, Consecutive(first, 10)) << "opened on " << start;
  }
}

TEST_F(PickOpenPosition, InTheMiddleOfALargeTableTheRecordIsOnTheFirstRow) {
  useLargeCustomerTable();
  data::DataSession& session = openSession();
  vt::catalog::TPickCust picker(nullptr, session, ui);
  for (long start : {1000L, 7777L, 12345L, 19000L}) {
    Pick(picker, start, [this](ui::GridPicker& p) { note(p); });
    EXPECT_EQ(records, Consecutive(start, 10)) << "opened on " << start;
    EXPECT_EQ(row, 0);
    EXPECT_NEAR(top, start - 1, kLargeTable / 20) << "opened on " << start;
  }
}

TEST_F(PickOpenPosition, NoRecordNamedStartsAtTheFirstRecord) {
  openOn(40, 0);
  EXPECT_EQ(top, 0);
  EXPECT_EQ(records, Consecutive(1, 10));
  EXPECT_EQ(row, 0);
}

TEST_F(PickOpenPosition, RecordNumberBeyondTheTableStartsAtTheFirstRecord) {
  openOn(40, 41);
  EXPECT_EQ(top, 0);
  EXPECT_EQ(records, Consecutive(1, 10));
}

TEST_F(PickOpenPosition, OpeningForgetsTheRememberedRecordAndLeavesCancelWhileOpen) {
  openOn(40, 20);
  EXPECT_EQ(remembered, 0);
  EXPECT_EQ(leaving, -1);
}

TEST_F(PickOpenPosition, ReopeningFollowsTheNewStartingRecord) {
  writeCustomers(numberedCustomers(100));
  data::DataSession& session = openSession();
  vt::catalog::TPickCust picker(nullptr, session, ui);
  Pick(picker, 100, [this](ui::GridPicker& p) { note(p); });
  EXPECT_EQ(top, 90);
  records.clear();
  Pick(picker, 12, [this](ui::GridPicker& p) { note(p); });
  EXPECT_EQ(top, 11);
  EXPECT_EQ(records, Consecutive(12, 10));
}

}  // namespace
}  // namespace vt::catalog::picktest
