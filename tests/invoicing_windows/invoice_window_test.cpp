// The invoice window as a user works with it, from the Invoices page's
// cycle: a new invoice with a customer, two items and a payment saved, then
// opened again from the invoice picker, changed and saved.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "customer_test_support.h"
#include "invoice_test_support.h"
#include "invoicing/invoice_arithmetic.h"
#include "invoicing/tinvoice.h"
#include "invoicing/titemdef.h"
#include "invoicing/tpickinv.h"
#include "invoicing/tpmtdef.h"
#include "ui/amount_edit.h"
#include "ui/locale_format.h"

namespace vt::invoicing {
namespace {

using catalog::custtest::Click;
using catalog::custtest::ModalScript;
using catalog::custtest::TypeInto;
using data::testing::ScriptedEditor;
using data::testing::ScriptedPicker;
using invoicing::testing::itemRecords;
using invoicing::testing::paymentRecords;
using invoicing::testing::records;

class InvoiceWindowTest : public data::testing::AccessTest {
 protected:
  void SetUp() override {
    AccessTest::SetUp();
    // Dates and amounts in the views as the program shows them.
    data::SessionOptions options;
    options.now = [] { return data::testing::kTestNow; };
    options.viewDate = [](const base::DateTime& d) {
      return ui::FormatShortDate(QDate(d.year, d.month, d.day)).toStdString();
    };
    session = std::make_unique<data::DataSession>(dir.path(), dialogs, exit, options);
    data::DataSession& s = *session;
    for (bool ok : {s.OpenCustomers(), s.OpenGroups(), s.OpenInvoices(), s.OpenItems(),
                    s.OpenPayments(), s.OpenProducts()}) {
      ASSERT_TRUE(ok);
    }
    data::CustomerRecord customer;
    customer.cuno = 7;
    customer.last = "Baker";
    customer.note = "Net 30";
    data::testing::appendCustomer(s, customer);
    data::ProductRecord bolt;
    bolt.PrID = "BOLT";
    bolt.PDesc = "Hex bolt";
    bolt.UPrice = 12.50;
    bolt.LTax1 = true;
    data::testing::appendProduct(s, bolt);
    data::ProductRecord nut;
    nut.PrID = "NUT";
    nut.PDesc = "Nut";
    nut.UPrice = 0.10;
    data::testing::appendProduct(s, nut);
    s.settings.TaxRate1 = 10;
    s.settings.TaxRate2 = 5;
    s.settings.ShipTax = invoicing::kTaxOnTaxWhenTaxed;
    s.settings.TaxRound = invoicing::kRoundNormal;
    window = std::make_unique<TInvoice>(nullptr, s, ui);
    window->setCatalogWindows(customers, customerEditor, products, productEditor);
    picker = std::make_unique<TPickInv>(nullptr, s, ui);
  }

  static QString shown(const ui::AmountEdit* field) { return field->text().trimmed(); }
  // The texts of the message boxes and questions shown so far.
  std::vector<std::string> messages() const {
    std::vector<std::string> texts;
    for (const auto& box : dialogs.shown()) {
      if (box.kind != base::DialogKind::Input) texts.push_back(box.text);
    }
    return texts;
  }

