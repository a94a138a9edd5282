#include "invoicing/tpmtdef.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <utility>

#include "ui/amount_field_exit.h"
#include "ui/field_behaviour.h"
#include "ui/locale_format.h"
#include "ui/text_fields.h"
#include "ui/window_size.h"

namespace vt::invoicing {

namespace {

constexpr int kAmountDigits = 7;
constexpr const char* kAmountFormat = "%10.2f";

}  // namespace

TPmtDef::TPmtDef(QWidget* parent, vt::ui::UiContext& ui) : QDialog(parent), ui_(ui) {
  setObjectName("TPmtDef");
  setWindowTitle(tr("Payment"));
  build();
  layOut();
  resize(329, 160);
  vt::ui::HoldDesignSize(*this);
  vt::ui::FitTextFields(*this);
  vt::ui::enableEnterMovesFocus(this);
  connect(saveButton, &QPushButton::clicked, this, &TPmtDef::saveClicked);
  connect(deleteButton, &QPushButton::clicked, this, &TPmtDef::deleteClicked);
  connect(cancelButton, &QPushButton::clicked, this, &TPmtDef::cancelClicked);
}

void TPmtDef::build() {
  datePaidEdit = new vt::ui::DateEdit(this);
  datePaidEdit->setObjectName("datePaidEdit");
  datePaidEdit->setAccessibleName(tr("Date Paid:"));
  datePaidEdit->setDialogs(&ui_.dialogs);
  amountEdit = new vt::ui::AmountEdit(this);
  amountEdit->setObjectName("amountEdit");
  amountEdit->setAccessibleName(tr("Amount:"));
  amountEdit->setAmountFormat(kAmountDigits, kAmountFormat);
  amountEdit->setDialogs(&ui_.dialogs);
  // The date field checks itself when it is left.
  vt::ui::WatchFieldExit(datePaidEdit, [this] { exitRefused_ = !datePaidEdit->date().isValid(); });
  vt::ui::WatchFieldExit(
      amountEdit, [this] { exitRefused_ = !vt::ui::LeaveAmountField(*amountEdit, ui_.dialogs); });
  saveButton = vt::ui::makeButton(this, "saveButton", tr("Save"));
  deleteButton = vt::ui::makeButton(this, "deleteButton", tr("Delete"));
  cancelButton = vt::ui::makeButton(this, "cancelButton", tr("Cancel"));
  QWidget* const order[] = {datePaidEdit, amountEdit, saveButton, deleteButton, cancelButton};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

// Each field with its bold caption beside it; the buttons below.
void TPmtDef::layOut() {
  auto* grid = new QGridLayout(this);
  QWidget* const fields[] = {datePaidEdit, amountEdit};
  for (int row = 0; row < static_cast<int>(std::size(fields)); ++row) {
    auto* caption = new QLabel(fields[row]->accessibleName(), this);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    caption->setBuddy(fields[row]);
    grid->addWidget(caption, row, 0);
    grid->addWidget(fields[row], row, 1);
  }
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {saveButton, deleteButton, cancelButton}) buttons->addWidget(button);
  grid->addLayout(buttons, 2, 0, 1, 2);
  grid->setColumnStretch(1, 1);
}

// Closing the window by its frame or with Escape counts as Cancel.
int TPmtDef::Edit(PaymentFields& fields, bool allowDelete) {
  datePaidEdit->setText(fields.date);
  amountEdit->setText(fields.amount);
  deleteButton->setEnabled(allowDelete);
  PmtResult = kCancelResult;
  exitRefused_ = false;
  if (allowDelete) {
    datePaidEdit->setFocus();
  } else {
    amountEdit->setFocus();
    amountEdit->selectAll();
  }
  exec();
  if (PmtResult == kSaveResult) {
    fields.date = vt::ui::FormatShortDate(datePaidEdit->date());
    fields.amount = amountEdit->text();
  }
  return PmtResult;
}

// A date or amount that is none is refused with its message, and the field
// takes the focus back; the window stays open. A field refused as the click
// on Save left it has been told already.
void TPmtDef::saveClicked() {
  if (std::exchange(exitRefused_, false)) return;
  if (!datePaidEdit->check()) {
    vt::ui::RefocusField(datePaidEdit);
    return;
  }
  if (!vt::ui::LeaveAmountField(*amountEdit, ui_.dialogs)) return;
  CloseWithResult(*this, PmtResult, kSaveResult);
}

void TPmtDef::deleteClicked() {
  CloseWithResult(*this, PmtResult, kDeleteResult);
}

void TPmtDef::cancelClicked() {
  CloseWithResult(*this, PmtResult, kCancelResult);
}

}  // namespace vt::invoicing
