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
#include "labels/label_runs.h"
#include "labels/tlabeldef.h"
#include "labels/tlabprint.h"
#include "labels/tpicklab.h"
#include "mailing/document_mailer.h"
#include "mailing/tmailsetup.h"
#include "reports/customer_runs.h"
#include "reports/profile_runs.h"
#include "reports/sales_runs.h"
#include "reports/stock_runs.h"
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
      PickLab(new labels::TPickLab(parent, session, ui)),
      LabelDef(new labels::TLabelDef(parent, session, ui)),
      LabPrint(new labels::TLabPrint(parent, session, ui)),
      Runs(std::make_unique<reports::CustomerRuns>(
          session, ui, reportFont, Choices,
          reports::RunWindows{*Report, *DateSpan, *PickInv, *Invoice, *PickCust, *Customer})),
      Sales(std::make_unique<reports::SalesRuns>(
          reports::RunnerParts{session, ui, reportFont, Choices, *Report, *DateSpan, progress})),
      Stock(std::make_unique<reports::StockRuns>(
          reports::RunnerParts{session, ui, reportFont, Choices, *Report, *DateSpan, progress})),
      Profile(std::make_unique<reports::ProfileRuns>(
          reports::RunnerParts{session, ui, reportFont, Choices, *Report, *DateSpan, progress},
          *MultGroup, *PickCust, *Customer)),
      Labels(std::make_unique<labels::LabelRuns>(
          session, ui, reportFont, Choices,
          labels::LabelWindows{*LabPrint, *DateSpan, *MultGroup, *PickCust, *Customer}, progress)),
      MailSetup(new mailing::TMailSetup(parent, ui, MailPasswords)),
      Mailer(std::make_unique<mailing::DocumentMailer>(parent, session, ui, reportFont,
                                                       MailPasswords)) {
  Report->setMailer([this](const reports::ReportDoc& doc) { Mailer->Send(doc); });
  PurDef->setProductWindows(*PickProd, *ProdDef);
  Invoice->setCatalogWindows(*PickCust, *Customer, *PickProd, *ProdDef);
  Invoice->setPrinter(*Runs);
  Sales->setProductWindows(*PickProd, *ProdDef);
}

CatalogWindows::~CatalogWindows() {
  Mailer.reset();
  delete MailSetup;
  Labels.reset();
  Profile.reset();
  Stock.reset();
  Sales.reset();
  Runs.reset();
  delete LabPrint;
  delete LabelDef;
  delete PickLab;
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
