// The invoice window as a user works with it, from the Invoices page's
// cycle: a new invoice with a customer, two items and a payment saved, then
// opened again from the invoice picker, changed and saved.
#include <gtest/gtest.h>

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
    options.shortDate = [](const base::DateTime& d) {
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

}  // namespace
}  // namespace vt::invoicing
