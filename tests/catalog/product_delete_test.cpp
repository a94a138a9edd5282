// Deleting a product: marked at once without a question and packed later;
// saving a product that is marked deleted leaves the mark. A product record
// that is not there is reported instead of being shown blank.
#include <gtest/gtest.h>

#include "catalog/product_purchase_support.h"
#include "catalog/tproddef.h"

namespace vt::catalog {
namespace {

using namespace prodtest;

struct ProductDelete : ::testing::Test {
  Workbench bench;
  TProdDef window{nullptr, bench.session, bench.ui};

  long Edit(long current, std::function<void()> script) {
    EXPECT_TRUE(WhileShown(
        window, [&] { window.edit(current); }, std::move(script)));
    return current;
  }
};

TEST_F(ProductDelete, DeleteMarksTheProductAndAsksNothing) {
  AddProduct(bench.session, Product("A", "First"));
  AddProduct(bench.session, Product("B", "Second"));
  const long current = Edit(2, [&] {
    Click(window, "deleteButton");
    EXPECT_FALSE(window.isVisible());
  });
  EXPECT_EQ(current, 2);
  EXPECT_TRUE(bench.session.NeedsPack);
  EXPECT_TRUE(bench.dialogs.shown().empty());
  const auto products = ReadProducts(bench.dir.path());
  ASSERT_EQ(products.size(), 2u);
  EXPECT_FALSE(products[0].deleted);
  EXPECT_TRUE(products[1].deleted);
}

TEST_F(ProductDelete, NewProductCannotBeDeleted) {
  const long current = Edit(0, [&] {
    EXPECT_FALSE(Control<QWidget>(window, "deleteButton")->isEnabled());
    Click(window, "cancelButton");
  });
  EXPECT_EQ(current, -1) << "a new product not saved";
  EXPECT_FALSE(bench.session.NeedsPack);
}

TEST_F(ProductDelete, SavingADeletedProductKeepsItDeleted) {
  AddProduct(bench.session, Product("GONE", "Old"));
  Edit(1, [&] { Click(window, "deleteButton"); });
  Edit(1, [&] {
    TypeInto(Control(window, "descriptionEdit"), "Edited after deletion");
    Click(window, "saveButton");
    EXPECT_FALSE(window.isVisible());
  });
  const auto products = ReadProducts(bench.dir.path());
  ASSERT_EQ(products.size(), 1u);
  EXPECT_TRUE(products[0].deleted);
  EXPECT_EQ(products[0].record.PDesc.substr(0, 21), "Edited after deletion");
}

TEST_F(ProductDelete, RecordThatIsNotThereIsReportedAndTheWindowStaysShut) {
  AddProduct(bench.session, Product("ONLY", "One"));
  long current = 5;
  EXPECT_FALSE(WhileShown(
      window, [&] { window.edit(current); }, [] {}));
  EXPECT_EQ(current, 5);
  ASSERT_EQ(bench.notices().size(), 1u);
  EXPECT_EQ(bench.notices()[0].rfind("Unable to read the product: ", 0), 0u) << bench.notices()[0];
  EXPECT_EQ(ReadProducts(bench.dir.path()).size(), 1u);
}

}  // namespace
}  // namespace vt::catalog
