// The amounts of the invoice being edited, as the editor shows them.
#include <vector>

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

void InvoiceModel::ComputeTaxes() {
  std::vector<TaxedLine> lines;
  for (int i = 0; i <= session_.ItemCount; ++i) {
    const data::ItemRow& row = session_.ItemLines[static_cast<size_t>(i)];
    lines.push_back({lineTotal(row), row[ItemCol::LTax1] == "t", row[ItemCol::LTax2] == "t"});
  }
  if (const std::optional<Charges> charges = ComputeCharges(session_.settings, lines)) {
    session_.Invoice.Ship = charges->Ship;
    session_.Invoice.Tax = charges->Tax;
  }
  formatTotals();
}

const InvoiceTotals& InvoiceModel::ShowInvoice() {
  totals_.Subtotal = 0;
  for (int i = 0; i <= session_.ItemCount; ++i) {
    totals_.Subtotal += lineTotal(session_.ItemLines[static_cast<size_t>(i)]);
  }
  totals_.InvoiceTotal = totals_.Subtotal + session_.Invoice.Ship + session_.Invoice.Tax;
  return ShowPayments();
}

const InvoiceTotals& InvoiceModel::ShowPayments() {
  totals_.PaidTotal = 0;
  for (int i = 0; i <= session_.PmtCount; ++i) {
    totals_.PaidTotal += texts_.number(session_.PmtLines[static_cast<size_t>(i)][PmtCol::PAmt]);
  }
  // The difference of the two amounts as shown, not of the unrounded sums.
  totals_.Due = texts_.number(texts_.amount(totals_.InvoiceTotal)) -
                texts_.number(texts_.amount(totals_.PaidTotal));
  session_.Invoice.Due = totals_.Due;
  formatTotals();
  return totals_;
}

const InvoiceTotals& InvoiceModel::ShowTotalDue() {
  totals_.InvoiceTotal = totals_.Subtotal + session_.Invoice.Ship + session_.Invoice.Tax;
  totals_.Due = totals_.InvoiceTotal - totals_.PaidTotal;
  session_.Invoice.Due = totals_.Due;
  formatTotals();
  return totals_;
}

}  // namespace vt::invoicing
