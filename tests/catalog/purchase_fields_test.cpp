// The purchase window's date, quantity and cost: a new purchase dated today,
// the date checked when it is left and on Save, two-digit years stored in
// the century window, and the number fields with their masks and formats.
#include <gtest/gtest.h>

#include "catalog/product_purchase_support.h"
#include "catalog/tpurdef.h"
#include "ui/amount_edit.h"
#include "ui/date_edit.h"
#include "ui/window_test_support.h"

namespace vt::catalog {
namespace {

using namespace prodtest;
using ui::AmountEdit;
using ui::DateEdit;
using ui::testing::LocaleScope;

struct PurchaseFields : ::testing::Test {
  LocaleScope us{"en_US"};
  Workbench bench;
  ScriptedPicker picker;
  ScriptedProductEditor productEditor{bench.session};
  TPurDef window{nullptr, bench.session, bench.ui, &picker, &productEditor};

  PurchaseFields() { AddProduct(bench.session, Product("BOLT", "Bolt")); }

  long Edit(long current, std::function<void()> script) {
    EXPECT_TRUE(WhileShown(
        window, [&] { window.edit(current); }, std::move(script)));
    return current;
  }
  DateEdit* DateField() { return Control<DateEdit>(window, "dateAcquiredEdit"); }
  AmountEdit* Quantity() { return Control<AmountEdit>(window, "quantityEdit"); }
  AmountEdit* Cost() { return Control<AmountEdit>(window, "totalCostEdit"); }
  void ChooseBolt() {
    picker.answers.push_back(1);
    Click(window, "productButton");
  }
  // Saves a new purchase of the bolt dated as typed; the stored date.
  base::DateTime SaveDated(const char* typed) {
    Edit(0, [&] {
      ChooseBolt();
      TypeInto(DateField(), typed);
      Click(window, "saveButton");
      EXPECT_FALSE(window.isVisible()) << typed;
    });
    const auto purchases = ReadPurchases(bench.dir.path());
    return purchases.empty() ? base::DateTime{} : purchases.back().record.PURDate;
  }
};

TEST_F(PurchaseFields, NewPurchaseOpensDatedTodayWithNothingBought) {
  Edit(0, [&] {
    EXPECT_EQ(DateField()->date(), QDate(2026, 3, 14));
    EXPECT_EQ(Quantity()->editMask(), "!#######.99;1;_");
    EXPECT_EQ(Cost()->editMask(), "!#########.99;1;_");
    EXPECT_EQ(Quantity()->text(), "      0.00");
    EXPECT_EQ(Cost()->text(), "        0.00");
    EXPECT_EQ(Control(window, "productIdEdit")->text(), "");
    EXPECT_FALSE(Control<QWidget>(window, "deleteButton")->isEnabled());
  });
}

TEST_F(PurchaseFields, QuantityAndCostAreTypedAndStored) {
  Edit(0, [&] {
    ChooseBolt();
    TypeInto(Quantity(), "12.");
    EXPECT_EQ(Quantity()->text(), "     12.00");
    TypeInto(Cost(), "-1234");
    PressTab();
    EXPECT_EQ(Cost()->text(), "    -1234.00") << "reformatted on leaving";
    EXPECT_TRUE(Cost()->showsNegative());
    Click(window, "saveButton");
  });
  const auto purchases = ReadPurchases(bench.dir.path());
  ASSERT_EQ(purchases.size(), 1u);
  EXPECT_DOUBLE_EQ(purchases[0].record.PURQty, 12);
  EXPECT_DOUBLE_EQ(purchases[0].record.PURCost, -1234);
  EXPECT_EQ(purchases[0].record.PURDate, base::MakeDate(2026, 3, 14));
}

TEST_F(PurchaseFields, InvalidDateIsRefusedWhenTheFieldIsLeft) {
  Edit(0, [&] {
    TypeInto(DateField(), "13/45/26");
    PressTab();
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), DateField());
  });
  EXPECT_EQ(bench.notices(), std::vector<std::string>{"Invalid Date Entered"});
}

TEST_F(PurchaseFields, InvalidDateIsRefusedOnSaveAndNothingIsWritten) {
  Edit(0, [&] {
    ChooseBolt();
    TypeInto(DateField(), "2/30/26");
    Click(window, "saveButton");
    Settle();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), DateField());
  });
  EXPECT_EQ(bench.notices(), std::vector<std::string>{"Invalid Date Entered"});
  EXPECT_TRUE(ReadPurchases(bench.dir.path()).empty());
  EXPECT_FALSE(ReadProducts(bench.dir.path())[0].record.lInven);
}

TEST_F(PurchaseFields, CostThatIsNoNumberIsRefusedOnSave) {
  Edit(0, [&] {
    ChooseBolt();
    TypeInto(Cost(), "5-5");
    Click(window, "saveButton");
    Settle();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), Cost());
  });
  EXPECT_EQ(bench.notices(), std::vector<std::string>{"Please enter an amount such as 12.50"});
  EXPECT_TRUE(ReadPurchases(bench.dir.path()).empty());
  EXPECT_FALSE(ReadProducts(bench.dir.path())[0].record.lInven);
}

TEST_F(PurchaseFields, TwoDigitYearsAreStoredInTheCenturyWindow) {
  // Today is in 2026: stored dates lie in 1986 to 2085.
  EXPECT_EQ(SaveDated("061590"), base::MakeDate(1990, 6, 15));
  EXPECT_EQ(SaveDated("010185"), base::MakeDate(2085, 1, 1));
  EXPECT_EQ(SaveDated("123186"), base::MakeDate(1986, 12, 31));
  EXPECT_EQ(SaveDated("070426"), base::MakeDate(2026, 7, 4));
}

TEST_F(PurchaseFields, GermanDatesAndSeparator) {
  LocaleScope german("de_DE");
  Edit(0, [&] {
    EXPECT_EQ(DateField()->text(), "14.03.26");
    EXPECT_EQ(Quantity()->editMask(), "!#######,99;1;_");
    ChooseBolt();
    TypeInto(DateField(), "1.2.99");
    PressTab();
    EXPECT_EQ(DateField()->text(), "01.02.99");
    TypeInto(Quantity(), "2,5");
    Click(window, "saveButton");
  });
  const auto purchases = ReadPurchases(bench.dir.path());
  ASSERT_EQ(purchases.size(), 1u);
  EXPECT_EQ(purchases[0].record.PURDate, base::MakeDate(1999, 2, 1));
  EXPECT_DOUBLE_EQ(purchases[0].record.PURQty, 2.5);
}

TEST_F(PurchaseFields, OpeningShowsTheStoredPurchase) {
  data::PurchaseRecord stored;
  stored.PURProd = "BOLT";
  stored.PURDate = base::MakeDate(2024, 12, 31);
  stored.PURQty = 3.5;
  stored.PURCost = 1999.99;
  AddPurchase(bench.session, stored);
  Edit(1, [&] {
    EXPECT_EQ(Control(window, "productIdEdit")->text().trimmed(), "BOLT");
    EXPECT_EQ(DateField()->text(), "12/31/24");
    EXPECT_EQ(Quantity()->text(), "      3.50");
    EXPECT_EQ(Cost()->text(), "     1999.99");
  });
}

}  // namespace
}  // namespace vt::catalog
