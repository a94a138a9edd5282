// The invoice window's items and payments: added from the product picker
// and the line item dialog, changed or removed from the grid, and payments
// through the payment dialog and picker. Each change is shown with the
// amounts it leads to.
#include <QTableWidget>
#include <algorithm>

#include "base/convert.h"
#include "base/text1252.h"
#include "data/view_rows.h"
#include "invoicing/tinvoice.h"
#include "invoicing/titemdef.h"
#include "invoicing/tpickpmt.h"
#include "invoicing/tpmtdef.h"
#include "ui/locale_format.h"
#include "ui/record_access.h"

namespace vt::invoicing {

using vt::data::ItemCol;
using vt::data::ItemRow;
using vt::data::PmtCol;

namespace {

QString text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

std::string flag(bool on) {
  return on ? "t" : "f";
}

// The dialog's fields written into columns 0 to 6 of an item row.
void writeRow(ItemRow& row, const ItemFields& fields) {
  row[ItemCol::PrID] = fields.productId.toStdString();
  row[ItemCol::Qty] = fields.quantity.toStdString();
  row[ItemCol::UPR] = fields.unitPrice.toStdString();
  row[ItemCol::LTax1] = flag(fields.tax1);
  row[ItemCol::LTax2] = flag(fields.tax2);
  row[ItemCol::PDesc] = fields.description.toStdString();
  row[ItemCol::IComm] = fields.comment.toStdString();
}

}  // namespace

void TInvoice::addItemClicked() {
  if (!productPicker_ || !productEditor_) return;
  session_.StartAtTop(vt::data::RecordKind::Product);
  const vt::data::PickOutcome outcome =
      session_.PickProduct(true, *productPicker_, *productEditor_);
  if (outcome.status < 0) {
    vt::ui::ReportTableFailure(ui_.dialogs, session_.engine(), "choose a product", outcome.status);
    return;
  }
  if (!outcome.chosen ||
      !vt::ui::LoadRecord(session_, session_.products(), session_.CurProduct,
                          &vt::data::DataSession::LoadProduct, ui_.dialogs, "read the product")) {
    return;
  }
  const vt::data::ProductRecord product = session_.Product;
  ItemFields fields{text(product.PrID),
                    text(product.PDesc),
                    text(product.IComm),
                    vt::ui::FormatAmount(product.UPrice, "%8.2f"),
                    vt::ui::FormatAmount(1.0, "%9.2f"),
                    vt::ui::FormatAmount(product.UPrice, "%10.2f"),
                    product.LTax1,
                    product.LTax2};
  if (itemDialog->Edit(fields) == kSaveResult) {
    ItemRow& row = vt::data::AppendViewRow(session_.ItemLines, session_.ItemCount);
    writeRow(row, fields);
    row[ItemCol::RCode] = base::trim(product.RCode);
    row[ItemCol::PMemo] = base::trim(product.PMemo);
  }
  itemsChanged();
}

int TInvoice::selectedItemRow() const {
  return itemsGrid->currentRow();
}

void TInvoice::editItemClicked() {
  const int row = selectedItemRow();
  if (row < 0 || row > session_.ItemCount) return;
  editItemRow(row);
}

void TInvoice::editItemRow(int index) {
  ItemRow& row = session_.ItemLines[static_cast<size_t>(index)];
  std::string total;
  if (!computed([&] { total = model_.amountText(model_.lineTotal(row)); })) return;
  ItemFields fields{text(row[ItemCol::PrID]),   text(row[ItemCol::PDesc]),
                    text(row[ItemCol::IComm]),  text(row[ItemCol::UPR]),
                    text(row[ItemCol::Qty]),    text(total),
                    row[ItemCol::LTax1] == "t", row[ItemCol::LTax2] == "t"};
  switch (itemDialog->Edit(fields)) {
    case kSaveResult:
      writeRow(row, fields);
      break;
    case kDeleteResult:
      removeItemRow(index);
      break;
    default:
      return;
  }
  itemsChanged();
}

void TInvoice::removeItemRow(int index) {
  vt::data::RemoveViewRow(session_.ItemLines, session_.ItemCount, static_cast<size_t>(index));
}

void TInvoice::addPaymentClicked() {
  // The payment offered is what the invoice still owes, nothing for a credit.
  double due = 0;
  if (!computed([this, &due] { due = model_.ShowPayments().Due; })) return;
  const base::DateTime today = session_.now();
  PaymentFields fields{vt::ui::FormatShortDate(QDate(today.year, today.month, today.day)),
                       vt::ui::FormatAmount(std::max(due, 0.0), "%10.2f")};
  if (paymentDialog->Edit(fields, false) != kSaveResult) return;
  vt::data::PmtRow& row = vt::data::AppendViewRow(session_.PmtLines, session_.PmtCount);
  row[PmtCol::PDate] = fields.date.toStdString();
  row[PmtCol::PAmt] = fields.amount.toStdString();
  ShowPayments();
}

void TInvoice::editPaymentClicked() {
  if (session_.PmtCount < 0) return;
  paymentPicker->Pick();
  ShowPayments();
}

}  // namespace vt::invoicing
