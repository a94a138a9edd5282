// The purchase window's product: chosen through the product selection cycle
// with the Product button, required for saving, stored upper-cased, and
// marked as an inventory item when the purchase is saved (not on Cancel).
#include <gtest/gtest.h>

#include "catalog/product_purchase_support.h"
#include "catalog/tpurdef.h"

namespace vt::catalog {
namespace {

using namespace prodtest;

struct PurchaseProduct : ::testing::Test {
  Workbench bench;
  ScriptedPicker picker;
  ScriptedProductEditor productEditor{bench.session};
  TPurDef window{nullptr, bench.session, bench.ui, &picker, &productEditor};

  long Edit(long current, std::function<void()> script) {
    EXPECT_TRUE(WhileShown(
        window, [&] { window.edit(current); }, std::move(script)));
    return current;
  }
  QLineEdit* ProductField() { return Control(window, "productIdEdit"); }
  void ChooseProduct(long answer) {
    picker.answers.push_back(answer);
    Click(window, "productButton");
  }
};

data::ProductRecord Stocked(const std::string& id, double onHand) {
  data::ProductRecord product = Product(id, "Stocked " + id);
  product.ONHAND = onHand;
  product.UPrice = 2.5;
  return product;
}

TEST_F(PurchaseProduct, SavingWithoutAProductIsRefused) {
  const long current = Edit(0, [&] {
    TypeInto(Control(window, "quantityEdit"), "4.");
    Click(window, "saveButton");
    EXPECT_TRUE(window.isVisible()) << "the window stays open";
    Click(window, "cancelButton");
  });
  EXPECT_EQ(bench.notices(), std::vector<std::string>{"Product Selection Required."});
  EXPECT_TRUE(ReadPurchases(bench.dir.path()).empty());
  EXPECT_EQ(current, 0) << "a new purchase not saved";
}

TEST_F(PurchaseProduct, ChosenProductBecomesAnInventoryItemWhenThePurchaseIsSaved) {
  AddProduct(bench.session, Stocked("BOLT", 5));
  AddProduct(bench.session, Stocked("ANCHOR", 9));
  const long current = Edit(0, [&] {
    EXPECT_EQ(QApplication::focusWidget(), Control<QWidget>(window, "productButton"));
    ChooseProduct(1);
    EXPECT_EQ(ProductField()->text().trimmed(), "BOLT");
    TypeInto(Control(window, "quantityEdit"), "10.");
    TypeInto(Control(window, "totalCostEdit"), "25.");
    Click(window, "saveButton");
    EXPECT_FALSE(window.isVisible());
  });
  EXPECT_EQ(picker.startedAt, std::vector<long>{2}) << "the picker opens on the first product";
  EXPECT_EQ(picker.newAllowed, std::vector<bool>{true});
  EXPECT_EQ(current, 1);
  const auto purchases = ReadPurchases(bench.dir.path());
  ASSERT_EQ(purchases.size(), 1u);
  EXPECT_EQ(purchases[0].record.PURProd, "BOLT      ");
  EXPECT_DOUBLE_EQ(purchases[0].record.PURQty, 10);
  EXPECT_DOUBLE_EQ(purchases[0].record.PURCost, 25);
  EXPECT_EQ(purchases[0].record.PURNo, 0);
  const auto products = ReadProducts(bench.dir.path());
  ASSERT_EQ(products.size(), 2u);
  EXPECT_TRUE(products[0].record.lInven);
  EXPECT_DOUBLE_EQ(products[0].record.ONHAND, 5) << "the stock field is not touched";
  EXPECT_DOUBLE_EQ(products[0].record.UPrice, 2.5);
  EXPECT_FALSE(products[1].record.lInven) << "only the chosen product";
}

TEST_F(PurchaseProduct, CancellingThePurchaseLeavesTheChosenProductAlone) {
  AddProduct(bench.session, Stocked("BOLT", 5));
  Edit(0, [&] {
    ChooseProduct(1);
    TypeInto(Control(window, "quantityEdit"), "3.");
    Click(window, "cancelButton");
  });
  EXPECT_TRUE(ReadPurchases(bench.dir.path()).empty());
  EXPECT_FALSE(ReadProducts(bench.dir.path())[0].record.lInven);
}

TEST_F(PurchaseProduct, ProductMadeWithNewInThePickerIsChosen) {
  productEditor.ids.push_back("FRESH");
  Edit(0, [&] {
    ChooseProduct(0);
    EXPECT_EQ(ProductField()->text().trimmed(), "FRESH");
    Click(window, "saveButton");
  });
  EXPECT_EQ(picker.startedAt, std::vector<long>{0}) << "no product to start on";
  EXPECT_EQ(productEditor.shown, 1);
  const auto products = ReadProducts(bench.dir.path());
  ASSERT_EQ(products.size(), 1u);
  EXPECT_TRUE(products[0].record.lInven);
  EXPECT_EQ(ReadPurchases(bench.dir.path())[0].record.PURProd, "FRESH     ");
}

TEST_F(PurchaseProduct, CancelledPickerLeavesTheWindowAsItWas) {
  AddProduct(bench.session, Stocked("BOLT", 5));
  data::PurchaseRecord earlier;
  earlier.PURProd = "BOLT";
  earlier.PURDate = base::MakeDate(2025, 11, 2);
  earlier.PURQty = 1;
  earlier.PURNo = 77;
  AddPurchase(bench.session, earlier);
  Edit(1, [&] {
    EXPECT_EQ(ProductField()->text().trimmed(), "BOLT");
    ChooseProduct(-1);
    EXPECT_EQ(ProductField()->text().trimmed(), "BOLT");
    TypeInto(Control(window, "quantityEdit"), "2.");
    Click(window, "saveButton");
  });
  const auto purchases = ReadPurchases(bench.dir.path());
  ASSERT_EQ(purchases.size(), 1u);
  EXPECT_DOUBLE_EQ(purchases[0].record.PURQty, 2);
  EXPECT_EQ(purchases[0].record.PURNo, 77) << "carried unchanged";
  EXPECT_FALSE(ReadProducts(bench.dir.path())[0].record.lInven)
      << "editing without the Product button leaves the product untouched";
}

TEST_F(PurchaseProduct, LowerCaseProductIdIsStoredUpperCased) {
  AddProduct(bench.session, Stocked("gizmo", 0));
  Edit(0, [&] {
    ChooseProduct(1);
    Click(window, "saveButton");
  });
  EXPECT_EQ(ReadPurchases(bench.dir.path())[0].record.PURProd, "GIZMO     ");
}

TEST_F(PurchaseProduct, DeleteMarksThePurchaseOnly) {
  AddProduct(bench.session, Stocked("BOLT", 5));
  data::PurchaseRecord earlier;
  earlier.PURProd = "BOLT";
  earlier.PURDate = base::MakeDate(2025, 11, 2);
  AddPurchase(bench.session, earlier);
  const long current = Edit(1, [&] {
    EXPECT_TRUE(Control<QWidget>(window, "deleteButton")->isEnabled());
    Click(window, "deleteButton");
  });
  EXPECT_EQ(current, 1);
  EXPECT_TRUE(bench.session.NeedsPack);
  EXPECT_TRUE(bench.dialogs.shown().empty()) << "no question asked";
  EXPECT_TRUE(ReadPurchases(bench.dir.path())[0].deleted);
  EXPECT_FALSE(ReadProducts(bench.dir.path())[0].deleted);
}

}  // namespace
}  // namespace vt::catalog
