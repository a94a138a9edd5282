// Tables at the edge of one window: with ten records or fewer the picker
// hides its scroll bar and never moves; with eleven the top limit is 1 and
// the thumb stands at 0 or 100. The grid shows exactly ten rows under its
// header row.
#include <QFontMetrics>
#include <QHeaderView>

#include "catalog/tpickcust.h"
#include "pick_fixture.h"

namespace vt::catalog::picktest {
namespace {

class PickSmallTable : public PickerTest {
 protected:
  void run(int customers, long start, const std::function<void(ui::GridPicker&)>& act) {
    writeCustomers(numberedCustomers(customers));
    data::DataSession& session = openSession();
    vt::catalog::TPickCust picker(nullptr, session, ui);
    left = Pick(picker, start, act);
  }
  long left = 0;
};

void Key(ui::GridPicker& p, Qt::Key key) {
  QTest::keyClick(p.recordsGrid, key);
}

TEST_F(PickSmallTable, TenRecordsHideTheScrollBarAndNeverMove) {
  run(10, 10, [](ui::GridPicker& p) {
    EXPECT_TRUE(p.recordsScrollBar->isHidden());
    EXPECT_EQ(p.topLimit(), 0);
    EXPECT_EQ(Shown(p), Consecutive(1, 10));
    EXPECT_EQ(p.recordsGrid->currentRow(), 0);  // not on the caller's record
    Key(p, Qt::Key_PageDown);
    Key(p, Qt::Key_End);
    p.recordsGrid->setCurrentCell(9, 0);
    Key(p, Qt::Key_Down);
    EXPECT_EQ(p.windowTop(), 0);
    EXPECT_EQ(Shown(p), Consecutive(1, 10));
  });
}

TEST_F(PickSmallTable, FewerRecordsLeaveBlankRowsBelow) {
  run(3, 1, [](ui::GridPicker& p) {
    EXPECT_EQ(Shown(p), (std::vector<long>{1, 2, 3, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(RowTexts(p, 3), QStringList(4, QString()));
  });
}

TEST_F(PickSmallTable, ElevenRecordsHaveATopLimitOfOne) {
  run(11, 1, [](ui::GridPicker& p) {
    EXPECT_FALSE(p.recordsScrollBar->isHidden());
    EXPECT_EQ(p.topLimit(), 1);
    EXPECT_EQ(p.recordsScrollBar->value(), 0);
    p.recordsScrollBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(p.windowTop(), 1);
    EXPECT_EQ(p.recordsScrollBar->value(), 100);
    EXPECT_EQ(Shown(p), Consecutive(2, 10));
    Key(p, Qt::Key_PageDown);
    EXPECT_EQ(p.recordsScrollBar->value(), 100);
    Key(p, Qt::Key_PageUp);
    EXPECT_EQ(p.windowTop(), 0);
    EXPECT_EQ(p.recordsScrollBar->value(), 0);
  });
}

TEST_F(PickSmallTable, ElevenRecordsOpenedOnTheLastShowItInTheLastRow) {
  run(11, 11, [](ui::GridPicker& p) {
    EXPECT_EQ(p.windowTop(), 1);
    EXPECT_EQ(p.recordsScrollBar->value(), 100);
    EXPECT_EQ(p.recordsGrid->currentRow(), 9);
    EXPECT_EQ(p.recordAt(9), 11);
  });
}

TEST_F(PickSmallTable, GridIsExactlyTenRowsHighUnderItsHeaderRow) {
  run(30, 1, [](ui::GridPicker& p) {
    QTableWidget* grid = p.recordsGrid;
    EXPECT_EQ(grid->rowCount(), 10);
    int rowHeight = grid->rowHeight(0);
    EXPECT_EQ(grid->horizontalHeader()->height(), rowHeight);
    EXPECT_EQ(grid->viewport()->height(), 10 * rowHeight);
    EXPECT_EQ(grid->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(p.recordsScrollBar->height(), grid->height());
    EXPECT_EQ(p.recordsScrollBar->minimum(), 0);
    EXPECT_EQ(p.recordsScrollBar->maximum(), 100);
    EXPECT_EQ(p.recordsScrollBar->pageStep(), 10);
    EXPECT_EQ(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
  });
}

TEST_F(PickSmallTable, CustomerColumnsAreMeasuredInB) {
  run(12, 1, [](ui::GridPicker& p) {
    EXPECT_EQ(p.windowTitle(), "Select Customer");
    EXPECT_EQ(Titles(p), (QStringList{"Last", "First", "Note", "RecNo"}));
    int b = QFontMetrics(p.font()).horizontalAdvance(QLatin1Char('B'));
    std::vector<int> widths{20, 13, 34, 10};
    for (int c = 0; c < 4; ++c) EXPECT_EQ(p.recordsGrid->columnWidth(c), widths[c] * b);
    EXPECT_EQ(p.recordsGrid->width(), 67 * b + 2 * p.recordsGrid->frameWidth());
    QRect bar = p.recordsScrollBar->geometry();
    EXPECT_EQ(bar.left(), p.recordsGrid->geometry().right() + 1);
    EXPECT_GE(p.width(), bar.right() + 1 + 16);
    EXPECT_EQ(RowTexts(p, 0),
              (QStringList{"C000001             ", "F1           ", "N1" + QString(32, ' '), "1"}));
  });
}

TEST_F(PickSmallTable, EmptyTableLeavesOnlyNewAndCancel) {
  run(0, 0, [](ui::GridPicker& p) {
    EXPECT_EQ(p.recordsGrid->rowCount(), 0);
    EXPECT_FALSE(p.recordsGrid->isEnabled());
    EXPECT_FALSE(p.selectButton->isEnabled());
    EXPECT_TRUE(p.newButton->isEnabled());
    EXPECT_TRUE(p.cancelButton->isEnabled());
    p.seekEdit->setText("A");
    EXPECT_EQ(p.recordsGrid->rowCount(), 0);
    QTest::mouseClick(p.newButton, Qt::LeftButton);
  });
  EXPECT_EQ(left, 0);
}

}  // namespace
}  // namespace vt::catalog::picktest
