#include "catalog/tproddef.h"

#include <QPushButton>

#include "base/convert.h"
#include "catalog/catalog_tables.h"
#include "data/field_values.h"
#include "engine/status.h"
#include "ui/amount_edit.h"
#include "ui/field_behaviour.h"
#include "ui/locale_format.h"
#include "ui/text_fields.h"
#include "ui/wait_cursor.h"
#include "ui/window_size.h"
#include "ui_tproddef.h"

namespace vt::catalog {

namespace {

using vt::data::ProductRecord;

// Mask digits and formats of the two money fields.
constexpr int kPriceDigits = 5;
constexpr const char* kPriceFormat = "%8.2f";
constexpr int kReorderDigits = 6;
constexpr const char* kReorderFormat = "%9.2f";

QString fromStd(const std::string& text) {
  return QString::fromStdString(text);
}

// Memo texts keep the CR LF line ends of the data files; the editor works
// with single line feeds.
QString memoForEditor(const std::string& memo) {
  return fromStd(memo).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string memoForStore(const QString& text) {
  QString memo = text;
  memo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return memo.replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toStdString();
}

// A label text shown as a check box caption: "&" is no mnemonic there.
QString asCaption(const std::string& label) {
  return fromStd(label).trimmed().replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

bool SaveEditedRecord(vt::data::DataSession& session, vt::data::TableId id, long& recNo,
                      int (vt::data::DataSession::*store)(), vt::base::Dialogs& dialogs,
                      const std::string& what) {
  const vt::data::SaveOutcome outcome =
      vt::data::SaveRecord(session, id, recNo, [&] { return (session.*store)(); });
  return SaveSucceeded(outcome, dialogs, session.engine(), kAppendRefused, [&](int status) {
    ReportTableFailure(dialogs, session.engine(), what, status);
  });
}

bool DeleteRecord(vt::data::DataSession& session, engine::Table* table, long recNo,
                  vt::base::Dialogs& dialogs, const std::string& what) {
  int status = GoToRecord(session, table, recNo);
  if (status == 0) {
    table->deleteRecord();
    table->flush();
    status = session.engine().errorCode();
  }
  if (status < 0) return ReportTableFailure(dialogs, session.engine(), what, status);
  session.NeedsPack = true;
  return true;
}

// ---- The product window ----

TProdDef::TProdDef(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui)
    : QDialog(parent), session_(session), ui_(ui), form_(std::make_unique<Ui::TProdDef>()) {
  form_->setupUi(this);
  vt::ui::HoldDesignSize(*this);
  vt::ui::FitTextFields(*this);
  SetUpEditorButtons(this);
  vt::ui::enableEnterMovesFocus(this);
  form_->priceEdit->setDialogs(&ui_.dialogs);
  form_->reorderLevelEdit->setDialogs(&ui_.dialogs);
  connect(form_->saveButton, &QPushButton::clicked, this, &TProdDef::saveClicked);
  connect(form_->deleteButton, &QPushButton::clicked, this, &TProdDef::deleteClicked);
  connect(form_->cancelButton, &QPushButton::clicked, this, &TProdDef::cancelClicked);
  connect(form_->helpButton, &QPushButton::clicked, this, &TProdDef::helpClicked);
  WatchFieldExit(form_->priceEdit, [this] { priceLeft(); });
  WatchFieldExit(form_->reorderLevelEdit, [this] { reorderLevelLeft(); });
}

TProdDef::~TProdDef() = default;

void TProdDef::edit(long& current) {
  session_.CurProduct = current;
  if (FormShow()) exec();
  current = session_.CurProduct;
}

bool TProdDef::FormShow() {
  setUpFields();
  if (session_.CurProduct != 0) {
    ui::WaitCursor wait;
    if (!LoadRecord(session_, session_.products(), session_.CurProduct,
                    &vt::data::DataSession::LoadProduct, ui_.dialogs, "read the product")) {
      return false;
    }
    form_->deleteButton->setEnabled(true);
  } else {
    startNewProduct();
  }
  setTaxCaptions();
  showProduct();
  form_->productIdEdit->setFocus();
  changes_.markUnchanged();
  return true;
}

void TProdDef::setUpFields() {
  form_->priceEdit->setAmountFormat(kPriceDigits, kPriceFormat);
  form_->reorderLevelEdit->setAmountFormat(kReorderDigits, kReorderFormat);
}

void TProdDef::startNewProduct() {
  session_.Product = ProductRecord{};
  session_.CurProduct = -1;
  form_->deleteButton->setEnabled(false);
}

void TProdDef::setTaxCaptions() {
  form_->tax1Check->setText(asCaption(session_.settings.ShipLine));
  form_->tax1Check->setAccessibleName(fromStd(session_.settings.ShipLine).trimmed());
  form_->tax2Check->setText(asCaption(session_.settings.TaxLine));
  form_->tax2Check->setAccessibleName(fromStd(session_.settings.TaxLine).trimmed());
}

void TProdDef::showProduct() {
  const ProductRecord& product = session_.Product;
  form_->productIdEdit->setText(fromStd(product.PrID).trimmed());
  form_->descriptionEdit->setText(fromStd(product.PDesc).trimmed());
  form_->description2Edit->setText(fromStd(product.IComm).trimmed());
  form_->licenseCodeEdit->setText(fromStd(product.RCode).trimmed());
  form_->productTextMemo->setPlainText(memoForEditor(product.PMemo).trimmed());
  form_->priceEdit->setValue(product.UPrice);
  form_->reorderLevelEdit->setValue(product.REORDER);
  form_->tax1Check->setChecked(product.LTax1);
  form_->tax2Check->setChecked(product.LTax2);
  form_->inventoryItemCheck->setChecked(product.lInven);
}

void TProdDef::priceLeft() {
  LeaveAmountField(*form_->priceEdit, ui_.dialogs);
}

void TProdDef::reorderLevelLeft() {
  LeaveAmountField(*form_->reorderLevelEdit, ui_.dialogs);
}

bool TProdDef::idIsFree(const QString& id) {
  const QString current = fromStd(session_.Product.PrID).trimmed();
  if (id.compare(current, Qt::CaseInsensitive) == 0) return true;
  engine::Table* products = session_.products();
  if (!products)
    return ReportTableFailure(ui_.dialogs, session_.engine(), "search the products",
                              engine::kErrOpen);
  products->selectTag(products->tag("Prod"));
  session_.engine().errorCode();
  session_.EngineResult = products->seek(base::KeyText(id.toStdString()));
  if (const int status = session_.engine().errorCode(); status < 0) {
    return ReportTableFailure(ui_.dialogs, session_.engine(), "search the products", status);
  }
  if (session_.EngineResult != engine::Result::Success) return true;
  const QString found = fromStd(vt::data::ReadText(*products->field("PrID"))).trimmed();
  if (found.compare(id, Qt::CaseInsensitive) != 0) return true;
  ui_.dialogs.information("", "Duplicate Product ID's are not allowed");
  return false;
}

void TProdDef::saveClicked() {
  const QString id = form_->productIdEdit->text().trimmed().toUpper();
  if (id.isEmpty()) {
    ui_.dialogs.information("", "Blank Product ID not allowed");
    return;
  }
  if (!idIsFree(id)) return;
  const std::optional<double> price = AmountToSave(*form_->priceEdit, ui_.dialogs);
  if (!price) return;
  const std::optional<double> reorder = AmountToSave(*form_->reorderLevelEdit, ui_.dialogs);
  if (!reorder) return;

  ProductRecord& product = session_.Product;
  product.PrID = id.toStdString();
  product.RCode = form_->licenseCodeEdit->text().trimmed().toStdString();
  product.PDesc = form_->descriptionEdit->text().trimmed().toStdString();
  product.IComm = form_->description2Edit->text().trimmed().toStdString();
  product.PMemo = memoForStore(form_->productTextMemo->toPlainText().trimmed());
  product.UPrice = *price;
  product.REORDER = *reorder;
  product.LTax1 = form_->tax1Check->isChecked();
  product.LTax2 = form_->tax2Check->isChecked();
  product.lInven = form_->inventoryItemCheck->isChecked();

  if (SaveEditedRecord(session_, vt::data::TableId::Products, session_.CurProduct,
                       &vt::data::DataSession::StoreProduct, ui_.dialogs, "save the product")) {
    accept();
  }
}

void TProdDef::deleteClicked() {
  ui::WaitCursor wait;
  if (DeleteRecord(session_, session_.products(), session_.CurProduct, ui_.dialogs,
                   "delete the product")) {
    accept();
  }
}

void TProdDef::cancelClicked() {
  QDialog::reject();
}

void TProdDef::reject() {
  if (changes_.mayDiscard(ui_.dialogs, "Discard the changes to this product?")) QDialog::reject();
}

void TProdDef::helpClicked() {
  ui_.help.showContext(kHelpContext);
}

}  // namespace vt::catalog
