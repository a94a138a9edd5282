// The customer picker reads a window of records, never the table: opening
// it on any record of a table of 20,000 customers, scrolling and seeking
// read a few dozen records and index pages, counted on the file system the
// engine works on. A read that fails there is told to the user.
#include <QScrollBar>
#include <QTest>

#include "catalog/tpickcust.h"
#include "engine/fault_fs.h"
#include "pick_fixture.h"

namespace vt::catalog::picktest {
namespace {

constexpr int kCustomers = kLargeTable;
// Reads of CUST5.dbf allowed for one action: the ten records of a fill, the
// header the engine checks at each step, a few records to place the window.
constexpr uint64_t kDbfReads = 60;
// Reads of the four CUST5 index files allowed for one action: the engine
// checks their headers at each step, and a few tree pages lead to the
// window (the name index of 20,000 customers alone has hundreds of pages).
constexpr uint64_t kIndexReads = 150;

class PickReads : public PickerTest {
 protected:
  void SetUp() override {
    useLargeCustomerTable();
    session = &openSession(&files);
  }
  uint64_t dbfReads() const { return files.readsOf(path("CUST5.dbf")); }
  uint64_t indexReads() const {
    uint64_t n = 0;
    for (const char* file : {"cName.ntx", "ccno.ntx", "czip.ntx", "ccomp.ntx"}) {
      n += files.readsOf(path(file));
    }
    return n;
  }
  // Opens the picker on `start` and counts what opening reads; `then` acts
  // on the shown picker after the count was taken and started afresh.
  void openOn(long start, const std::function<void(ui::GridPicker&)>& then = {}) {
    vt::catalog::TPickCust picker(nullptr, *session, ui);
    files.reset();
    Pick(picker, start, [&](ui::GridPicker& p) {
      openDbf = dbfReads();
      openIndex = indexReads();
      shown = Shown(p);
      top = p.windowTop();
      if (!then) return;
      files.reset();
      then(p);
      shown = Shown(p);
    });
  }

  engine::FaultFileSystem files{engine::realFileSystem()};
  data::DataSession* session = nullptr;
  uint64_t openDbf = 0, openIndex = 0;
  std::vector<long> shown;
  long top = -1;
};

TEST_F(PickReads, OpeningOnTheLastCustomerReadsAWindowNotTheTable) {
  openOn(kCustomers);
  EXPECT_EQ(shown, Consecutive(kCustomers - 9, 10));
  EXPECT_LT(openDbf, kDbfReads);
  EXPECT_LT(openIndex, kIndexReads);
}

TEST_F(PickReads, OpeningInTheMiddleReadsAWindowNotTheTable) {
  openOn(kCustomers / 2);
  EXPECT_EQ(shown, Consecutive(kCustomers / 2, 10));
  // The window top there is the engine's estimate of the position.
  EXPECT_NEAR(top, kCustomers / 2 - 1, kCustomers / 20);
  EXPECT_LT(openDbf, kDbfReads);
  EXPECT_LT(openIndex, kIndexReads);
}

TEST_F(PickReads, OpeningOnTheFirstCustomerReadsAWindowNotTheTable) {
  openOn(1);
  EXPECT_EQ(shown, Consecutive(1, 10));
  EXPECT_LT(openDbf, kDbfReads);
  EXPECT_LT(openIndex, kIndexReads);
}

TEST_F(PickReads, EndKeyReadsAWindowNotTheTable) {
  openOn(1, [](ui::GridPicker& p) { QTest::keyClick(p.recordsGrid, Qt::Key_End); });
  EXPECT_EQ(shown, Consecutive(kCustomers - 9, 10));
  EXPECT_LT(dbfReads(), kDbfReads);
  EXPECT_LT(indexReads(), kIndexReads);
}

TEST_F(PickReads, ThumbDroppedHalfWayReadsAWindowNotTheTable) {
  openOn(1, [](ui::GridPicker& p) {
    p.recordsScrollBar->setSliderDown(true);
    p.recordsScrollBar->setSliderPosition(50);
    p.recordsScrollBar->setSliderDown(false);
  });
  ASSERT_GT(shown.front(), 0);
  EXPECT_EQ(shown, Consecutive(shown.front(), 10));
  EXPECT_NEAR(shown.front(), kCustomers / 2, kCustomers / 20);
  EXPECT_LT(dbfReads(), kDbfReads);
  EXPECT_LT(indexReads(), kIndexReads);
}

TEST_F(PickReads, SeekingNearTheEndReadsAWindowNotTheTable) {
  openOn(1, [](ui::GridPicker& p) { p.seekEdit->setText("c019995"); });
  EXPECT_EQ(shown, Consecutive(kCustomers - 9, 10));
  EXPECT_LT(dbfReads(), kDbfReads);
  EXPECT_LT(indexReads(), kIndexReads);
}

TEST_F(PickReads, AReadThatFailsIsToldNotTakenForTheEnd) {
  openOn(1, [this](ui::GridPicker& p) {
    files.failReadsFrom(1);
    QTest::keyClick(p.recordsGrid, Qt::Key_End);
    files.failReadsFrom(0);
  });
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].text, "Unable to read the list: read error.");
}

}  // namespace
}  // namespace vt::catalog::picktest
