#include "invoicing/titemdef.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionFrame>
#include <utility>

#include "base/convert.h"
#include "engine/engine.h"
#include "invoicing/invoice_arithmetic.h"
#include "invoicing/invoice_model.h"
#include "invoicing/settings_window_support.h"
#include "ui/amount_field_exit.h"
#include "ui/field_behaviour.h"
#include "ui/locale_format.h"
#include "ui/text_fields.h"
#include "ui/window_size.h"

namespace vt::invoicing {

namespace {

constexpr int kPriceDigits = 5;
constexpr const char* kPriceFormat = "%8.2f";
constexpr int kQuantityDigits = 6;
constexpr const char* kQuantityFormat = "%9.2f";
constexpr int kTotalDigits = 7;
constexpr const char* kTotalFormat = "%10.2f";
constexpr int kProductIdWidth = 10;  // PrID's characters
// The description's and comment's characters in the line items' table, for
// as long as it is not open to tell.
constexpr int kItemTextWidth = 27;

QLineEdit* textEdit(QWidget* parent, const char* name, const QString& caption) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setAccessibleName(caption);
  return edit;
}

// A field just wide enough for `characters` digits, so that the description
// and comment take the rest of the row.
void fitToDigits(QLineEdit* edit, int characters) {
  QStyleOptionFrame option;
  option.initFrom(edit);
  const QFontMetrics metrics(edit->font());
  const int textMargins = 4;
  const QSize text(characters * metrics.horizontalAdvance(QLatin1Char('0')) + textMargins,
                   metrics.height());
  edit->setFixedWidth(
      edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, edit).width());
}

// A caption above its control, which it names.
QLabel* captionFor(QWidget* control) {
  auto* label = new QLabel(control->accessibleName(), control->parentWidget());
  label->setBuddy(control);
  return label;
}

}  // namespace

TItemDef::TItemDef(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui)
    : QDialog(parent), session_(session), ui_(ui) {
  setObjectName("TItemDef");
  setWindowTitle(tr("Invoice Line Item"));
  build();
  layOut();
  showTaxCaptions();
  resize(523, 155);
  vt::ui::HoldDesignSize(*this);
  vt::ui::FitTextFields(*this);
  vt::ui::enableEnterMovesFocus(this);
  auto* help = new QShortcut(QKeySequence::HelpContents, this);
  connect(help, &QShortcut::activated, this, [this] { ui_.help.showContext(kHelpContext); });
  connect(saveButton, &QPushButton::clicked, this, &TItemDef::saveClicked);
  connect(deleteButton, &QPushButton::clicked, this, &TItemDef::deleteClicked);
  connect(cancelButton, &QPushButton::clicked, this, &TItemDef::cancelClicked);
}

vt::ui::AmountEdit* TItemDef::amountEdit(const char* name, const QString& caption,
                                         int integerDigits, const char* format) {
  auto* edit = new vt::ui::AmountEdit(this);
  edit->setObjectName(name);
  edit->setAccessibleName(caption);
  edit->setAmountFormat(integerDigits, format);
  edit->setDialogs(&ui_.dialogs);
  return edit;
}

void TItemDef::build() {
  productIdEdit = textEdit(this, "productIdEdit", tr("Product"));
  productIdEdit->setReadOnly(true);
  productIdEdit->setFocusPolicy(Qt::ClickFocus);
  descriptionEdit = textEdit(this, "descriptionEdit", tr("Description"));
  commentEdit = textEdit(this, "commentEdit", tr("Comment"));
  descriptionEdit->setMaxLength(kItemTextWidth);
  commentEdit->setMaxLength(kItemTextWidth);
  unitPriceEdit = amountEdit("unitPriceEdit", tr("Unit Price"), kPriceDigits, kPriceFormat);
  quantityEdit = amountEdit("quantityEdit", tr("Quantity"), kQuantityDigits, kQuantityFormat);
  totalEdit = amountEdit("totalEdit", tr("Total"), kTotalDigits, kTotalFormat);
  totalEdit->setReadOnly(true);
  for (vt::ui::AmountEdit* field : {unitPriceEdit, quantityEdit}) {
    vt::ui::WatchFieldExit(field, [this, field] { amountLeft(*field); });
  }
  tax1CheckBox = new QCheckBox(this);
  tax1CheckBox->setObjectName("tax1CheckBox");
  tax2CheckBox = new QCheckBox(this);
  tax2CheckBox->setObjectName("tax2CheckBox");
  saveButton = vt::ui::makeButton(this, "saveButton", tr("Save"));
  deleteButton = vt::ui::makeButton(this, "deleteButton", tr("Delete"));
  cancelButton = vt::ui::makeButton(this, "cancelButton", tr("Cancel"));

  QWidget* const order[] = {descriptionEdit, unitPriceEdit, quantityEdit, totalEdit,
                            commentEdit,     tax1CheckBox,  tax2CheckBox, saveButton,
                            deleteButton,    cancelButton};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

// Captions above the product, description and amounts; the comment under
// the description with the tax check boxes beside it; the buttons below.
void TItemDef::layOut() {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setHorizontalSpacing(4);
  QWidget* const row[] = {productIdEdit, descriptionEdit, unitPriceEdit, quantityEdit, totalEdit};
  fitToDigits(productIdEdit, kProductIdWidth);
  for (vt::ui::AmountEdit* amount : {unitPriceEdit, quantityEdit, totalEdit}) {
    fitToDigits(amount, amount->text().size());
  }
  for (int c = 0; c < static_cast<int>(std::size(row)); ++c) {
    grid->addWidget(captionFor(row[c]), 0, c);
    grid->addWidget(row[c], 1, c);
  }
  grid->addWidget(commentEdit, 2, 1);
  auto* taxes = new QHBoxLayout;
  taxes->addWidget(tax1CheckBox);
  taxes->addWidget(tax2CheckBox);
  grid->addLayout(taxes, 2, 2, 1, 3);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {saveButton, deleteButton, cancelButton}) buttons->addWidget(button);
  buttons->addStretch();
  grid->addLayout(buttons, 3, 0, 1, 5);
  grid->setColumnStretch(1, 1);
}

