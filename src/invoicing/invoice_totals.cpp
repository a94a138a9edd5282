// The amounts of the invoice being edited, as the editor shows them.
#include <vector>

#include "base/money.h"
#include "invoicing/invoice_arithmetic.h"
#include "invoicing/invoice_model.h"

namespace vt::invoicing {

using data::ItemCol;
using data::PmtCol;

InvoiceModel::InvoiceModel(data::DataSession& session, base::Dialogs& dialogs,
                           const ViewTexts& texts)
    : session_(session), dialogs_(dialogs), texts_(texts) {
  formatTotals();
}

double InvoiceModel::lineTotal(const data::ItemRow& row) const {
  return LineTotal(texts_.number(row[ItemCol::Qty]), texts_.number(row[ItemCol::UPR]));
}

void InvoiceModel::formatTotals() {
  InvoiceTotals& t = totals_;
  t.Ship = session_.Invoice.Ship;
  t.Tax = session_.Invoice.Tax;
  t.subtotalText = texts_.amount(t.Subtotal);
  t.shipText = texts_.amount(t.Ship);
  t.taxText = texts_.amount(t.Tax);
  t.totalText = texts_.amount(t.InvoiceTotal);
  t.paidText = texts_.amount(t.PaidTotal);
  t.dueText = texts_.amount(t.Due);
}

std::vector<TaxedLine> InvoiceModel::taxedLines() const {
  std::vector<TaxedLine> lines;
  for (int i = 0; i <= session_.ItemCount; ++i) {
    const data::ItemRow& row = session_.ItemLines[static_cast<size_t>(i)];
    lines.push_back({lineTotal(row), row[ItemCol::LTax1] == "t", row[ItemCol::LTax2] == "t"});
  }
  return lines;
}

void InvoiceModel::ComputeTaxes() {
  data::InvoiceRecord& invoice = session_.Invoice;
  const Charges charges =
      ComputeCharges(session_.settings, taxedLines(), {invoice.Ship, invoice.Tax});
  invoice.Ship = charges.Ship;
  invoice.Tax = charges.Tax;
  formatTotals();
}

base::Cents InvoiceModel::subtotalCents() const {
  base::Cents subtotal = 0;
  for (int i = 0; i <= session_.ItemCount; ++i) {
    subtotal += base::ToCents(lineTotal(session_.ItemLines[static_cast<size_t>(i)]));
  }
  return subtotal;
}

base::Cents InvoiceModel::paidCents() const {
  base::Cents paid = 0;
  for (int i = 0; i <= session_.PmtCount; ++i) {
    paid += base::ToCents(texts_.number(session_.PmtLines[static_cast<size_t>(i)][PmtCol::PAmt]));
  }
  return paid;
}

const InvoiceTotals& InvoiceModel::ShowInvoice() {
  totals_.Subtotal = base::FromCents(subtotalCents());
  return ShowPayments();
}

const InvoiceTotals& InvoiceModel::ShowPayments() {
  totals_.PaidTotal = base::FromCents(paidCents());
  return showDue();
}

const InvoiceTotals& InvoiceModel::ShowTotalDue() {
  return showDue();
}

const InvoiceTotals& InvoiceModel::ShipTyped() {
  data::InvoiceRecord& invoice = session_.Invoice;
  invoice.Tax = TaxOnTypedShip(session_.settings, taxedLines(), {invoice.Ship, invoice.Tax});
  return showDue();
}

base::Cents InvoiceModel::totalCents(base::Cents subtotal) const {
  const data::InvoiceRecord& invoice = session_.Invoice;
  return subtotal + base::ToCents(invoice.Ship) + base::ToCents(invoice.Tax);
}

const InvoiceTotals& InvoiceModel::showDue() {
  const base::Cents total = totalCents(base::ToCents(totals_.Subtotal));
  totals_.InvoiceTotal = base::FromCents(total);
  totals_.Due = base::FromCents(total - base::ToCents(totals_.PaidTotal));
  session_.Invoice.Due = totals_.Due;
  formatTotals();
  return totals_;
}

}  // namespace vt::invoicing
