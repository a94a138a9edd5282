// Moving the customer picker's window: the scroll bar's line, page, top,
// bottom and thumb actions, the grid's Page Up/Down, Home/End, and Up/Down
// at the window's edges. Each sets a new window top, refills the window and
// puts the thumb at trunc(top * 100 / top limit).
#include "catalog/tpickcust.h"
#include "pick_fixture.h"

namespace vt::catalog::picktest {
namespace {

constexpr int kCustomers = 50;  // top limit 40

class PickScroll : public PickerTest {
 protected:
  void SetUp() override { writeCustomers(numberedCustomers(kCustomers)); }
  // Opens the picker on `start` and lets `act` work on it.
  void run(long start, const std::function<void(ui::GridPicker&)>& act) {
    data::DataSession& session = openSession();
    vt::catalog::TPickCust picker(nullptr, session, ui);
    Pick(picker, start, act);
  }
};

void Action(ui::GridPicker& p, QAbstractSlider::SliderAction action) {
  p.recordsScrollBar->triggerAction(action);
}

void DropThumbAt(ui::GridPicker& p, int position) {
  p.recordsScrollBar->setSliderDown(true);
  p.recordsScrollBar->setSliderPosition(position);
  p.recordsScrollBar->setSliderDown(false);
}

void Key(ui::GridPicker& p, Qt::Key key) {
  QTest::keyClick(p.recordsGrid, key);
}

TEST_F(PickScroll, LineAndPageActionsMoveTheWindowByOneAndTen) {
  run(1, [](ui::GridPicker& p) {
    Action(p, QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(p.windowTop(), 1);
    EXPECT_EQ(Shown(p), Consecutive(2, 10));
    EXPECT_EQ(p.recordsScrollBar->value(), 2);
    Action(p, QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(p.windowTop(), 11);
    EXPECT_EQ(Shown(p), Consecutive(12, 10));
    EXPECT_EQ(p.recordsScrollBar->value(), 27);
    Action(p, QAbstractSlider::SliderPageStepSub);
    Action(p, QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(p.windowTop(), 0);
    EXPECT_EQ(Shown(p), Consecutive(1, 10));
    EXPECT_EQ(p.recordsScrollBar->value(), 0);
  });
}

TEST_F(PickScroll, ActionsStopAtBothEndsWithTheThumbWhereTheWindowIs) {
  run(1, [](ui::GridPicker& p) {
    Action(p, QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(p.windowTop(), 0);
    EXPECT_EQ(p.recordsScrollBar->value(), 0);
    Action(p, QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(p.windowTop(), 40);
    EXPECT_EQ(Shown(p), Consecutive(41, 10));
    EXPECT_EQ(p.recordsScrollBar->value(), 100);
    Action(p, QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(p.windowTop(), 40);
    EXPECT_EQ(p.recordsScrollBar->value(), 100);
    Action(p, QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(p.windowTop(), 0);
    EXPECT_EQ(Shown(p), Consecutive(1, 10));
  });
}

TEST_F(PickScroll, ThumbDroppedMovesTheWindowInProportion) {
  run(1, [](ui::GridPicker& p) {
    DropThumbAt(p, 50);
    EXPECT_EQ(p.windowTop(), 20);
    EXPECT_EQ(Shown(p), Consecutive(21, 10));
    EXPECT_EQ(p.recordsScrollBar->value(), 50);
    DropThumbAt(p, 33);  // trunc(33 * 40 * 0.01) = 13
    EXPECT_EQ(p.windowTop(), 13);
    EXPECT_EQ(Shown(p), Consecutive(14, 10));
    EXPECT_EQ(p.recordsScrollBar->value(), 32);  // trunc(13 * 100 / 40)
  });
}

TEST_F(PickScroll, ThumbBeingDraggedLeavesTheWindowUntilDropped) {
  run(1, [](ui::GridPicker& p) {
    p.recordsScrollBar->setSliderDown(true);
    p.recordsScrollBar->setSliderPosition(80);
    EXPECT_EQ(p.windowTop(), 0);
    EXPECT_EQ(Shown(p), Consecutive(1, 10));
    p.recordsScrollBar->setSliderDown(false);
    EXPECT_EQ(p.windowTop(), 32);
  });
}

TEST_F(PickScroll, PageKeysMoveTheWindowByTen) {
  run(1, [](ui::GridPicker& p) {
    Key(p, Qt::Key_PageDown);
    EXPECT_EQ(p.windowTop(), 10);
    EXPECT_EQ(Shown(p), Consecutive(11, 10));
    EXPECT_EQ(p.recordsScrollBar->value(), 25);
    Key(p, Qt::Key_PageDown);
    Key(p, Qt::Key_PageUp);
    EXPECT_EQ(p.windowTop(), 10);
    Key(p, Qt::Key_PageUp);
    Key(p, Qt::Key_PageUp);
    EXPECT_EQ(p.windowTop(), 0);
  });
}

TEST_F(PickScroll, EndAndHomeShowTheLastAndFirstRecordsSelected) {
  run(1, [](ui::GridPicker& p) {
    Key(p, Qt::Key_End);
    EXPECT_EQ(p.windowTop(), 40);
    EXPECT_EQ(Shown(p), Consecutive(41, 10));
    EXPECT_EQ(p.recordsGrid->currentRow(), 9);
    Key(p, Qt::Key_Home);
    EXPECT_EQ(p.windowTop(), 0);
    EXPECT_EQ(Shown(p), Consecutive(1, 10));
    EXPECT_EQ(p.recordsGrid->currentRow(), 0);
  });
}

TEST_F(PickScroll, UpOnTheFirstRowScrollsBackByOne) {
  run(1, [](ui::GridPicker& p) {
    Key(p, Qt::Key_Up);
    EXPECT_EQ(p.windowTop(), 0);
    Key(p, Qt::Key_PageDown);
    p.recordsGrid->setCurrentCell(0, 0);
    Key(p, Qt::Key_Up);
    EXPECT_EQ(p.windowTop(), 9);
    EXPECT_EQ(Shown(p), Consecutive(10, 10));
    EXPECT_EQ(p.recordsGrid->currentRow(), 0);
  });
}

TEST_F(PickScroll, ClickInTheGridScrollsItsColumnsBackToTheFirst) {
  run(1, [](ui::GridPicker& p) {
    QScrollBar* columns = p.recordsGrid->horizontalScrollBar();
    ASSERT_GT(columns->maximum(), 0) << "the columns are wider than the grid";
    columns->setValue(columns->maximum());
    QRect cell = p.recordsGrid->visualItemRect(p.recordsGrid->item(2, 3));
    QTest::mouseClick(p.recordsGrid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(columns->value(), 0);
    EXPECT_EQ(p.recordsGrid->currentRow(), 2);
  });
}

// Further than the exact reach from both ends the window top is the
// engine's estimate; scrolling still moves by whole pages, and reaching an
// end of the table puts the window exactly there.
class PickScrollLarge : public PickerTest {
 protected:
  static constexpr int kCount = 3000;
  void SetUp() override { writeCustomers(numberedCustomers(kCount)); }
  // Presses `key` until the window stops moving; checks every window.
  void pressUntilStill(long start, Qt::Key key, int step) {
    data::DataSession& session = openSession();
    vt::catalog::TPickCust picker(nullptr, session, ui);
    Pick(picker, start, [&](ui::GridPicker& p) {
      ASSERT_EQ(Shown(p), Consecutive(start, 10));
      for (int presses = 0; presses < kCount; ++presses) {
        long before = p.recordAt(0), top = p.windowTop();
        Key(p, key);
        if (p.windowTop() == top) break;
        ASSERT_EQ(Shown(p), Consecutive(p.recordAt(0), 10));
        long moved = p.recordAt(0) - before;
        ASSERT_TRUE(moved == step || std::labs(moved) < std::labs(step)) << moved;
      }
      last = Shown(p);
    });
  }
  std::vector<long> last;
};

TEST_F(PickScrollLarge, PagingDownFromTheMiddleEndsOnTheLastRecords) {
  pressUntilStill(kCount - 400, Qt::Key_PageDown, 10);
  EXPECT_EQ(last, Consecutive(kCount - 9, 10));
}

TEST_F(PickScrollLarge, PagingUpFromTheMiddleEndsOnTheFirstRecords) {
  pressUntilStill(400, Qt::Key_PageUp, -10);
  EXPECT_EQ(last, Consecutive(1, 10));
}

TEST_F(PickScrollLarge, EndFromTheMiddleShowsTheLastRecords) {
  data::DataSession& session = openSession();
  vt::catalog::TPickCust picker(nullptr, session, ui);
  Pick(picker, kCount / 2, [](ui::GridPicker& p) {
    Key(p, Qt::Key_End);
    EXPECT_EQ(p.windowTop(), kCount - 10);
    EXPECT_EQ(Shown(p), Consecutive(kCount - 9, 10));
    Key(p, Qt::Key_PageUp);
    EXPECT_EQ(p.windowTop(), kCount - 20);
    EXPECT_EQ(Shown(p), Consecutive(kCount - 19, 10));
  });
}

}  // namespace
}  // namespace vt::catalog::picktest
