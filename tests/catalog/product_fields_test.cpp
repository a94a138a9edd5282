// The product window's fields: the tax boxes captioned from the settings,
// the money fields with their masks and formats, the product text, the
// inventory flag and reorder level, and the stock on hand carried through.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPalette>
#include <QPlainTextEdit>

#include "catalog/product_purchase_support.h"
#include "catalog/tproddef.h"
#include "ui/amount_edit.h"
#include "ui/window_test_support.h"

namespace vt::catalog {
namespace {

using namespace prodtest;
using ui::AmountEdit;
using ui::testing::LocaleScope;

struct ProductFields : ::testing::Test {
  LocaleScope us{"en_US"};
  Workbench bench;
  TProdDef window{nullptr, bench.session, bench.ui};

  long Edit(long current, std::function<void()> script) {
    EXPECT_TRUE(WhileShown(
        window, [&] { window.edit(current); }, std::move(script)));
    return current;
  }
  AmountEdit* Price() { return Control<AmountEdit>(window, "priceEdit"); }
  AmountEdit* Reorder() { return Control<AmountEdit>(window, "reorderLevelEdit"); }
  QCheckBox* Box(const char* name) { return Control<QCheckBox>(window, name); }
};

TEST_F(ProductFields, TaxBoxesAreCaptionedWithTheChargeLabelsOfTheSettings) {
  bench.session.settings.ShipLine = "  S&H      ";
  bench.session.settings.TaxLine = "State Tax ";
  Edit(0, [&] {
    EXPECT_EQ(Box("tax1Check")->text(), "S&&H") << "shown as typed, not as a shortcut";
    EXPECT_EQ(Box("tax1Check")->accessibleName(), "S&H");
    EXPECT_EQ(Box("tax2Check")->text(), "State Tax");
  });
  bench.session.settings.TaxLine = "GST";
  Edit(0, [&] { EXPECT_EQ(Box("tax2Check")->text(), "GST") << "set again on every opening"; });
}

TEST_F(ProductFields, NewProductStoresWhatWasTypedAndTicked) {
  Edit(0, [&] {
    EXPECT_EQ(Price()->editMask(), "!#####.99;1;_");
    EXPECT_EQ(Reorder()->editMask(), "!######.99;1;_");
    EXPECT_EQ(Price()->text(), "    0.00");
    EXPECT_EQ(Reorder()->text(), "     0.00");
    QTest::keyClicks(Control(window, "productIdEdit"), "lic-9");
    TypeInto(Price(), "12.5");
    EXPECT_EQ(Price()->text(), "   12.50") << "the separator moved the 12 into place";
    TypeInto(Control(window, "description2Edit"), "  second line  ");
    Tick(Box("tax2Check"));
    TypeInto(Control(window, "licenseCodeEdit"), "KEY-42");
    Tick(Box("inventoryItemCheck"));
    TypeInto(Reorder(), "7");
    PressTab();
    EXPECT_EQ(Reorder()->text(), "     7.00") << "leaving the field reformats it";
    Click(window, "saveButton");
  });
  const auto products = ReadProducts(bench.dir.path());
  ASSERT_EQ(products.size(), 1u);
  const data::ProductRecord& stored = products[0].record;
  EXPECT_DOUBLE_EQ(stored.UPrice, 12.5);
  EXPECT_DOUBLE_EQ(stored.REORDER, 7);
  EXPECT_FALSE(stored.LTax1);
  EXPECT_TRUE(stored.LTax2);
  EXPECT_TRUE(stored.lInven);
  EXPECT_EQ(stored.RCode, "KEY-42    ");
  EXPECT_EQ(stored.IComm.substr(0, 12), "second line ") << "trimmed at both ends";
  EXPECT_DOUBLE_EQ(stored.ONHAND, 0);
}

TEST_F(ProductFields, EnterMovesOnAndReformatsTheMoneyFieldItLeaves) {
  Edit(0, [&] {
    QTest::keyClick(Control(window, "productIdEdit"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Control(window, "descriptionEdit"));
    TypeInto(Price(), "5");
    QTest::keyClick(Price(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Control(window, "description2Edit"));
    EXPECT_EQ(Price()->text(), "    5.00");
    EXPECT_TRUE(window.isVisible()) << "Enter presses no button";
  });
}

TEST_F(ProductFields, ProductTextMakesTheRoundTrip) {
  Edit(0, [&] {
    QTest::keyClicks(Control(window, "productIdEdit"), "TXT");
    auto* memo = Control<QPlainTextEdit>(window, "productTextMemo");
    memo->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(memo, "  Warranty: one year.");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "Keep dry.   ");
    QTest::keyClick(memo, Qt::Key_Return);
    Click(window, "saveButton");
  });
  const auto products = ReadProducts(bench.dir.path());
  ASSERT_EQ(products.size(), 1u);
  EXPECT_EQ(products[0].record.PMemo, "Warranty: one year.\r\nKeep dry.");
  Edit(1, [&] {
    EXPECT_EQ(Control<QPlainTextEdit>(window, "productTextMemo")->toPlainText(),
              "Warranty: one year.\nKeep dry.");
  });
}

TEST_F(ProductFields, OpeningShowsTheStoredProduct) {
  data::ProductRecord stored = Product("shelf", "  Oak shelf");
  stored.UPrice = -4.25;
  stored.REORDER = 12;
  stored.LTax1 = true;
  stored.IComm = "unfinished";
  stored.RCode = "R1";
  AddProduct(bench.session, stored);
  Edit(1, [&] {
    EXPECT_EQ(Control(window, "productIdEdit")->text(), "shelf");
    EXPECT_EQ(Control(window, "descriptionEdit")->text(), "Oak shelf");
    EXPECT_EQ(Control(window, "description2Edit")->text(), "unfinished");
    EXPECT_EQ(Control(window, "licenseCodeEdit")->text(), "R1");
    EXPECT_EQ(Price()->text(), "   -4.25");
    EXPECT_TRUE(Price()->showsNegative());
    EXPECT_EQ(Price()->palette().color(QPalette::Active, QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(Reorder()->text(), "    12.00");
    EXPECT_TRUE(Box("tax1Check")->isChecked());
    EXPECT_FALSE(Box("tax2Check")->isChecked());
    EXPECT_FALSE(Box("inventoryItemCheck")->isChecked());
    EXPECT_TRUE(Control<QWidget>(window, "deleteButton")->isEnabled());
  });
}

// Texts as wide as their fields store, in capitals, show whole, and from
// their start in the fields without the focus, when the window opens.
TEST_F(ProductFields, StoredTextsShowWholeFromTheirStart) {
  data::ProductRecord stored = Product("TONER-CLR3", "LASER PRINTER TONER, 3-PACK");
  stored.IComm = "CYAN, MAGENTA AND YELLOW 3X";
  stored.RCode = "KEY-ABC-42";
  AddProduct(bench.session, stored);
  Edit(1, [&] {
    for (const char* name :
         {"productIdEdit", "descriptionEdit", "description2Edit", "licenseCodeEdit"}) {
      SCOPED_TRACE(name);
      QLineEdit* field = Control(window, name);
      EXPECT_EQ(field->text().size(), field->maxLength());
      if (!field->hasFocus()) {
        EXPECT_EQ(field->cursorPosition(), 0);
      }
      const int textMargins = 4;
      EXPECT_GE(field->contentsRect().width() - textMargins,
                field->fontMetrics().horizontalAdvance(field->text()));
    }
  });
}

TEST_F(ProductFields, StockOnHandIsWrittenBackUnchangedAndNewProductsStartAtNone) {
  data::ProductRecord stocked = Product("BOX", "Box");
  stocked.ONHAND = 37;
  stocked.lInven = true;
  AddProduct(bench.session, stocked);
  Edit(1, [&] {
    TypeInto(Price(), "3.");
    Click(window, "saveButton");
  });
  Edit(0, [&] {
    EXPECT_FALSE(Control<QWidget>(window, "deleteButton")->isEnabled());
    EXPECT_EQ(Control(window, "productIdEdit")->text(), "") << "nothing left from the last product";
    QTest::keyClicks(Control(window, "productIdEdit"), "LID");
    Click(window, "saveButton");
  });
  const auto products = ReadProducts(bench.dir.path());
  ASSERT_EQ(products.size(), 2u);
  EXPECT_DOUBLE_EQ(products[0].record.ONHAND, 37);
  EXPECT_DOUBLE_EQ(products[0].record.UPrice, 3);
  EXPECT_DOUBLE_EQ(products[1].record.ONHAND, 0);
  EXPECT_FALSE(products[1].record.lInven);
}

TEST_F(ProductFields, AmountsWiderThanTheMasksAreShownWholeAndWrittenBackUnchanged) {
  struct Case {
    const char* id;
    double price;
    double reorder;
    const char* priceShown;
  };
  for (const Case& c : {Case{"WIDE", 123456.00, -1234567.5, "123456.00"},
                        Case{"SIGNED", -12345.50, 9999999.99, "-12345.50"}}) {
    data::ProductRecord wide = Product(c.id, "Old");
    wide.UPrice = c.price;
    wide.REORDER = c.reorder;
    const long record = AddProduct(bench.session, wide);
    Edit(record, [&] {
      EXPECT_EQ(Price()->text(), c.priceShown);
      TypeInto(Control(window, "descriptionEdit"), "New");
      PressTab();  // into the price and out again, unchanged
      PressTab();
      Click(window, "saveButton");
    });
    const data::ProductRecord stored = ReadProducts(bench.dir.path())[record - 1].record;
    EXPECT_EQ(stored.PDesc.substr(0, 4), "New ");
    EXPECT_DOUBLE_EQ(stored.UPrice, c.price) << c.id;
    EXPECT_DOUBLE_EQ(stored.REORDER, c.reorder) << c.id;
  }
  Edit(1, [&] {
    TypeInto(Price(), "7.");
    EXPECT_EQ(Price()->text(), "    7.00") << "what is typed follows the mask";
    Click(window, "saveButton");
  });
  EXPECT_DOUBLE_EQ(ReadProducts(bench.dir.path())[0].record.UPrice, 7);
}

TEST_F(ProductFields, PriceThatIsNoNumberIsRefusedOnSaveAndTheFieldTakesTheFocus) {
  Edit(0, [&] {
    QTest::keyClicks(Control(window, "productIdEdit"), "BAD");
    TypeInto(Price(), "1-2");
    Click(window, "saveButton");
    Settle();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), Price());
  });
  EXPECT_EQ(bench.notices(), std::vector<std::string>{"Please enter an amount such as 12.50"});
  EXPECT_TRUE(ReadProducts(bench.dir.path()).empty());
}

TEST_F(ProductFields, LeavingAMoneyFieldThatHoldsNoNumberGivesTheErrorAndStays) {
  Edit(0, [&] {
    TypeInto(Reorder(), "--");
    PressTab();
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), Reorder());
    EXPECT_EQ(bench.notices(), std::vector<std::string>{"Please enter an amount such as 12.50"});
  });
  EXPECT_TRUE(ReadProducts(bench.dir.path()).empty());
}

TEST_F(ProductFields, GermanSeparatorInTheMasksAndTheTypedPrice) {
  LocaleScope german("de_DE");
  Edit(0, [&] {
    EXPECT_EQ(Price()->editMask(), "!#####,99;1;_");
    EXPECT_EQ(Reorder()->editMask(), "!######,99;1;_");
    QTest::keyClicks(Control(window, "productIdEdit"), "DE");
    TypeInto(Price(), "9,9");
    EXPECT_EQ(Price()->text(), "    9,90");
    Click(window, "saveButton");
  });
  const auto products = ReadProducts(bench.dir.path());
  ASSERT_EQ(products.size(), 1u);
  EXPECT_DOUBLE_EQ(products[0].record.UPrice, 9.9);
}

TEST_F(ProductFields, CancelWritesNothing) {
  AddProduct(bench.session, Product("KEEP", "Unchanged"));
  const long current = Edit(1, [&] {
    TypeInto(Control(window, "descriptionEdit"), "Changed");
    TypeInto(Price(), "99.");
    Click(window, "cancelButton");
    EXPECT_FALSE(window.isVisible());
  });
  EXPECT_EQ(current, 1);
  const auto products = ReadProducts(bench.dir.path());
  ASSERT_EQ(products.size(), 1u);
  EXPECT_EQ(products[0].record.PDesc.substr(0, 10), "Unchanged ");
  EXPECT_DOUBLE_EQ(products[0].record.UPrice, 0);
}

}  // namespace
}  // namespace vt::catalog
