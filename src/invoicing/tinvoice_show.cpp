// What the invoice window shows: the buffer's fields, the items in the grid,
// the customer's address and note, and the amounts the invoice model
// computes.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTableWidget>

#include "base/convert.h"
#include "base/text1252.h"
#include "invoicing/tinvoice.h"
#include "ui/amount_edit.h"
#include "ui/date_edit.h"
#include "ui/memo_text.h"

namespace vt::invoicing {

using vt::data::ItemCol;

namespace {

QString text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

// The grid's "Total" cell: the line total, a blank and the two tax flags.
QString totalCell(const std::string& total, const vt::data::ItemRow& row) {
  return text(total + " " + row[ItemCol::LTax1] + row[ItemCol::LTax2]);
}

}  // namespace

bool TInvoice::computed(const std::function<void()>& routine) {
  try {
    routine();
    return true;
  } catch (const std::runtime_error& error) {
    ui_.dialogs.information("", error.what());
    return false;
  }
}

void TInvoice::ShowInvoice() {
  const vt::data::InvoiceRecord& invoice = session_.Invoice;
  invoiceNumberEdit->setText(text(base::PadNumber(invoice.IvNo, 6)));
  departmentEdit->setText(text(base::trim(invoice.Dept)));
  checkCardEdit->setText(text(base::trim(invoice.IMemo)));
  dateSoldEdit->setDate(QDate(invoice.IDate.year, invoice.IDate.month, invoice.IDate.day));
  remarksMemo->setPlainText(vt::ui::MemoForEdit(invoice.REM));
  amountDueEdit->setValue(invoice.Due);
  computed([this] { showAmounts(model_.ShowInvoice()); });
}

void TInvoice::showAmounts(const InvoiceTotals& totals) {
  showItems();
  shippingEdit->setValue(totals.Ship);
  salesTaxEdit->setValue(totals.Tax);
  subtotalEdit->setValue(totals.Subtotal);
  totalEdit->setValue(totals.InvoiceTotal);
  showPaymentTotals(totals);
}

void TInvoice::showPaymentTotals(const InvoiceTotals& totals) {
  paymentsEdit->setValue(totals.PaidTotal);
  amountDueEdit->setValue(totals.Due);
}

void TInvoice::showItems() {
  itemsGrid->clearContents();
  // The grid grows with the items and keeps its rows when items go.
  itemsGrid->setRowCount(std::max(itemsGrid->rowCount(), session_.ItemCount + 1));
  for (int i = 0; i <= session_.ItemCount; ++i) {
    const vt::data::ItemRow& row = session_.ItemLines[static_cast<size_t>(i)];
    const std::string total = model_.amountText(model_.lineTotal(row));
    const QString cells[] = {text(row[ItemCol::PrID]), text(row[ItemCol::PDesc]),
                             text(row[ItemCol::UPR]), text(row[ItemCol::Qty]),
                             totalCell(total, row)};
    for (int column = 0; column < 5; ++column) {
      itemsGrid->setItem(i, column, new QTableWidgetItem(cells[column]));
    }
  }
}

void TInvoice::resetGrid() {
  itemsGrid->clearContents();
  itemsGrid->setRowCount(kGridRows);
  itemsGrid->setCurrentCell(0, 0);
}

void TInvoice::ShowInvoiceCustomer() {
  addressMemo->clear();
  customerNoteEdit->clear();
  if (session_.Invoice.CuNo == 0) return;
  QStringList address;
  for (const std::string& line : session_.AddressLines) {
    if (!line.empty()) address << text(line);
  }
  addressMemo->setPlainText(address.join(QLatin1Char('\n')));
  customerNoteEdit->setText(text(base::trim(session_.Customer.note)));
}

void TInvoice::ShowPayments() {
  computed([this] { showPaymentTotals(model_.ShowPayments()); });
}

void TInvoice::ShowTotalDue() {
  const InvoiceTotals& totals = model_.ShowTotalDue();
  totalEdit->setValue(totals.InvoiceTotal);
  amountDueEdit->setValue(totals.Due);
}

void TInvoice::itemsChanged() {
  computed([this] {
    model_.ComputeTaxes();
    showAmounts(model_.ShowInvoice());
  });
}

}  // namespace vt::invoicing
