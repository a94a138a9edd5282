// The invoice window's fields going into the invoice buffer: each when it
// is left, and all of them again for Save and Print.
#include <QLineEdit>
#include <QPlainTextEdit>

#include "base/convert.h"
#include "invoicing/tinvoice.h"
#include "ui/amount_edit.h"
#include "ui/amount_field_exit.h"
#include "ui/date_edit.h"
#include "ui/memo_text.h"

namespace vt::invoicing {

namespace {

std::string trimmed(const QLineEdit& edit) {
  return edit.text().trimmed().toStdString();
}

}  // namespace

void TInvoice::watchFields() {
  dateSoldEdit->setDialogs(&ui_.dialogs);
  for (vt::ui::AmountEdit* amount :
       {subtotalEdit, shippingEdit, salesTaxEdit, totalEdit, paymentsEdit, amountDueEdit}) {
    amount->setAmountFormat(7, "%10.2f");
    amount->setDialogs(&ui_.dialogs);
  }
  vt::data::InvoiceRecord& invoice = session_.Invoice;
  vt::ui::WatchFieldExit(departmentEdit,
                         [this, &invoice] { invoice.Dept = trimmed(*departmentEdit); });
  vt::ui::WatchFieldExit(checkCardEdit,
                         [this, &invoice] { invoice.IMemo = trimmed(*checkCardEdit); });
  vt::ui::WatchFieldExit(customerNoteEdit,
                         [this] { session_.Customer.note = trimmed(*customerNoteEdit); });
  vt::ui::WatchFieldExit(remarksMemo, [this, &invoice] {
    invoice.REM = vt::ui::MemoFromEdit(remarksMemo->toPlainText());
  });
  vt::ui::WatchFieldExit(shippingEdit,
                         [this, &invoice] { chargeLeft(*shippingEdit, invoice.Ship, true); });
  vt::ui::WatchFieldExit(salesTaxEdit,
                         [this, &invoice] { chargeLeft(*salesTaxEdit, invoice.Tax, false); });
}

// Tax 1 or Tax 2 typed by hand: it stands until the items change (for good
// when its rate is 0). Tax 2 charged on Tax 1 follows a typed Tax 1.
void TInvoice::chargeLeft(vt::ui::AmountEdit& field, double& charge, bool ship) {
  if (!vt::ui::LeaveAmountField(field, ui_.dialogs)) return;
  charge = field.value();
  if (ship) {
    salesTaxEdit->setValue(model_.ShipTyped().Tax);
  }
  ShowTotalDue();
}

bool TInvoice::takeFields() {
  if (!dateSoldEdit->check()) {
    vt::ui::RefocusField(dateSoldEdit);
    return false;
  }
  std::optional<double> amounts[3];
  vt::ui::AmountEdit* const fields[] = {shippingEdit, salesTaxEdit, amountDueEdit};
  for (int i = 0; i < 3; ++i) {
    if (!(amounts[i] = vt::ui::AmountToSave(*fields[i], ui_.dialogs))) return false;
  }
  vt::data::InvoiceRecord& invoice = session_.Invoice;
  const QDate date = dateSoldEdit->date();
  invoice.IDate =
      base::FixCentury(base::MakeDate(date.year(), date.month(), date.day()), session_.now().year);
  invoice.Dept = trimmed(*departmentEdit);
  invoice.IMemo = trimmed(*checkCardEdit);
  invoice.REM = vt::ui::MemoFromEdit(remarksMemo->toPlainText());
  session_.Customer.note = trimmed(*customerNoteEdit);
  invoice.Ship = *amounts[0];
  invoice.Tax = *amounts[1];
  invoice.Due = *amounts[2];
  return true;
}

}  // namespace vt::invoicing
