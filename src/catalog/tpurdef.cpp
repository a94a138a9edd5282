#include "catalog/tpurdef.h"

#include <QPushButton>

#include "base/convert.h"
#include "catalog/tproddef.h"
#include "ui/amount_edit.h"
#include "ui/date_edit.h"
#include "ui/field_behaviour.h"
#include "ui/locale_format.h"
#include "ui/wait_cursor.h"
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
  SetUpEditorButtons(this);
  vt::ui::enableEnterMovesFocus(this);
  form_->MaskEdit1->setDialogs(&ui_.dialogs);
  form_->MaskEdit2->setDialogs(&ui_.dialogs);
  form_->MaskEdit3->setDialogs(&ui_.dialogs);
  connect(form_->BtnProd, &QPushButton::clicked, this, &TPurDef::BtnProdClick);
  connect(form_->BtnSave, &QPushButton::clicked, this, &TPurDef::BtnSaveClick);
  connect(form_->BtnDelete, &QPushButton::clicked, this, &TPurDef::BtnDeleteClick);
  connect(form_->BtnCancel, &QPushButton::clicked, this, &TPurDef::BtnCancelClick);
  connect(form_->BtnHelp, &QPushButton::clicked, this, &TPurDef::BtnHelpClick);
  WatchFieldExit(form_->MaskEdit2, [this] { MaskEdit2Exit(); });
  WatchFieldExit(form_->MaskEdit3, [this] { MaskEdit3Exit(); });
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
    form_->BtnDelete->setEnabled(true);
  } else {
    startNewPurchase();
  }
  showPurchase();
  form_->BtnProd->setFocus();
  return true;
}

void TPurDef::setUpFields() {
  form_->MaskEdit1->setEditMask(QString::fromLatin1(vt::ui::kDateMask));
  form_->MaskEdit2->setAmountFormat(kQuantityDigits, kQuantityFormat);
  form_->MaskEdit3->setAmountFormat(kCostDigits, kCostFormat);
}

void TPurDef::startNewPurchase() {
  session_.Purchase = PurchaseRecord{};
  session_.Purchase.PURDate = session_.now().date();
  form_->BtnDelete->setEnabled(false);
}

void TPurDef::showPurchase() {
  const PurchaseRecord& purchase = session_.Purchase;
  form_->Edit1->setText(QString::fromStdString(purchase.PURProd));
  form_->MaskEdit1->setDate(toQDate(purchase.PURDate));
  form_->MaskEdit2->setValue(purchase.PURQty);
  form_->MaskEdit3->setValue(purchase.PURCost);
}

void TPurDef::BtnProdClick() {
  if (!productPicker_ || !productEditor_) {
    ui_.dialogs.information("", "The product list cannot be shown here.");
    return;
  }
  session_.StartAtTop(vt::data::RecordKind::Product);
  const vt::data::PickOutcome outcome =
      session_.PickProduct(true, *productPicker_, *productEditor_);
  if (outcome.status < 0) {
    ReportTableFailure(ui_.dialogs, "choose a product", outcome.status);
    return;
  }
  if (!outcome.chosen) return;
  if (!LoadRecord(session_, session_.products(), session_.CurProduct,
                  &vt::data::DataSession::LoadProduct, ui_.dialogs, "read the product")) {
    return;
  }
  chosenProduct_ = session_.CurProduct;
  form_->Edit1->setText(QString::fromStdString(session_.Product.PrID));
}

void TPurDef::MaskEdit2Exit() {
  LeaveAmountField(*form_->MaskEdit2, ui_.dialogs);
}

void TPurDef::MaskEdit3Exit() {
  LeaveAmountField(*form_->MaskEdit3, ui_.dialogs);
}

bool TPurDef::takeControls() {
  if (!form_->MaskEdit1->check()) {
    RefocusField(form_->MaskEdit1);
    return false;
  }
  const std::optional<double> quantity = AmountToSave(*form_->MaskEdit2, ui_.dialogs);
  if (!quantity) return false;
  const std::optional<double> cost = AmountToSave(*form_->MaskEdit3, ui_.dialogs);
  if (!cost) return false;
  PurchaseRecord& purchase = session_.Purchase;
  purchase.PURProd = form_->Edit1->text().trimmed().toUpper().toStdString();
  purchase.PURDate = base::FixCentury(fromQDate(form_->MaskEdit1->date()), session_.now().year);
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
  return status < 0 ? ReportTableFailure(ui_.dialogs, "mark the product", status) : true;
}

void TPurDef::BtnSaveClick() {
  if (form_->Edit1->text().trimmed().isEmpty()) {
    ui_.dialogs.information("", "Product Selection Required.");
    return;
  }
  if (!takeControls()) return;
  if (!PositionForStore(session_, session_.purchases(), session_.CurPurchase, ui_.dialogs,
                        "save the purchase")) {
    return;
  }
  if (const int status = session_.StorePurchase(); status < 0) {
    ReportTableFailure(ui_.dialogs, "save the purchase", status);
    return;
  }
  if (!markChosenProduct()) return;
  accept();
}

void TPurDef::BtnDeleteClick() {
  ui::WaitCursor wait;
  if (DeleteRecord(session_, session_.purchases(), session_.CurPurchase, ui_.dialogs,
                   "delete the purchase")) {
    accept();
  }
}

void TPurDef::BtnCancelClick() {
  reject();
}

void TPurDef::BtnHelpClick() {
  ui_.help.showContext(kHelpContext);
}

}  // namespace vt::catalog
