// Product IDs as the user types them into the product window: upper-cased
// when stored, never blank, and never the ID of another product whatever
// its case. A refused save writes nothing and leaves the window open.
#include <gtest/gtest.h>

#include "catalog/product_purchase_support.h"
#include "catalog/tproddef.h"

namespace vt::catalog {
namespace {

using namespace prodtest;

struct ProductIds : ::testing::Test {
  Workbench bench;
  TProdDef window{nullptr, bench.session, bench.ui};

  // Opens the window on `current` and runs `script` in it; CurProduct after.
  long Edit(long current, std::function<void()> script) {
    EXPECT_TRUE(WhileShown(
        window, [&] { window.edit(current); }, std::move(script)));
    return current;
  }
  QLineEdit* IdField() { return Control(window, "productIdEdit"); }
};

TEST_F(ProductIds, NewProductIdTypedInLowerCaseIsStoredUpperCased) {
  const long saved = Edit(0, [&] {
    EXPECT_EQ(QApplication::focusWidget(), IdField()) << "the ID has the focus on opening";
    QTest::keyClicks(IdField(), "wid-7a");
    TypeInto(Control(window, "descriptionEdit"), "Blue widget");
    Click(window, "saveButton");
    EXPECT_FALSE(window.isVisible());
  });
  const auto products = ReadProducts(bench.dir.path());
  ASSERT_EQ(products.size(), 1u);
  EXPECT_EQ(products[0].record.PrID, "WID-7A    ");
  EXPECT_EQ(products[0].record.PDesc.substr(0, 11), "Blue widget");
  EXPECT_EQ(saved, 1);
  EXPECT_TRUE(bench.notices().empty());
}

TEST_F(ProductIds, BlankIdIsRefusedAndNothingIsWritten) {
  Edit(0, [&] {
    QTest::keyClicks(IdField(), "   ");
    TypeInto(Control(window, "descriptionEdit"), "Nameless");
    Click(window, "saveButton");
    EXPECT_TRUE(window.isVisible()) << "the window stays open";
    Click(window, "cancelButton");
  });
  EXPECT_EQ(bench.notices(), std::vector<std::string>{"Blank Product ID not allowed"});
  EXPECT_TRUE(ReadProducts(bench.dir.path()).empty());
}

TEST_F(ProductIds, NewProductWithAnExistingIdInMixedCaseIsRefused) {
  AddProduct(bench.session, Product("ABC-1", "First"));
  long current = 0;
  EXPECT_TRUE(WhileShown(
      window, [&] { window.edit(current); },
      [&] {
        QTest::keyClicks(IdField(), "aBc-1");
        Click(window, "saveButton");
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(bench.notices(),
                  std::vector<std::string>{"Duplicate Product ID's are not allowed"});
        // Another ID that merely starts the same way is no duplicate.
        IdField()->clear();
        QTest::keyClicks(IdField(), "abc");
        Click(window, "saveButton");
        EXPECT_FALSE(window.isVisible());
      }));
  const auto products = ReadProducts(bench.dir.path());
  ASSERT_EQ(products.size(), 2u);
  EXPECT_EQ(products[1].record.PrID, "ABC       ");
  EXPECT_EQ(current, 2);
}

TEST_F(ProductIds, IdOfAnImportedLowerCaseProductCountsAsTaken) {
  AddProduct(bench.session, Product("gizmo", "Imported"));
  Edit(0, [&] {
    QTest::keyClicks(IdField(), "GIZMO");
    Click(window, "saveButton");
    Click(window, "cancelButton");
  });
  EXPECT_EQ(bench.notices(), std::vector<std::string>{"Duplicate Product ID's are not allowed"});
  EXPECT_EQ(ReadProducts(bench.dir.path()).size(), 1u);
}

TEST_F(ProductIds, ChangingAnIdToAnotherProductsIdIsRefused) {
  AddProduct(bench.session, Product("NUT", "Nut"));
  const long bolt = AddProduct(bench.session, Product("BOLT", "Bolt"));
  Edit(bolt, [&] {
    EXPECT_EQ(IdField()->text(), "BOLT");
    IdField()->selectAll();
    QTest::keyClicks(IdField(), "nut");
    TypeInto(Control(window, "descriptionEdit"), "Renamed");
    Click(window, "saveButton");
    EXPECT_TRUE(window.isVisible());
    Click(window, "cancelButton");
  });
  EXPECT_EQ(bench.notices(), std::vector<std::string>{"Duplicate Product ID's are not allowed"});
  const auto products = ReadProducts(bench.dir.path());
  ASSERT_EQ(products.size(), 2u);
  EXPECT_EQ(products[1].record.PrID, "BOLT      ");
  EXPECT_EQ(products[1].record.PDesc.substr(0, 5), "Bolt ");
}

TEST_F(ProductIds, KeepingTheIdWhileChangingOtherFieldsSaves) {
  AddProduct(bench.session, Product("nut", "Lower-case import"));
  const long current = Edit(1, [&] {
    TypeInto(Control(window, "descriptionEdit"), "Hex nut");
    Click(window, "saveButton");
    EXPECT_FALSE(window.isVisible());
  });
  EXPECT_TRUE(bench.notices().empty());
  EXPECT_EQ(current, 1);
  const auto products = ReadProducts(bench.dir.path());
  ASSERT_EQ(products.size(), 1u);
  EXPECT_EQ(products[0].record.PrID, "NUT       ");
  EXPECT_EQ(products[0].record.PDesc.substr(0, 8), "Hex nut ");
}

TEST_F(ProductIds, ChangedIdIsStoredInTheSameRecord) {
  AddProduct(bench.session, Product("OLD", "Item"));
  Edit(1, [&] {
    IdField()->selectAll();
    QTest::keyClicks(IdField(), "new-id");
    Click(window, "saveButton");
  });
  const auto products = ReadProducts(bench.dir.path());
  ASSERT_EQ(products.size(), 1u);
  EXPECT_EQ(products[0].record.PrID, "NEW-ID    ");
}

}  // namespace
}  // namespace vt::catalog
