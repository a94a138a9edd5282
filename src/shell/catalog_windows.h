// The customer, group, product, purchase and invoice windows, made once when
// the data session exists and kept for the rest of the run.
#pragma once

#include <QWidget>

namespace vt::data {
class DataSession;
}
namespace vt::ui {
struct UiContext;
}
namespace vt::catalog {
class TCustomer;
class TGroupDef;
class TPickCust;
class TPickGroup;
class TPickProd;
class TPickPur;
class TProdDef;
class TPurDef;
}  // namespace vt::catalog
namespace vt::invoicing {
class TInvoice;
class TPickInv;
}  // namespace vt::invoicing

namespace vt::shell {

struct CatalogWindows {
  CatalogWindows(QWidget* parent, data::DataSession& session, ui::UiContext& ui);
  // The windows go before the session they work on.
  ~CatalogWindows();
  CatalogWindows(const CatalogWindows&) = delete;
  CatalogWindows& operator=(const CatalogWindows&) = delete;

  catalog::TPickCust* PickCust;
  catalog::TCustomer* Customer;
  catalog::TPickProd* PickProd;
  catalog::TProdDef* ProdDef;
  catalog::TPickPur* PickPur;
  catalog::TPurDef* PurDef;
  invoicing::TPickInv* PickInv;
  invoicing::TInvoice* Invoice;
  // The customer window's group picker and editor serve the main window's
  // group button too.
  catalog::TPickGroup& pickGroup();
  catalog::TGroupDef& groupDef();
};

}  // namespace vt::shell
