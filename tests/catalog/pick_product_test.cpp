// The product picker: Prod5 in its "Prod" order (product ID upper-cased),
// columns measured in "M", the price as "%8.2f" or "<DELETED>", a seek that
// finds an ID typed in any case, and a selection that keeps its row when the
// window moves.
#include <QFontMetrics>

#include "catalog/tpickprod.h"
#include "pick_fixture.h"

namespace vt::catalog::picktest {
namespace {

std::vector<ProductRow> NumberedProducts(int count) {
  std::vector<ProductRow> rows;
  for (int n = 1; n <= count; ++n) {
    std::string id = std::to_string(100 + n);
    rows.push_back({"P" + id, "Item " + id, n * 1.5, false});
  }
  return rows;
}

class PickProduct : public PickerTest {
 protected:
  long run(long start, const std::function<void(ui::GridPicker&)>& act) {
    data::DataSession& session = openSession();
    vt::catalog::TPickProd picker(nullptr, session, ui);
    return Pick(picker, start, act);
  }
};

TEST_F(PickProduct, ColumnsAreIdDescriptionPriceAndRecordNumberInMWidths) {
  writeProducts(NumberedProducts(3));
  run(1, [](ui::GridPicker& p) {
    EXPECT_EQ(p.windowTitle(), "Select Product");
    EXPECT_EQ(Titles(p), (QStringList{"Product ID", "Description", "Price", "RecNo"}));
    int m = QFontMetrics(p.font()).horizontalAdvance(QLatin1Char('M'));
    EXPECT_EQ(p.recordsGrid->columnWidth(0), 10 * m);
    EXPECT_EQ(p.recordsGrid->columnWidth(1), 27 * m);
    EXPECT_EQ(p.recordsGrid->columnWidth(2), 8 * m);
    EXPECT_EQ(p.recordsGrid->columnWidth(3), 10 * m);
    EXPECT_EQ(p.recordsGrid->width(), 45 * m + 2 * p.recordsGrid->frameWidth());
    EXPECT_EQ(RowTexts(p, 1)[0].trimmed(), "P102");
    EXPECT_EQ(RowTexts(p, 1)[1].trimmed(), "Item 102");
    EXPECT_EQ(RowTexts(p, 1)[2], "    3.00");
    EXPECT_EQ(RowTexts(p, 1)[3], "2");
  });
}

TEST_F(PickProduct, OrderIsTheUpperCasedIdAndSeekFindsItInAnyCase) {
  writeProducts({{"widget", "lower-case id", 1, false},
                 {"BOLT", "", 2, false},
                 {"Anchor", "", 3, false},
                 {"CLAMP", "", 4, true}});
  run(1, [](ui::GridPicker& p) {
    EXPECT_EQ(Shown(p), (std::vector<long>{3, 2, 4, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Cell(p, 2, 2), "<DELETED>");
    QTest::keyClicks(p.seekEdit, "Wid");
    EXPECT_EQ(p.recordAt(p.recordsGrid->currentRow()), 1);
    QTest::keyClick(p.seekEdit, Qt::Key_Backspace);
    QTest::keyClick(p.seekEdit, Qt::Key_Backspace);
    QTest::keyClicks(p.seekEdit, "c");  // "WC": the first ID at or after it
    EXPECT_EQ(p.recordAt(p.recordsGrid->currentRow()), 1);
    p.seekEdit->setText("b");
    EXPECT_EQ(p.recordAt(p.recordsGrid->currentRow()), 2);
  });
}

TEST_F(PickProduct, SelectionKeepsItsRowWhenTheWindowMoves) {
  writeProducts(NumberedProducts(40));
  run(1, [](ui::GridPicker& p) {
    p.recordsGrid->setCurrentCell(9, 0);
    QTest::keyClick(p.recordsGrid, Qt::Key_Down);
    EXPECT_EQ(p.windowTop(), 1);
    EXPECT_EQ(p.recordsGrid->currentRow(), 9);
    EXPECT_EQ(p.recordAt(9), 11);
    p.recordsGrid->setCurrentCell(4, 0);
    p.recordsScrollBar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(p.windowTop(), 11);
    EXPECT_EQ(p.recordsGrid->currentRow(), 4);
  });
}

TEST_F(PickProduct, OpensOnTheCallersProductAndChoosesIt) {
  writeProducts(NumberedProducts(40));
  long left = run(25, [](ui::GridPicker& p) {
    EXPECT_EQ(p.windowTop(), 24);
    EXPECT_EQ(p.recordAt(p.recordsGrid->currentRow()), 25);
    QTest::keyClick(p.recordsGrid, Qt::Key_Down);
    p.selectClicked();
  });
  EXPECT_EQ(left, 26);
}

TEST_F(PickProduct, WindowReachesTheScrollBarPlusTenPixels) {
  writeProducts(NumberedProducts(20));
  run(1, [](ui::GridPicker& p) {
    QRect bar = p.recordsScrollBar->geometry();
    EXPECT_EQ(bar.left(), p.recordsGrid->geometry().right() + 1);
    EXPECT_GE(p.width(), bar.right() + 1 + 10);
  });
}

TEST_F(PickProduct, TableNotOpenShowsNothingToChoose) {
  writeProducts(NumberedProducts(20));
  data::DataSession& session = openSession();
  session.CloseTable(data::TableId::Products);
  vt::catalog::TPickProd picker(nullptr, session, ui);
  long left = Pick(picker, 3, [](ui::GridPicker& p) {
    EXPECT_EQ(p.recordsGrid->rowCount(), 0);
    EXPECT_FALSE(p.selectButton->isEnabled());
    p.seekEdit->setText("P1");
    QTest::keyClick(p.recordsGrid, Qt::Key_End);
    p.cancelClicked();
  });
  EXPECT_EQ(left, -1);
}

}  // namespace
}  // namespace vt::catalog::picktest
