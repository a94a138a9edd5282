// How the customer window greets the user: the first address line captioned
// by the customer order, the focus in the title, Enter moving on in one-line
// fields but not in the memo, the number and group shown read-only.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "catalog/tcustomer.h"
#include "customer_test_support.h"

namespace vt::catalog {
namespace {

using custtest::Click;
using custtest::ModalScript;

class CustomerCaptionsTest : public custtest::CustomerWindowTest {
 protected:
  CustomerCaptionsTest() { addGroup(1, "Retail"); }

  // Opens the window for a new customer, runs `look` on it and cancels.
  void openNew(const std::function<void(TCustomer&)>& look) {
    ModalScript script;
    script.on<TCustomer>([&](TCustomer& w) {
      look(w);
      Click(w.cancelButton);
    });
    long current = 0;
    EXPECT_TRUE(script.run([&] { window.edit(current); }));
  }

  TCustomer window{nullptr, session, ui};
};

TEST_F(CustomerCaptionsTest, ByNameTheFirstLineIsAnAddress) {
  session.settings.ByCust = true;
  openNew([](TCustomer& w) {
    EXPECT_EQ(w.address1Label->text(), QString("Address"));
    EXPECT_FALSE(w.address2Label->isVisible());
    EXPECT_EQ(w.address1Label->buddy(), w.address1Edit);
  });
}

TEST_F(CustomerCaptionsTest, ByCompanyTheFirstLineIsTheCompanyAndTheNextTheAddress) {
  session.settings.ByCust = false;
  openNew([](TCustomer& w) {
    EXPECT_EQ(w.address1Label->text(), QString("Company"));
    EXPECT_EQ(w.address1Edit->accessibleName(), QString("Company"));
    EXPECT_TRUE(w.address2Label->isVisible());
    EXPECT_EQ(w.address2Label->text(), QString("Address"));
  });
  // The same window shown again follows a changed preference.
  session.settings.ByCust = true;
  openNew([](TCustomer& w) {
    EXPECT_EQ(w.address1Label->text(), QString("Address"));
    EXPECT_FALSE(w.address2Label->isVisible());
  });
}

TEST_F(CustomerCaptionsTest, EnterMovesOnInOneLineFieldsAndBreaksLinesInTheMemo) {
  openNew([](TCustomer& w) {
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(QApplication::focusWidget(), w.titleEdit);
    QTest::keyClicks(w.titleEdit, "Dr");
    QTest::keyClick(w.titleEdit, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w.firstNameEdit);
    EXPECT_EQ(w.titleEdit->text(), QString("Dr"));
    w.noteEdit->setFocus();
    QTest::keyClick(w.noteEdit, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w.groupButton);
    w.commentsMemo->setFocus();
    QTest::keyClicks(w.commentsMemo, "a");
    QTest::keyClick(w.commentsMemo, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w.commentsMemo);
    EXPECT_EQ(w.commentsMemo->toPlainText(), QString("a\n"));
  });
}

TEST_F(CustomerCaptionsTest, NumberAndGroupAreShownButNotTyped) {
  const long record = addCustomer(12, "Baker", 1);
  ModalScript script;
  script.on<TCustomer>([](TCustomer& w) {
    EXPECT_EQ(w.customerNumberEdit->text(), QString("    12"));
    EXPECT_FALSE(w.customerNumberEdit->isEnabled());
    EXPECT_TRUE(w.groupNameEdit->isReadOnly());
    EXPECT_EQ(w.groupNameEdit->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(w.groupNameEdit->text().trimmed(), QString("Retail"));
    EXPECT_EQ(w.windowTitle(), QString("Customer"));
    Click(w.cancelButton);
  });
  long current = record;
  ASSERT_TRUE(script.run([&] { window.edit(current); }));
}

TEST_F(CustomerCaptionsTest, HelpOpensTheHelpWindowAndLeavesTheCustomerOpen) {
  openNew([this](TCustomer& w) {
    Click(w.helpButton);
    ASSERT_NE(help.window(), nullptr);
    EXPECT_TRUE(help.window()->isVisible());
    EXPECT_TRUE(w.isVisible());
    help.window()->close();
  });
}

}  // namespace
}  // namespace vt::catalog
