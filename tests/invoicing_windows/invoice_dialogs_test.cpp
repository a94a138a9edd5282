// The line item and payment dialogs and the payment picker as a user works
// them: what the fields show as they are left, what each closing button
// hands back, and what the picker leaves in the invoice's payments.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "customer_test_support.h"
#include "invoicing/invoice_model.h"
#include "invoicing/titemdef.h"
#include "invoicing/tpickpmt.h"
#include "invoicing/tpmtdef.h"
#include "ui/locale_format.h"

namespace vt::invoicing {
namespace {

using catalog::custtest::Click;
using catalog::custtest::ModalScript;
using catalog::custtest::TypeInto;

void PressTab() {
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

class InvoiceDialogsTest : public catalog::custtest::CustomerWindowTest {
 protected:
  // The user acts on a window once it has come up and taken the keyboard.
  template <class Window>
  static std::function<void(Window&)> whenActive(std::function<void(Window&)> action) {
    return [action](Window& w) {
      ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
      action(w);
    };
  }

  template <class Window>
  void use(const std::function<void()>& open, std::function<void(Window&)> action) {
    ModalScript script;
    script.on<Window>(whenActive(action));
    EXPECT_TRUE(script.run(open));
  }

  // Payment `i` of those below: paid on 1 March 2026 + i days.
  static data::PmtRow payment(int i, const std::string& amount) {
    return {ui::FormatShortDate(QDate(2026, 3, 1 + i)).toStdString(), amount};
  }
  // `count` payments of 100.00, 101.00, ...
  void givePayments(int count) {
    session.PmtLines.clear();
    for (int i = 0; i < count; ++i) {
      session.PmtLines.push_back(payment(i, ui::FormatAmount(100 + i, "%10.2f").toStdString()));
    }
    session.PmtCount = count - 1;
  }

  static ItemFields product(const char* unitPrice = "   12.50") {
    return {"BOLT", "Hex bolt", "", unitPrice, "     1.00", "     12.50", true, false};
  }
};

TEST_F(InvoiceDialogsTest, ItemTotalFollowsTheQuantityAndSaveHandsBackTheTexts) {
  // The total is the line total the invoice charges: 2.50 x 0.25 = 0.625
  // shows 0.63, and -0.0345 shows -0.03.
  struct Case {
    const char* unitPrice;
    const char* typed;
    const char* quantity;
    const char* total;
    bool negative;
  };
  for (const Case& c : {Case{"   12.50", "3", "     3.00", "     37.50", false},
                        Case{"    0.25", "2.5", "     2.50", "      0.63", false},
                        Case{"    1.15", "-0.03", "    -0.03", "     -0.03", true}}) {
    SCOPED_TRACE(c.typed);
    session.settings.ShipLine = "Shipping  ";
    TItemDef window(nullptr, session, ui);
    ItemFields fields = product(c.unitPrice);
    int result = 0;
    use<TItemDef>([&] { result = window.Edit(fields); },
                  [&](TItemDef& w) {
                    EXPECT_EQ(w.tax1CheckBox->text(), QString("Shipping"));
                    TypeInto(w.quantityEdit, c.typed);
                    PressTab();
                    EXPECT_EQ(w.quantityEdit->text(), QString(c.quantity));
                    EXPECT_EQ(w.totalEdit->text(), QString(c.total));
                    EXPECT_EQ(w.quantityEdit->showsNegative(), c.negative);
                    EXPECT_EQ(w.totalEdit->showsNegative(), c.negative);
                    QTest::keyClick(w.tax2CheckBox, Qt::Key_Space);
                    Click(w.saveButton);
                  });
    EXPECT_EQ(result, kSaveResult);
    EXPECT_EQ(fields.quantity, QString(c.quantity));
    EXPECT_EQ(fields.unitPrice, QString(c.unitPrice));
    EXPECT_EQ(fields.total, QString(c.total));
    EXPECT_TRUE(fields.tax1 && fields.tax2);
  }
}

TEST_F(InvoiceDialogsTest, ALineTooLargeForAnInvoiceIsRefusedAndTheDialogStays) {
  TItemDef window(nullptr, session, ui);
  ItemFields fields = product("99999.99");
  int result = 0;
  use<TItemDef>([&] { result = window.Edit(fields); },
                [&](TItemDef& w) {
                  TypeInto(w.quantityEdit, "999999.99");
                  PressTab();
                  Click(w.saveButton);
                  EXPECT_TRUE(w.isVisible());
                  Click(w.cancelButton);
                });
  EXPECT_EQ(result, kCancelResult);
  ASSERT_FALSE(dialogs.shown().empty());
  EXPECT_EQ(dialogs.shown().back().text, AmountTooLargeMessage("Total 99999989000.00"));
}

// Escape and the close box ask before a changed line is thrown away, as the
// editors do; No keeps the window open, Yes closes it as Cancel.
TEST_F(InvoiceDialogsTest, ClosingTheItemWindowWithoutAButtonAsksThenIsCancel) {
  const std::function<void(TItemDef&)> closings[] = {
      [](TItemDef& w) { QTest::keyClick(w.descriptionEdit, Qt::Key_Escape); },
      [](TItemDef& w) { w.close(); }};
  for (const auto& closing : closings) {
    dialogs.clear();
    dialogs.queueChoice(false);  // keep the changes
    dialogs.queueChoice(true);   // then discard them
    TItemDef window(nullptr, session, ui);
    window.ItemResult = kSaveResult;
    ItemFields fields = product();
    int result = 0;
    use<TItemDef>([&] { result = window.Edit(fields); },
                  [&](TItemDef& w) {
                    TypeInto(w.descriptionEdit, "Changed");
                    closing(w);
                    QCoreApplication::processEvents();
                    EXPECT_TRUE(w.isVisible());
                    EXPECT_EQ(w.descriptionEdit->text(), QString("Changed"));
                    closing(w);
                  });
    EXPECT_EQ(result, kCancelResult);
    EXPECT_EQ(window.ItemResult, kCancelResult);
    EXPECT_EQ(fields.description, QString("Hex bolt"));
    EXPECT_EQ(messages(), std::vector<std::string>(2, "Discard the changes to this line item?"));
  }
}

TEST_F(InvoiceDialogsTest, AClearedAmountIsZeroAndOneThatIsNoNumberAsksForAnAmount) {
  TItemDef window(nullptr, session, ui);
  ItemFields fields = product();
  use<TItemDef>([&] { window.Edit(fields); },
                [&](TItemDef& w) {
                  TypeInto(w.quantityEdit, "");
                  QTest::keyClick(w.quantityEdit, Qt::Key_Delete);
                  PressTab();
                  EXPECT_EQ(w.quantityEdit->text(), QString("     0.00"));
                  EXPECT_EQ(w.totalEdit->text(), QString("      0.00"));
                  TypeInto(w.unitPriceEdit, "--");
                  PressTab();
                  QCoreApplication::processEvents();
                  EXPECT_EQ(QApplication::focusWidget(), w.unitPriceEdit);
                  TypeInto(w.unitPriceEdit, "5");
                  Click(w.cancelButton);
                });
  EXPECT_EQ(messages(), std::vector<std::string>{"Please enter an amount such as 12.50"});
}

TEST_F(InvoiceDialogsTest, ItemWindowShowsAWholeDescriptionWithoutItsPadding) {
  const QString longest = "MAINTENANCE AGREEMENT, YEAR";  // the field's 27 characters
  TItemDef window(nullptr, session, ui);
  ItemFields fields = product();
  fields.description = "Copy paper, letter         ";  // as the table stores it
  fields.comment = QString(27, QLatin1Char(' '));
  use<TItemDef>([&] { window.Edit(fields); },
                [&](TItemDef& w) {
                  EXPECT_GE(w.width(), 523);
                  EXPECT_EQ(w.height(), 155);
                  const QFontMetrics metrics(w.descriptionEdit->font());
                  const int textMargins = 4;
                  EXPECT_GE(w.descriptionEdit->contentsRect().width() - textMargins,
                            metrics.horizontalAdvance(longest));
                  EXPECT_EQ(w.commentEdit->width(), w.descriptionEdit->width());
                  EXPECT_EQ(w.descriptionEdit->text(), QString("Copy paper, letter"));
                  QTest::keyClick(w.descriptionEdit, Qt::Key_End);
                  QTest::keyClicks(w.descriptionEdit, ", ream");
                  QTest::mouseClick(w.commentEdit, Qt::LeftButton);
                  QTest::keyClicks(w.commentEdit, "500 sheets");
                  Click(w.saveButton);
                });
  EXPECT_EQ(fields.description, QString("Copy paper, letter, ream"));
  EXPECT_EQ(fields.comment, QString("500 sheets"));
}

TEST_F(InvoiceDialogsTest, PaymentSaveHandsBackTheTextsAndRefusesAnInvalidDate) {
  const QString date = ui::FormatShortDate(QDate(2026, 3, 14));
  TPmtDef window(nullptr, ui);
  PaymentFields fields{date, "      0.00"};
  int result = 0;
  use<TPmtDef>([&] { result = window.Edit(fields, false); },
               [&](TPmtDef& w) {
                 EXPECT_FALSE(w.deleteButton->isEnabled());
                 TypeInto(w.amountEdit, "125.5");
                 PressTab();
                 Click(w.saveButton);
               });
  EXPECT_EQ(result, kSaveResult);
  EXPECT_EQ(fields.date, date);
  EXPECT_EQ(fields.amount, QString("    125.50"));

  use<TPmtDef>([&] { result = window.Edit(fields, true); },
               [&](TPmtDef& w) {
                 TypeInto(w.datePaidEdit, "13/45/26");
                 Click(w.saveButton);
                 QCoreApplication::processEvents();
                 EXPECT_TRUE(w.isVisible());
                 EXPECT_EQ(QApplication::focusWidget(), w.datePaidEdit);
                 QTest::keyClick(w.datePaidEdit, Qt::Key_Escape);
               });
  EXPECT_EQ(result, kCancelResult);
  EXPECT_EQ(messages(), std::vector<std::string>{"Invalid Date Entered"});
  EXPECT_EQ(fields.date, date);
}

TEST_F(InvoiceDialogsTest, PickerChangesTheChosenPaymentOnly) {
  struct Case {
    const char* name;
    int payments;
    std::function<void(TPickPmt&)> open;
    std::function<void(TPmtDef&)> answer;
    std::vector<data::PmtRow> expected;
    int count;
  };
  const Case cases[] = {
      {"delete the only payment",
       1,
       [](TPickPmt& p) { Click(p.selectButton); },
       [](TPmtDef& d) { Click(d.deleteButton); },
       {data::PmtRow{}},
       -1},
      {"change the second of two",
       2,
       [](TPickPmt& p) {
         const QPoint at = p.paymentsGrid->visualItemRect(p.paymentsGrid->item(1, 0)).center();
         QTest::mouseClick(p.paymentsGrid->viewport(), Qt::LeftButton, {}, at);
         QTest::mouseDClick(p.paymentsGrid->viewport(), Qt::LeftButton, {}, at);
       },
       [](TPmtDef& d) {
         TypeInto(d.amountEdit, "50");
         Click(d.saveButton);
       },
       {payment(0, "    100.00"), payment(1, "     50.00")},
       1},
      {"cancel on the first of two",
       2,
       [](TPickPmt& p) { QTest::keyClick(p.paymentsGrid, Qt::Key_Return); },
       [](TPmtDef& d) {
         EXPECT_TRUE(d.deleteButton->isEnabled());
         Click(d.cancelButton);
       },
       {payment(0, "    100.00"), payment(1, "    101.00")},
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    givePayments(c.payments);
    TPmtDef dialog(nullptr, ui);
    TPickPmt picker(nullptr, session, ui, dialog);
    ModalScript script;
    script.on<TPickPmt>(whenActive(c.open)).on<TPmtDef>(whenActive(c.answer));
    EXPECT_TRUE(script.run([&] { picker.Pick(); }));
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(session.PmtLines, c.expected);
    EXPECT_EQ(session.PmtCount, c.count);
  }
}

TEST_F(InvoiceDialogsTest, PickerGridWithTwelvePaymentsHasRoomForTheScrollBar) {
  int widths[2] = {0, 0};
  const int counts[2] = {10, 12};
  for (int i = 0; i < 2; ++i) {
    givePayments(counts[i]);
    TPmtDef dialog(nullptr, ui);
    TPickPmt picker(nullptr, session, ui, dialog);
    use<TPickPmt>([&] { picker.Pick(); },
                  [&](TPickPmt& p) {
                    EXPECT_EQ(p.paymentsGrid->rowCount(), counts[i]);
                    widths[i] = p.paymentsGrid->width();
                    Click(p.cancelButton);
                  });
  }
  EXPECT_EQ(widths[1] - widths[0], 16);
}

}  // namespace
}  // namespace vt::invoicing
