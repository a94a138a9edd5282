#include "catalog/tpickpur.h"

#include <QDate>

#include "base/convert.h"
#include "ui/locale_format.h"

using vt::base::FloatText;
using vt::data::DataSession;
using vt::ui::GridPickerSettings;

namespace vt::catalog {

namespace {

QStringList purchaseRow(DataSession& session, bool deleted) {
  if (session.LoadPurchase() < 0) return {};
  const vt::data::PurchaseRecord& p = session.Purchase;
  QDate date(p.PURDate.year, p.PURDate.month, p.PURDate.day);
  QString cost =
      deleted ? QStringLiteral("<DELETED>") : QString::fromStdString(FloatText(p.PURCost, 12, 2));
  return {QString::fromStdString(p.PURProd), vt::ui::FormatShortDate(date),
          QString::fromStdString(FloatText(p.PURQty, 10, 2)), cost};
}

GridPickerSettings purchaseSettings() {
  GridPickerSettings s;
  s.caption = QStringLiteral("PickPur");
  s.table = vt::data::TableId::Purchases;
  s.measure = QLatin1Char('B');
  s.gridWidth = 40;
  s.rightMargin = 10;
  s.firstRowAfterFill = false;
  s.order = [](const DataSession&) {
    return vt::ui::GridOrder{
        {{"Product ID", 10}, {"Date", 8}, {"Quantity", 10}, {"Total Cost", 12}}, {}};
  };
  s.row = purchaseRow;
  return s;
}

}  // namespace

TPickPur::TPickPur(QWidget* parent, DataSession& session, vt::ui::UiContext& ui)
    : GridPicker(parent, session, ui, purchaseSettings()) {
  setObjectName(QStringLiteral("TPickPur"));
}

}  // namespace vt::catalog
