// The comments memo: several lines typed in the window come back the same,
// stored with CR LF line breaks and without trailing blanks, and the memo
// takes no more than a memo field holds.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTest>

#include "catalog/tcustomer.h"
#include "customer_test_support.h"
#include "data/records.h"

namespace vt::catalog {
namespace {

using custtest::Click;
using custtest::ModalScript;
using custtest::TypeInto;

class CustomerMemoTest : public custtest::CustomerWindowTest {
 protected:
  CustomerMemoTest() {
    addGroup(1, "Retail");
    record = addCustomer(4, "Baker", 1);
  }

  long record = 0;
  TCustomer window{nullptr, session, ui};
};

TEST_F(CustomerMemoTest, LinesTypedComeBackAfterSaving) {
  ModalScript typing;
  typing.on<TCustomer>([](TCustomer& w) {
    w.commentsMemo->setFocus();
    QTest::keyClicks(w.commentsMemo, "Calls before noon");
    QTest::keyClick(w.commentsMemo, Qt::Key_Return);
    QTest::keyClicks(w.commentsMemo, "Pays by cheque   ");
    EXPECT_EQ(w.commentsMemo->toPlainText(), QString("Calls before noon\nPays by cheque   "));
    Click(w.saveButton);
  });
  long current = record;
  ASSERT_TRUE(typing.run([&] { window.edit(current); }));
  EXPECT_EQ(storedCustomers()[0].record.comments, "Calls before noon\r\nPays by cheque");

  QString shown;
  ModalScript reopened;
  reopened.on<TCustomer>([&](TCustomer& w) {
    shown = w.commentsMemo->toPlainText();
    Click(w.cancelButton);
  });
  ASSERT_TRUE(reopened.run([&] { window.edit(current); }));
  EXPECT_EQ(shown, QString("Calls before noon\nPays by cheque"));
}

TEST_F(CustomerMemoTest, TheMemoStopsAtWhatAMemoHolds) {
  const int limit = static_cast<int>(data::kMaxMemoText);
  ModalScript script;
  script.on<TCustomer>([&](TCustomer& w) {
    w.commentsMemo->setPlainText(QString(limit - 3, QChar('a')));
    w.commentsMemo->moveCursor(QTextCursor::End);
    QTest::keyClick(w.commentsMemo, Qt::Key_Return);  // stored as two characters
    QTest::keyClicks(w.commentsMemo, "bcd");
    EXPECT_EQ(w.commentsMemo->toPlainText(), QString(limit - 3, QChar('a')) + "\nb");
    Click(w.saveButton);
  });
  long current = record;
  ASSERT_TRUE(script.run([&] { window.edit(current); }));
  const std::string stored = storedCustomers()[0].record.comments;
  EXPECT_EQ(stored.size(), data::kMaxMemoText);
  EXPECT_EQ(stored.substr(stored.size() - 3), "\r\nb");
}

}  // namespace
}  // namespace vt::catalog