int TItemDef::Edit(ItemFields& fields) {
  productIdEdit->setText(fields.productId);
  descriptionEdit->setText(vt::ui::WithoutTrailingBlanks(fields.description));
  commentEdit->setText(vt::ui::WithoutTrailingBlanks(fields.comment));
  unitPriceEdit->setText(fields.unitPrice);
  quantityEdit->setText(fields.quantity);
  totalEdit->setText(fields.total);
  tax1CheckBox->setChecked(fields.tax1);
  tax2CheckBox->setChecked(fields.tax2);
  FormShow();
  exec();
  if (ItemResult == kSaveResult) {
    fields.description = descriptionEdit->text();
    fields.comment = commentEdit->text();
    fields.unitPrice = unitPriceEdit->text();
    fields.quantity = quantityEdit->text();
    fields.total = totalEdit->text();
    fields.tax1 = tax1CheckBox->isChecked();
    fields.tax2 = tax2CheckBox->isChecked();
  }
  return ItemResult;
}

// Closing the window by its frame or with Escape counts as Cancel.
void TItemDef::FormShow() {
  showTaxCaptions();
  limitToItemFields();
  ItemResult = kCancelResult;
  exitRefused_ = false;
  descriptionEdit->setFocus();
  changes_.markUnchanged();
}

// The check boxes are captioned with the two charges' labels, as set up.
void TItemDef::showTaxCaptions() {
  const QString tax1 = SettingText(session_.settings.ShipLine);
  const QString tax2 = SettingText(session_.settings.TaxLine);
  tax1CheckBox->setText(tax1);
  tax1CheckBox->setAccessibleName(tax1.isEmpty() ? tr("Tax 1") : tax1);
  tax2CheckBox->setText(tax2);
  tax2CheckBox->setAccessibleName(tax2.isEmpty() ? tr("Tax 2") : tax2);
}

// With the line items' table open, the description and comment take no more
// than it stores.
void TItemDef::limitToItemFields() {
  vt::engine::Table* items = session_.items();
  if (!items) return;
  const std::pair<QLineEdit*, const char*> edits[] = {{descriptionEdit, "PDesc"},
                                                      {commentEdit, "IComm"}};
  for (const auto& [edit, name] : edits) {
    if (const vt::engine::Field* field = items->field(name)) edit->setMaxLength(field->length());
  }
}

void TItemDef::amountLeft(vt::ui::AmountEdit& field) {
  exitRefused_ = !vt::ui::LeaveAmountField(field, ui_.dialogs);
  if (!exitRefused_) showTotal();
}

// The line total the invoice charges: price times quantity to the cent.
void TItemDef::showTotal() {
  double total = 0;
  try {
    total = LineTotal(quantityEdit->value(), unitPriceEdit->value());
  } catch (const vt::ui::ConversionError&) {
    return;  // the other field is refused when it is left
  }
  totalEdit->setText(vt::ui::FormatAmount(total, kTotalFormat));
}

// A line whose total no invoice holds is refused, naming the Total.
bool TItemDef::totalFits() {
  const double total = LineTotal(quantityEdit->value(), unitPriceEdit->value());
  if (InvoiceHolds(base::ToCents(total))) return true;
  ui_.dialogs.information("", AmountTooLargeMessage("Total " + base::FloatText(total, 0, 2)));
  quantityEdit->setFocus();
  return false;
}

// The unit price and quantity go back as numbers in their own format; one
// that is none is refused and keeps the window open. A field refused as the
// click on Save left it has been told already.
void TItemDef::saveClicked() {
  if (std::exchange(exitRefused_, false)) return;
  for (vt::ui::AmountEdit* field : {unitPriceEdit, quantityEdit}) {
    if (!vt::ui::LeaveAmountField(*field, ui_.dialogs)) return;
  }
  showTotal();
  if (!totalFits()) return;
  CloseWithResult(*this, ItemResult, kSaveResult);
}

void TItemDef::deleteClicked() {
  CloseWithResult(*this, ItemResult, kDeleteResult);
}

void TItemDef::cancelClicked() {
  ItemResult = kCancelResult;
  QDialog::reject();
}

void TItemDef::reject() {
  if (!changes_.mayDiscard(ui_.dialogs, "Discard the changes to this line item?")) return;
  ItemResult = kCancelResult;
  QDialog::reject();
}

void CloseWithResult(QDialog& dialog, int& resultField, int result) {
  resultField = result;
  if (result == kCancelResult) {
    dialog.reject();
  } else {
    dialog.accept();
  }
}

}  // namespace vt::invoicing