  ui::PrinterState printers;
  ui::HelpViewer help{nullptr};
  ui::UiContext ui{dialogs, printers, help};
  ScriptedPicker customers, products;
  ScriptedEditor customerEditor, productEditor;
  std::unique_ptr<TInvoice> window;
  std::unique_ptr<TPickInv> picker;
};

TEST_F(InvoiceWindowTest, NewInvoiceSavedThenReopenedChangedAndSavedAgain) {
  customers.queue(1);
  products.queue(1);           // BOLT, three of them
  products.queue(2);           // NUT
  dialogs.queueText("1001");   // the first invoice's number
  dialogs.queueChoice(false);  // no other invoice
  ModalScript script;
  script.on<TPickInv>([](TPickInv& p) { Click(p.newButton); })
      .on<TInvoice>([](TInvoice& w) {
        Click(w.customerButton);
        EXPECT_EQ(w.customerNoteEdit->text(), "Net 30");
        Click(w.addItemButton);
        Click(w.addItemButton);
        Click(w.addPaymentButton);
        EXPECT_EQ(w.itemsGrid->item(1, 0)->text().trimmed(), "NUT");
        EXPECT_EQ(shown(w.subtotalEdit), "37.60");
        EXPECT_EQ(shown(w.shippingEdit), "3.75");
        EXPECT_EQ(shown(w.amountDueEdit), "21.35");
        Click(w.saveButton);
      })
      .on<TItemDef>([](TItemDef& d) {
        TypeInto(d.quantityEdit, "3");
        Click(d.saveButton);
      })
      .on<TItemDef>([](TItemDef& d) { Click(d.saveButton); })
      .on<TPmtDef>([](TPmtDef& d) {
        // What the invoice owes is offered, ready to be typed over.
        EXPECT_EQ(d.amountEdit->text().trimmed(), "41.35");
        EXPECT_EQ(QApplication::focusWidget(), d.amountEdit);
        EXPECT_EQ(d.amountEdit->selectionStart(), 0);
        EXPECT_EQ(d.amountEdit->selectedText().size(), d.amountEdit->text().size());
        TypeInto(d.amountEdit, "20.00");
        Click(d.saveButton);
      })
      .on<TPickInv>([](TPickInv& p) { Click(p.selectButton); })
      .on<TInvoice>([](TInvoice& w) {
        EXPECT_EQ(w.invoiceNumberEdit->text(), "  1001");
        EXPECT_EQ(shown(w.amountDueEdit), "21.35");
        EXPECT_EQ(w.itemsGrid->rowCount(), TInvoice::kGridRows);
        w.itemsGrid->setCurrentCell(1, 0);
        Click(w.editItemButton);  // NUT removed: Tax 1 stays 3.75
        EXPECT_EQ(shown(w.totalEdit), "41.25");
        TypeInto(w.departmentEdit, "Hardware");
        Click(w.saveButton);
      })
      .on<TItemDef>([](TItemDef& d) { Click(d.deleteButton); })
      .on<TPickInv>([](TPickInv& p) { Click(p.cancelButton); });
  EXPECT_TRUE(script.run([this] {
    session->StartAtBottom(data::RecordKind::Invoice);
    session->AddAndEdit(data::RecordKind::Invoice, *picker, *window);
  }));

  EXPECT_EQ(records(session->invoices(), {"IvNo", "CuNo", "Dept", "Ship", "Tax", "Due"}),
            std::vector<std::string>{"1001 7 Hardware 3.75 0.00 21.25"});
  EXPECT_EQ(itemRecords(*session), std::vector<std::string>{"1001 BOLT 3.00"});
  EXPECT_EQ(paymentRecords(*session), std::vector<std::string>{"1001 20.00"});
}

TEST_F(InvoiceWindowTest, ATypedShippingChargeWithoutRateStaysWhenAnItemIsAdded) {
  session->settings.TaxRate1 = 0;
  customers.queue(1);
  products.queue(1);
  ModalScript script;
  script.on<TPickInv>([](TPickInv& p) { Click(p.newButton); })
      .on<TInvoice>([](TInvoice& w) {
        // The typed charge is taken as the field loses the focus, which
        // needs the window to have the keyboard.
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        Click(w.customerButton);
        TypeInto(w.shippingEdit, "12.50");
        QTest::keyClick(w.shippingEdit, Qt::Key_Tab);
        Click(w.addItemButton);
        EXPECT_EQ(shown(w.shippingEdit), "12.50");
        EXPECT_EQ(shown(w.totalEdit), "25.00");
        Click(w.cancelButton);
      })
      .on<TItemDef>([](TItemDef& d) { Click(d.saveButton); });
  EXPECT_TRUE(script.run([this] {
    session->StartAtBottom(data::RecordKind::Invoice);
    session->AddAndEdit(data::RecordKind::Invoice, *picker, *window);
  }));
}

TEST_F(InvoiceWindowTest, SavingWithoutACustomerIsRefused) {
  ModalScript script;
  script.on<TInvoice>([](TInvoice& w) {
    Click(w.saveButton);
    Click(w.cancelButton);
  });
  long current = 0;
  EXPECT_TRUE(script.run([&] { window->edit(current); }));
  EXPECT_EQ(current, 0);
  ASSERT_FALSE(dialogs.shown().empty());
  EXPECT_EQ(dialogs.shown().back().text, "Customer selection required before saving.");
  EXPECT_EQ(session->invoices()->recCount(), 0u);
}

TEST_F(InvoiceWindowTest, AStrayEscapeOrCloseBoxAsksBeforeTypedWorkIsThrownAway) {
  const std::string question = "Discard the changes to this invoice?";
  long current = 0;
  ModalScript untouched;
  untouched.on<TInvoice>([](TInvoice& w) { QTest::keyClick(w.departmentEdit, Qt::Key_Escape); });
  EXPECT_TRUE(untouched.run([&] { window->edit(current); }));
  EXPECT_TRUE(dialogs.shown().empty()) << "nothing typed, nothing asked";

  dialogs.queueChoice(false);  // keep working
  dialogs.queueChoice(true);   // then throw it away
  ModalScript typed;
  typed.on<TInvoice>([](TInvoice& w) {
    TypeInto(w.departmentEdit, "Hardware");
    QTest::keyClick(w.departmentEdit, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.departmentEdit->text(), "Hardware");
    w.close();
  });
  EXPECT_TRUE(typed.run([&] { window->edit(current); }));
  EXPECT_EQ(messages(), (std::vector<std::string>{question, question}));

  ModalScript cancelled;
  cancelled.on<TInvoice>([](TInvoice& w) {
    TypeInto(w.departmentEdit, "Hardware");
    Click(w.cancelButton);
  });
  EXPECT_TRUE(cancelled.run([&] { window->edit(current); }));
  EXPECT_EQ(dialogs.shown().size(), 2u) << "the Cancel button discards without asking";
  EXPECT_EQ(session->invoices()->recCount(), 0u);
}

TEST_F(InvoiceWindowTest, ANewInvoiceWhoseSaveStoppedStillAsksForAnotherWhenSaved) {
  customers.queue(1);
  products.queue(1);
  // The first invoice's number, asked at each save while none is stored.
  dialogs.queueText("1001");
  dialogs.queueText("1001");
  dialogs.queueChoice(false);  // no other invoice
  long current = 0;
  ModalScript script;
  script
      .on<TInvoice>([this](TInvoice& w) {
        Click(w.customerButton);
        Click(w.addItemButton);
        session->engine().readOnly = true;  // the items cannot be written
        ASSERT_TRUE(session->OpenItems());
        session->engine().readOnly = false;
        Click(w.saveButton);
        EXPECT_TRUE(w.isVisible());
        ASSERT_TRUE(session->OpenItems());
        Click(w.saveButton);
      })
      .on<TItemDef>([](TItemDef& d) { Click(d.saveButton); });
  EXPECT_TRUE(script.run([&] { window->edit(current); }));
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "Unable to add invoice Items at this time. Please try again later",
                            "Add another invoice?"}));
  EXPECT_EQ(itemRecords(*session), std::vector<std::string>{"1001 BOLT 1.00"});
}

