#include "catalog/tpurdef.h"

#include <QPushButton>

#include "base/convert.h"
#include "catalog/tproddef.h"
#include "ui/amount_edit.h"
#include "ui/date_edit.h"
#include "ui/field_behaviour.h"
#include "ui/locale_format.h"
#include "ui/text_fields.h"
#include "ui/wait_cursor.h"
#include "ui/window_size.h"
#include "ui_tpurdef.h"

namespace vt::catalog {

namespace {

using vt::data::PurchaseRecord;

// Mask digits and formats of the quantity and cost fields.
constexpr int kQuantityDigits = 7;
constexpr const char* kQuantityFormat = "%10.2f";
constexpr int kCostDigits = 9;
constexpr const char* kCostFormat = "%12.2f";

QDate toQDate(const base::DateTime& value) {
  return QDate(value.year, value.month, value.day);
}

base::DateTime fromQDate(const QDate& date) {
  return base::MakeDate(date.year(), date.month(), date.day());
}

}  // namespace

TPurDef::TPurDef(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui,
                 vt::data::RecordPicker* productPicker, vt::data::RecordEditor* productEditor)
    : QDialog(parent),
      session_(session),
      ui_(ui),
      productPicker_(productPicker),
      productEditor_(productEditor),
      form_(std::make_unique<Ui::TPurDef>()) {
  form_->setupUi(this);
  vt::ui::HoldDesignSize(*this);
  vt::ui::FitTextFields(*this);
  SetUpEditorButtons(this);
  vt::ui::enableEnterMovesFocus(this);
  form_->dateAcquiredEdit->setDialogs(&ui_.dialogs);
  form_->quantityEdit->setDialogs(&ui_.dialogs);
  form_->totalCostEdit->setDialogs(&ui_.dialogs);
  connect(form_->productButton, &QPushButton::clicked, this, &TPurDef::productClicked);
  connect(form_->saveButton, &QPushButton::clicked, this, &TPurDef::saveClicked);
  connect(form_->deleteButton, &QPushButton::clicked, this, &TPurDef::deleteClicked);
  connect(form_->cancelButton, &QPushButton::clicked, this, &TPurDef::cancelClicked);
  connect(form_->helpButton, &QPushButton::clicked, this, &TPurDef::helpClicked);
  WatchFieldExit(form_->quantityEdit, [this] { quantityLeft(); });
  WatchFieldExit(form_->totalCostEdit, [this] { totalCostLeft(); });
}

TPurDef::~TPurDef() = default;

void TPurDef::setProductWindows(vt::data::RecordPicker& picker, vt::data::RecordEditor& editor) {
  productPicker_ = &picker;
  productEditor_ = &editor;
}

void TPurDef::edit(long& current) {
  session_.CurPurchase = current;
  if (FormShow()) exec();
  current = session_.CurPurchase;
}

bool TPurDef::FormShow() {
  setUpFields();
  chosenProduct_ = 0;
  if (session_.CurPurchase != 0) {
    ui::WaitCursor wait;
    if (!LoadRecord(session_, session_.purchases(), session_.CurPurchase,
                    &vt::data::DataSession::LoadPurchase, ui_.dialogs, "read the purchase")) {
      return false;
    }
    form_->deleteButton->setEnabled(true);
  } else {
    startNewPurchase();
  }
  showPurchase();
  form_->productButton->setFocus();
  changes_.markUnchanged();
  return true;
}

void TPurDef::setUpFields() {
  form_->dateAcquiredEdit->setEditMask(QString::fromLatin1(vt::ui::kDateMask));
  form_->quantityEdit->setAmountFormat(kQuantityDigits, kQuantityFormat);
  form_->totalCostEdit->setAmountFormat(kCostDigits, kCostFormat);
}

void TPurDef::startNewPurchase() {
  session_.Purchase = PurchaseRecord{};
  session_.Purchase.PURDate = session_.now().date();
  form_->deleteButton->setEnabled(false);
}

void TPurDef::showPurchase() {
  const PurchaseRecord& purchase = session_.Purchase;
  form_->productIdEdit->setText(QString::fromStdString(purchase.PURProd));
  form_->dateAcquiredEdit->setDate(toQDate(purchase.PURDate));
  form_->quantityEdit->setValue(purchase.PURQty);
  form_->totalCostEdit->setValue(purchase.PURCost);
}

void TPurDef::productClicked() {
  if (!productPicker_ || !productEditor_) {
    ui_.dialogs.information("", "The product list cannot be shown here.");
    return;
  }
  session_.StartAtTop(vt::data::RecordKind::Product);
  const vt::data::PickOutcome outcome =
      session_.PickProduct(true, *productPicker_, *productEditor_);
  if (outcome.status < 0) {
    ReportTableFailure(ui_.dialogs, session_.engine(), "choose a product", outcome.status);
    return;
  }
  if (!outcome.chosen) return;
  if (!LoadRecord(session_, session_.products(), session_.CurProduct,
                  &vt::data::DataSession::LoadProduct, ui_.dialogs, "read the product")) {
    return;
  }
  chosenProduct_ = session_.CurProduct;
  form_->productIdEdit->setText(QString::fromStdString(session_.Product.PrID));
}

void TPurDef::quantityLeft() {
  LeaveAmountField(*form_->quantityEdit, ui_.dialogs);
}

void TPurDef::totalCostLeft() {
  LeaveAmountField(*form_->totalCostEdit, ui_.dialogs);
}

bool TPurDef::takeControls() {
  if (!form_->dateAcquiredEdit->check()) {
    RefocusField(form_->dateAcquiredEdit);
    return false;
  }
  const std::optional<double> quantity = AmountToSave(*form_->quantityEdit, ui_.dialogs);
  if (!quantity) return false;
  const std::optional<double> cost = AmountToSave(*form_->totalCostEdit, ui_.dialogs);
  if (!cost) return false;
  PurchaseRecord& purchase = session_.Purchase;
  purchase.PURProd = form_->productIdEdit->text().trimmed().toUpper().toStdString();
  purchase.PURDate =
      base::FixCentury(fromQDate(form_->dateAcquiredEdit->date()), session_.now().year);
  purchase.PURQty = *quantity;
  purchase.PURCost = *cost;
  return true;
}

bool TPurDef::markChosenProduct() {
  if (chosenProduct_ <= 0) return true;
  if (!LoadRecord(session_, session_.products(), chosenProduct_,
                  &vt::data::DataSession::LoadProduct, ui_.dialogs, "mark the product")) {
    return false;
  }
  session_.Product.lInven = true;
  const int status = session_.StoreProduct();
  return status < 0 ? ReportTableFailure(ui_.dialogs, session_.engine(), "mark the product", status)
                    : true;
}

void TPurDef::saveClicked() {
  if (form_->productIdEdit->text().trimmed().isEmpty()) {
    ui_.dialogs.information("", "Product Selection Required.");
    return;
  }
  if (!takeControls()) return;
  if (!SaveEditedRecord(session_, vt::data::TableId::Purchases, session_.CurPurchase,
                        &vt::data::DataSession::StorePurchase, ui_.dialogs, "save the purchase")) {
    return;
  }
  if (!markChosenProduct()) return;
  accept();
}

void TPurDef::deleteClicked() {
  ui::WaitCursor wait;
  if (DeleteRecord(session_, session_.purchases(), session_.CurPurchase, ui_.dialogs,
                   "delete the purchase")) {
    accept();
  }
}

void TPurDef::cancelClicked() {
  QDialog::reject();
}

void TPurDef::reject() {
  if (changes_.mayDiscard(ui_.dialogs, "Discard the changes to this purchase?")) QDialog::reject();
}

void TPurDef::helpClicked() {
  ui_.help.showContext(kHelpContext);
}

}  // namespace vt::catalog
