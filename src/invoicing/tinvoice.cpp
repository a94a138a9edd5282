#include "invoicing/tinvoice.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "base/convert.h"
#include "invoicing/invoice_messages.h"
#include "invoicing/invoice_printer.h"
#include "invoicing/titemdef.h"
#include "invoicing/tpickpmt.h"
#include "invoicing/tpmtdef.h"
#include "ui/field_behaviour.h"
#include "ui/record_access.h"
#include "ui/text_fields.h"
#include "ui/wait_cursor.h"
#include "ui/window_size.h"

namespace vt::invoicing {

using vt::data::RecordKind;

TInvoice::TInvoice(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui)
    : QDialog(parent),
      session_(session),
      ui_(ui),
      model_(session, ui.dialogs, texts_),
      changes_(*this, [this] { return heldOutsideFields(); }) {
  setObjectName(QStringLiteral("TInvoice"));
  setWindowTitle(tr("Invoice"));
  build();
  resize(583, 382);
  vt::ui::HoldDesignSize(*this);
  vt::ui::FitTextFields(*this);
  vt::ui::SetUpEditorButtons(this);
  vt::ui::enableEnterMovesFocus(this);
  itemDialog = new TItemDef(this, session_, ui_);
  paymentDialog = new TPmtDef(this, ui_);
  paymentPicker = new TPickPmt(this, session_, ui_, *paymentDialog);
  printButton->setEnabled(false);
  connect(customerButton, &QPushButton::clicked, this, &TInvoice::customerClicked);
  connect(addItemButton, &QPushButton::clicked, this, &TInvoice::addItemClicked);
  connect(editItemButton, &QPushButton::clicked, this, &TInvoice::editItemClicked);
  connect(itemsGrid, &QTableWidget::cellDoubleClicked, this, &TInvoice::editItemClicked);
  connect(addPaymentButton, &QPushButton::clicked, this, &TInvoice::addPaymentClicked);
  connect(editPaymentButton, &QPushButton::clicked, this, &TInvoice::editPaymentClicked);
  connect(saveButton, &QPushButton::clicked, this, &TInvoice::saveClicked);
  connect(printButton, &QPushButton::clicked, this, &TInvoice::printClicked);
  connect(deleteButton, &QPushButton::clicked, this, &TInvoice::deleteClicked);
  connect(cancelButton, &QPushButton::clicked, this, &TInvoice::cancelClicked);
  connect(helpButton, &QPushButton::clicked, this, &TInvoice::helpClicked);
  watchFields();
}

TInvoice::~TInvoice() = default;

void TInvoice::setCatalogWindows(vt::data::RecordPicker& customerPicker,
                                 vt::data::RecordEditor& customerEditor,
                                 vt::data::RecordPicker& productPicker,
                                 vt::data::RecordEditor& productEditor) {
  customerPicker_ = &customerPicker;
  customerEditor_ = &customerEditor;
  productPicker_ = &productPicker;
  productEditor_ = &productEditor;
}

void TInvoice::setPrinter(InvoicePrinter& printer) {
  printer_ = &printer;
  printButton->setEnabled(true);
}

void TInvoice::edit(long& current) {
  session_.CurInvoice = current;
  if (FormShow()) exec();
  current = session_.CurInvoice;
}

bool TInvoice::FormShow() {
  vt::ui::WaitCursor wait;
  resetGrid();
  if (vt::engine::Table* invoices = session_.invoices()) {
    departmentEdit->setMaxLength(invoices->field("Dept")->length());
  }
  newInvoice_ = session_.CurInvoice <= 0;
  if (newInvoice_) {
    if (!startNewInvoice()) {
      session_.CurInvoice = -1;
      return false;
    }
  } else {
    session_.Customer = vt::data::CustomerRecord{};
    const int status = session_.LoadFullInvoice();
    if (status < 0) {
      return vt::ui::ReportTableFailure(ui_.dialogs, session_.engine(), "read the invoice", status);
    }
  }
  deleteButton->setEnabled(true);
  ShowInvoice();
  ShowInvoiceCustomer();
  customerButton->setFocus();
  changes_.markUnchanged();
  return true;
}

bool TInvoice::startNewInvoice() {
  if (model_.NextInvoiceNumber() > kMaxInvoiceNumber) {
    ui_.dialogs.information("", messages::kNumbersUsedUp);
    return false;
  }
  session_.Customer = vt::data::CustomerRecord{};
  // A number that cannot be read now is read again when the invoice is saved.
  const int status = model_.ClearInvoice();
  if (status < 0) {
    vt::ui::ReportTableFailure(ui_.dialogs, session_.engine(), "number the invoice", status);
  }
  return true;
}

void TInvoice::customerClicked() {
  if (!customerPicker_ || !customerEditor_) return;
  vt::engine::Table* customers = session_.customers();
  if (!customers) return;
  if (session_.Invoice.CuNo == 0) {
    customers->selectTag(customers->tag(session_.settings.ByCust ? "cname" : "cComp"));
    session_.StartAtTop(RecordKind::Customer);
  }
  const vt::data::PickOutcome outcome =
      session_.PickCustomer(true, *customerPicker_, *customerEditor_);
  if (outcome.status < 0) {
    vt::ui::ReportTableFailure(ui_.dialogs, session_.engine(), "choose a customer", outcome.status);
    return;
  }
  if (!outcome.chosen ||
      !vt::ui::LoadRecord(session_, customers, session_.CurCustomer,
                          &vt::data::DataSession::LoadCustomer, ui_.dialogs, "read the customer")) {
    return;
  }
  session_.Invoice.CuNo = session_.Customer.cuno;
  session_.CustomerAddress();
  ShowInvoiceCustomer();
}

void TInvoice::saveClicked() {
  if (session_.Invoice.CuNo == 0) {
    ui_.dialogs.information("", messages::kCustomerRequired);
    return;
  }
  if (!takeFields()) return;
  bool saved = false;
  {
    vt::ui::WaitCursor wait;
    computed([this, &saved] { saved = model_.SaveInvoice(); });
  }
  if (!saved) {
    // The invoice stays on screen, still new when it was: the next Save
    // stores it whole and asks for another.
    invoiceNumberEdit->setText(QString::fromStdString(base::PadNumber(session_.Invoice.IvNo, 6)));
    return;
  }
  resetGrid();
  if (!newInvoice_) {
    accept();
    return;
  }
  // CurInvoice already holds the record just written.
  if (!ui_.dialogs.question("", messages::kAddAnother)) {
    accept();
    return;
  }
  if (!startNewInvoice()) {
    accept();
    return;
  }
  ShowInvoice();
  ShowInvoiceCustomer();
  customerButton->setFocus();
  changes_.markUnchanged();
}

// The invoice as on screen, with the provisional number of a new one.
void TInvoice::printClicked() {
  if (printer_ && takeFields()) printer_->PrintInvoice();
}

void TInvoice::deleteClicked() {
  bool deleted = false;
  {
    vt::ui::WaitCursor wait;
    deleted = model_.DeleteInvoice();
  }
  resetGrid();
  if (deleted) accept();
}

void TInvoice::cancelClicked() {
  QDialog::reject();
}

void TInvoice::reject() {
  if (changes_.mayDiscard(ui_.dialogs, messages::kDiscardChanges)) QDialog::reject();
}

QString TInvoice::heldOutsideFields() const {
  QStringList held{QString::number(session_.Invoice.CuNo)};
  for (const vt::data::ItemRow& row : session_.ItemLines) {
    for (const std::string& cell : row) held << QString::fromStdString(cell);
  }
  for (const vt::data::PmtRow& row : session_.PmtLines) {
    for (const std::string& cell : row) held << QString::fromStdString(cell);
  }
  return held.join(QLatin1Char('\n'));
}

void TInvoice::helpClicked() {
  ui_.help.showContext(kHelpContext);
}

}  // namespace vt::invoicing