// The last number an invoice can have is taken by the invoice saved after
// 999998: "Add another invoice?" and the picker's New then say that no
// number is left before any invoice is typed, and the cycle ends.
TEST_F(InvoiceWindowTest, NoEditorOpensWhenNoInvoiceNumberIsLeft) {
  data::InvoiceRecord last;
  last.IvNo = 999998;
  last.CuNo = 7;
  last.IDate = data::testing::kTestNow;
  data::testing::appendInvoice(*session, last);
  customers.queue(1);
  dialogs.queueChoice(true);  // another invoice
  ModalScript script;
  script.on<TPickInv>([](TPickInv& p) { Click(p.newButton); })
      .on<TInvoice>([](TInvoice& w) {
        EXPECT_EQ(w.invoiceNumberEdit->text(), "999999");
        Click(w.customerButton);
        Click(w.saveButton);
      })
      .on<TPickInv>([](TPickInv& p) { Click(p.newButton); });
  EXPECT_TRUE(script.run([this] {
    session->StartAtBottom(data::RecordKind::Invoice);
    session->AddAndEdit(data::RecordKind::Invoice, *picker, *window);
  }));
  const std::string usedUp =
      "No invoice number is left: 999999 is the highest an invoice can have.";
  EXPECT_EQ(messages(), (std::vector<std::string>{"Add another invoice?", usedUp, usedUp}));
  EXPECT_EQ(records(session->invoices(), {"IvNo"}), (std::vector<std::string>{"999998", "999999"}));
}

TEST_F(InvoiceWindowTest, TheCustomersNoteIsStoredAsTheFieldTookIt) {
  const QString typed = "Deliver to the back door, ring twice and wait for Sam";
  QString taken;
  customers.queue(1);
  dialogs.queueText("1001");   // the first invoice's number
  dialogs.queueChoice(false);  // no other invoice
  ModalScript script;
  script.on<TInvoice>([&](TInvoice& w) {
    Click(w.customerButton);
    TypeInto(w.customerNoteEdit, typed);
    taken = w.customerNoteEdit->text();
    Click(w.saveButton);
  });
  long current = 0;
  EXPECT_TRUE(script.run([&] { window->edit(current); }));
  // The field stops where CUST5's note ends, so nothing typed is cut later.
  EXPECT_TRUE(typed.startsWith(taken));
  EXPECT_LT(taken.size(), typed.size());
  EXPECT_EQ(records(session->customers(), {"note"}), std::vector<std::string>{taken.toStdString()});
}

}  // namespace
}  // namespace vt::invoicing
