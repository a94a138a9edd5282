// A new customer's number: the lowest gap in the numbers on file, deleted
// customers included, shown as six places from the start and given at the
// first save.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "catalog/tcustomer.h"
#include "catalog/tpickgroup.h"
#include "customer_test_support.h"

namespace vt::catalog {
namespace {

using custtest::Click;
using custtest::ModalScript;
using custtest::SelectListItem;
using custtest::TypeInto;

class CustomerNumberingTest : public custtest::CustomerWindowTest {
 protected:
  CustomerNumberingTest() { addGroup(1, "Retail"); }

  // The user presses New, types a last name, picks the group and saves;
  // the number the window showed before saving.
  QString saveNew(const std::string& last) {
    QString shown;
    ModalScript script;
    script
        .on<TCustomer>([&](TCustomer& w) {
          shown = w.customerNumberEdit->text();
          TypeInto(w.lastNameEdit, QString::fromStdString(last));
          Click(w.groupButton);
        })
        .on<TPickGroup>([](TPickGroup& p) { SelectListItem(p, "Retail"); })
        .on<TCustomer>([](TCustomer& w) { Click(w.saveButton); });
    long current = 0;
    EXPECT_TRUE(script.run([&] { window.edit(current); }));
    EXPECT_EQ(current, session.CurCustomer);
    return shown;
  }

  int storedNumberOf(const std::string& last) const {
    for (const auto& c : storedCustomers()) {
      if (c.record.last.rfind(last, 0) == 0) return c.record.cuno;
    }
    ADD_FAILURE() << "no customer " << last;
    return -1;
  }

  TCustomer window{nullptr, session, ui};
};

TEST_F(CustomerNumberingTest, FirstCustomerOfAnEmptyTableIsNumberOne) {
  EXPECT_EQ(saveNew("Adams"), QString("     1"));
  const auto stored = storedCustomers();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].record.cuno, 1);
  EXPECT_EQ(stored[0].record.ngroup, 1);
  EXPECT_EQ(session.CurCustomer, stored[0].recNo);
}

TEST_F(CustomerNumberingTest, NewNumbersFillTheGapsBeforeGoingPastTheHighest) {
  addCustomer(1, "One", 1);
  addCustomer(5, "Five", 1);
  addCustomer(2, "Two", 1);
  EXPECT_EQ(saveNew("Third"), QString("     3"));
  EXPECT_EQ(saveNew("Fourth"), QString("     4"));
  EXPECT_EQ(saveNew("Sixth"), QString("     6"));
  EXPECT_EQ(storedNumberOf("Third"), 3);
  EXPECT_EQ(storedNumberOf("Fourth"), 4);
  EXPECT_EQ(storedNumberOf("Sixth"), 6);
}

TEST_F(CustomerNumberingTest, AGapBelowTheLowestNumberIsFilledFirst) {
  addCustomer(2, "Two", 1);
  addCustomer(3, "Three", 1);
  saveNew("Newcomer");
  EXPECT_EQ(storedNumberOf("Newcomer"), 1);
}

TEST_F(CustomerNumberingTest, DeletedCustomersKeepTheirNumbersTaken) {
  addCustomer(1, "Gone", 1, true);
  addCustomer(3, "Three", 1);
  saveNew("Newcomer");
  EXPECT_EQ(storedNumberOf("Newcomer"), 2);
}

TEST_F(CustomerNumberingTest, AnExistingCustomerKeepsItsNumberAndShowsItInSixPlaces) {
  const long record = addCustomer(42, "Baker", 1);
  addCustomer(1, "One", 1);
  QString shown;
  ModalScript script;
  script.on<TCustomer>([&](TCustomer& w) {
    shown = w.customerNumberEdit->text();
    EXPECT_FALSE(w.customerNumberEdit->isEnabled());
    TypeInto(w.lastNameEdit, "Baxter");
    Click(w.saveButton);
  });
  long current = record;
  ASSERT_TRUE(script.run([&] { window.edit(current); }));
  EXPECT_EQ(shown, QString("    42"));
  EXPECT_EQ(current, record);
  EXPECT_EQ(storedNumberOf("Baxter"), 42);
  EXPECT_EQ(storedCustomers().size(), 2u);
}

}  // namespace
}  // namespace vt::catalog
