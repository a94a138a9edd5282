#include "catalog/tpickprod.h"

#include "base/convert.h"

using vt::data::DataSession;
using vt::ui::GridPickerSettings;

namespace vt::catalog {

namespace {

QStringList productRow(DataSession& session, bool deleted) {
  if (session.LoadProduct() < 0) return {};
  const vt::data::ProductRecord& p = session.Product;
  QString price = deleted ? QStringLiteral("<DELETED>")
                          : QString::fromStdString(vt::base::FloatText(p.UPrice, 8, 2));
  return {QString::fromStdString(p.PrID), QString::fromStdString(p.PDesc), price};
}

GridPickerSettings productSettings() {
  GridPickerSettings s;
  s.caption = QStringLiteral("Select Product");
  s.table = vt::data::TableId::Products;
  s.measure = QLatin1Char('M');
  s.gridWidth = 45;
  s.rightMargin = 10;
  s.firstRowAfterFill = false;
  s.order = [](const DataSession&) {
    return vt::ui::GridOrder{{{"Product ID", 10}, {"Description", 27}, {"Price", 8}}, {}};
  };
  s.row = productRow;
  return s;
}

}  // namespace

TPickProd::TPickProd(QWidget* parent, DataSession& session, vt::ui::UiContext& ui)
    : GridPicker(parent, session, ui, productSettings()) {
  setObjectName(QStringLiteral("TPickProd"));
}

}  // namespace vt::catalog
