// The grid picker's keys, on the large table in name order (record n is the
// n-th customer): Up, Down, Page Up and Page Down move the highlight by one
// row or one page of the order from the grid and from the seek box, Tab
// stops once in the grid, and restoring the minimised window keeps where
// the user was.
#include "catalog/tpickcust.h"
#include "pick_fixture.h"

namespace vt::catalog::picktest {
namespace {

class PickKeys : public PickerTest {
 protected:
  void SetUp() override { useLargeCustomerTable(); }
  void run(long start, const std::function<void(ui::GridPicker&)>& act) {
    data::DataSession& session = openSession();
    vt::catalog::TPickCust picker(nullptr, session, ui);
    Pick(picker, start, act);
  }
};

long Selected(const ui::GridPicker& p) {
  return p.recordAt(p.recordsGrid->currentRow());
}

struct Press {
  Qt::Key key;
  int times = 1;
};

TEST_F(PickKeys, ArrowAndPageKeysMoveTheHighlightThroughTheOrder) {
  constexpr long kLast = kLargeTable;
  struct Case {
    long start;
    bool inSeekBox;
    std::vector<Press> presses;
    long selected;
  };
  const Case cases[] = {
      {1, false, {{Qt::Key_Home}, {Qt::Key_Down, 9}, {Qt::Key_Down}}, 11},
      {1, false, {{Qt::Key_Down, 25}, {Qt::Key_Up, 3}}, 23},
      {1, false, {{Qt::Key_Down, 3}, {Qt::Key_PageDown}}, 14},
      {1, false, {{Qt::Key_PageDown, 3}, {Qt::Key_Up}, {Qt::Key_PageUp}}, 20},
      {1, false, {{Qt::Key_Up}, {Qt::Key_PageUp}}, 1},
      {1, true, {{Qt::Key_PageDown}}, 11},
      {1, true, {{Qt::Key_Down, 12}, {Qt::Key_PageUp}}, 3},
      {10000, false, {{Qt::Key_Up}, {Qt::Key_PageUp, 2}, {Qt::Key_Down, 12}}, 9991},
      {10000, true, {{Qt::Key_PageDown, 2}, {Qt::Key_Up, 11}}, 10009},
      {1, false, {{Qt::Key_End}, {Qt::Key_Up, 10}}, kLast - 10},
      {1, false, {{Qt::Key_End}, {Qt::Key_PageUp}, {Qt::Key_Down, 3}}, kLast - 7},
      {1, false, {{Qt::Key_End}, {Qt::Key_PageUp, 2}, {Qt::Key_PageDown, 3}}, kLast},
      {kLast - 3, true, {{Qt::Key_Down, 5}}, kLast},
  };
  for (const Case& c : cases) {
    run(c.start, [&](ui::GridPicker& p) {
      QWidget* keys = c.inSeekBox ? static_cast<QWidget*>(p.seekEdit) : p.recordsGrid;
      for (const Press& press : c.presses) {
        for (int i = 0; i < press.times; ++i) QTest::keyClick(keys, press.key);
      }
      EXPECT_EQ(Selected(p), c.selected) << "from " << c.start;
      EXPECT_EQ(Shown(p), Consecutive(p.recordAt(0), 10));
    });
  }
}

TEST_F(PickKeys, TabStopsOnceInTheGridThenOnEachButton) {
  run(5000, [](ui::GridPicker& p) {
    QStringList stops;
    for (int i = 0; i < 5; ++i) {
      QTest::keyClick(p.focusWidget(), Qt::Key_Tab);
      stops << p.focusWidget()->objectName();
    }
    EXPECT_EQ(stops, (QStringList{"recordsGrid", "selectButton", "newButton", "cancelButton",
                                  "seekEdit"}));
    EXPECT_EQ(Selected(p), 5000);
  });
}

TEST_F(PickKeys, RestoringTheMinimisedWindowKeepsWhereTheUserWas) {
  run(1, [](ui::GridPicker& p) {
    QTest::keyClicks(p.seekEdit, "c00700");
    QTest::keyClick(p.recordsGrid, Qt::Key_Down);
    p.showMinimized();
    p.showNormal();
    EXPECT_EQ(p.seekEdit->text(), "c00700");
    EXPECT_EQ(Selected(p), 7001);
  });
}

}  // namespace
}  // namespace vt::catalog::picktest
