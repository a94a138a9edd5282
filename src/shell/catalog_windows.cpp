#include "shell/catalog_windows.h"

#include "catalog/tcustomer.h"
#include "catalog/tgroupdef.h"
#include "catalog/tpickcust.h"
#include "catalog/tpickgroup.h"
#include "catalog/tpickprod.h"
#include "catalog/tpickpur.h"
#include "catalog/tproddef.h"
#include "catalog/tpurdef.h"
#include "invoicing/tinvoice.h"
#include "invoicing/tpickinv.h"
#include "reports/customer_runs.h"
#include "reports/sales_runs.h"
#include "reports/tdatespan.h"
#include "reports/tmultgroup.h"
#include "reports/treportf.h"

namespace vt::shell {

CatalogWindows::CatalogWindows(QWidget* parent, data::DataSession& session, ui::UiContext& ui,
                               const QFont& reportFont, base::Progress* progress)
    : PickCust(new catalog::TPickCust(parent, session, ui)),
      Customer(new catalog::TCustomer(parent, session, ui)),
      PickProd(new catalog::TPickProd(parent, session, ui)),
      ProdDef(new catalog::TProdDef(parent, session, ui)),
      PickPur(new catalog::TPickPur(parent, session, ui)),
      PurDef(new catalog::TPurDef(parent, session, ui)),
      PickInv(new invoicing::TPickInv(parent, session, ui)),
      Invoice(new invoicing::TInvoice(parent, session, ui)),
      Report(new reports::TReportF(parent, ui, reportFont)),
      DateSpan(new reports::TDateSpan(parent, ui, Choices)),
      MultGroup(new reports::TMultGroup(parent, session, ui, Choices)),
      Runs(std::make_unique<reports::CustomerRuns>(
          session, ui, reportFont, Choices,
          reports::RunWindows{*Report, *DateSpan, *PickInv, *Invoice, *PickCust, *Customer})),
      Sales(std::make_unique<reports::SalesRuns>(session, ui, reportFont, Choices, *Report,
                                                 *DateSpan, progress)) {
  PurDef->setProductWindows(*PickProd, *ProdDef);
  Invoice->setCatalogWindows(*PickCust, *Customer, *PickProd, *ProdDef);
  Invoice->setPrinter(*Runs);
  Sales->setProductWindows(*PickProd, *ProdDef);
}

CatalogWindows::~CatalogWindows() {
  Sales.reset();
  Runs.reset();
  delete MultGroup;
  delete DateSpan;
  delete Report;
  delete Invoice;
  delete PickInv;
  delete PurDef;
  delete PickPur;
  delete ProdDef;
  delete PickProd;
  delete Customer;
  delete PickCust;
}

catalog::TPickGroup& CatalogWindows::pickGroup() {
  return Customer->groupPicker();
}
catalog::TGroupDef& CatalogWindows::groupDef() {
  return Customer->groupEditor();
}

}  // namespace vt::shell
