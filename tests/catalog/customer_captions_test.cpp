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
      w.reject();
    });
    long current = 0;
    EXPECT_TRUE(script.run([&] { window.edit(current); }));
  }

  TCustomer window{nullptr, session, ui};
};

TEST_F(CustomerCaptionsTest, ByNameTheFirstLineIsAnAddress) {
  session.settings.ByCust = true;
  openNew([](TCustomer& w) {
    EXPECT_EQ(w.Label5->text(), QString("Address"));
    EXPECT_FALSE(w.Label6->isVisible());
    EXPECT_EQ(w.Label5->buddy(), w.Edit5);
  });
}

TEST_F(CustomerCaptionsTest, ByCompanyTheFirstLineIsTheCompanyAndTheNextTheAddress) {
  session.settings.ByCust = false;
  openNew([](TCustomer& w) {
    EXPECT_EQ(w.Label5->text(), QString("Company"));
    EXPECT_EQ(w.Edit5->accessibleName(), QString("Company"));
    EXPECT_TRUE(w.Label6->isVisible());
    EXPECT_EQ(w.Label6->text(), QString("Address"));
  });
  // The same window shown again follows a changed preference.
  session.settings.ByCust = true;
  openNew([](TCustomer& w) {
    EXPECT_EQ(w.Label5->text(), QString("Address"));
    EXPECT_FALSE(w.Label6->isVisible());
  });
}

TEST_F(CustomerCaptionsTest, EnterMovesOnInOneLineFieldsAndBreaksLinesInTheMemo) {
  openNew([](TCustomer& w) {
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(QApplication::focusWidget(), w.Edit2);
    QTest::keyClicks(w.Edit2, "Dr");
    QTest::keyClick(w.Edit2, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w.Edit3);
    EXPECT_EQ(w.Edit2->text(), QString("Dr"));
    w.Edit13->setFocus();
    QTest::keyClick(w.Edit13, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w.BtnGroup);
    w.Memo1->setFocus();
    QTest::keyClicks(w.Memo1, "a");
    QTest::keyClick(w.Memo1, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w.Memo1);
    EXPECT_EQ(w.Memo1->toPlainText(), QString("a\n"));
  });
}

TEST_F(CustomerCaptionsTest, NumberAndGroupAreShownButNotTyped) {
  const long record = addCustomer(12, "Baker", 1);
  ModalScript script;
  script.on<TCustomer>([](TCustomer& w) {
    EXPECT_EQ(w.Edit1->text(), QString("    12"));
    EXPECT_FALSE(w.Edit1->isEnabled());
    EXPECT_TRUE(w.Edit14->isReadOnly());
    EXPECT_EQ(w.Edit14->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(w.Edit14->text().trimmed(), QString("Retail"));
    EXPECT_EQ(w.windowTitle(), QString("Customer"));
    Click(w.BtnCancel);
  });
  long current = record;
  ASSERT_TRUE(script.run([&] { window.edit(current); }));
}

TEST_F(CustomerCaptionsTest, HelpOpensTheHelpWindowAndLeavesTheCustomerOpen) {
  openNew([this](TCustomer& w) {
    Click(w.BtnHelp);
    ASSERT_NE(help.window(), nullptr);
    EXPECT_TRUE(help.window()->isVisible());
    EXPECT_TRUE(w.isVisible());
    help.window()->close();
  });
}

}  // namespace
}  // namespace vt::catalog
