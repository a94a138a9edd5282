// The purchase picker "PickPur": Pur5 in its "Pur" order (product ID
// upper-cased, then date), the date as short date text, quantity and cost
// formatted, "<DELETED>" in place of the cost, and a seek that finds the
// earliest purchase of the first product at or after the typed ID.
#include <QFontMetrics>

#include "catalog/tpickpur.h"
#include "pick_fixture.h"
#include "ui/window_test_support.h"

namespace vt::catalog::picktest {
namespace {

class PickPurchase : public PickerTest {
 protected:
  void SetUp() override {
    writePurchases({{"BOLT", "20250301", 10, 12.5, false},   // 1
                    {"anchor", "20250105", 2, 99, false},    // 2
                    {"BOLT", "20240715", 5, 6.25, false},    // 3
                    {"CLAMP", "20250210", 1, 3, true},       // 4
                    {"BOLT", "20241231", 7, 8.75, false}});  // 5
  }
  long run(long start, const std::function<void(ui::GridPicker&)>& act) {
    data::DataSession& session = openSession();
    vt::catalog::TPickPur picker(nullptr, session, ui);
    return Pick(picker, start, act);
  }
};

long Selected(const ui::GridPicker& p) {
  return p.recordAt(p.recordsGrid->currentRow());
}

TEST_F(PickPurchase, ColumnsInBWidthsWithDateQuantityAndCost) {
  ui::testing::LocaleScope us("en_US");
  run(1, [](ui::GridPicker& p) {
    EXPECT_EQ(p.windowTitle(), "PickPur");
    EXPECT_EQ(Titles(p), (QStringList{"Product ID", "Date", "Quantity", "Total Cost", "RecNo"}));
    int b = QFontMetrics(p.font()).horizontalAdvance(QLatin1Char('B'));
    std::vector<int> widths{10, 8, 10, 12, 10};
    for (int c = 0; c < 5; ++c) EXPECT_EQ(p.recordsGrid->columnWidth(c), widths[c] * b);
    EXPECT_EQ(p.recordsGrid->width(), 40 * b + 2 * p.recordsGrid->frameWidth());
    EXPECT_EQ(RowTexts(p, 0),
              (QStringList{"anchor    ", "01/05/25", "      2.00", "       99.00", "2"}));
  });
}

TEST_F(PickPurchase, OrderIsProductThenDate) {
  run(1, [](ui::GridPicker& p) {
    EXPECT_EQ(Shown(p), (std::vector<long>{2, 3, 5, 1, 4, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Cell(p, 4, 3), "<DELETED>");
    EXPECT_EQ(Cell(p, 4, 2), "      1.00");
  });
}

TEST_F(PickPurchase, SeekFindsTheEarliestPurchaseOfTheProduct) {
  run(1, [](ui::GridPicker& p) {
    QTest::keyClicks(p.seekEdit, "bo");
    EXPECT_EQ(Selected(p), 3);
    p.seekEdit->setText("Bz");
    EXPECT_EQ(Selected(p), 4);  // CLAMP, the first product after "BZ"
  });
}

TEST_F(PickPurchase, SelectLeavesThePurchaseChosen) {
  long left = run(5, [](ui::GridPicker& p) {
    EXPECT_EQ(Selected(p), 2);  // five records: the window starts at row 1
    p.recordsGrid->setCurrentCell(2, 0);
    p.selectClicked();
  });
  EXPECT_EQ(left, 5);
}

}  // namespace
}  // namespace vt::catalog::picktest
