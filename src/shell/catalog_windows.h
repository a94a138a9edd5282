// The customer, group, product, purchase, invoice and report windows, made
// once when the data session exists and kept for the rest of the run, with
// the print runs of customer documents.
#pragma once

#include <QFont>
#include <QWidget>
#include <memory>

#include "base/progress.h"
#include "mailing/mail_password_cache.h"
#include "reports/report_choices.h"

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
namespace vt::labels {
class LabelRuns;
class TLabelDef;
class TLabPrint;
class TPickLab;
}  // namespace vt::labels
namespace vt::mailing {
class DocumentMailer;
class TMailSetup;
}  // namespace vt::mailing
namespace vt::reports {
class CustomerRuns;
class ProfileRuns;
class SalesRuns;
class StockRuns;
class TDateSpan;
class TMultGroup;
class TReportF;
}  // namespace vt::reports

namespace vt::shell {

struct CatalogWindows {
  // `reportFont` is the run's report font, read whenever a report is shown;
  // `progress` the main window's progress box.
  CatalogWindows(QWidget* parent, data::DataSession& session, ui::UiContext& ui,
                 const QFont& reportFont, base::Progress* progress);
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
  reports::ReportChoices Choices;
  reports::TReportF* Report;
  reports::TDateSpan* DateSpan;
  reports::TMultGroup* MultGroup;
  labels::TPickLab* PickLab;
  labels::TLabelDef* LabelDef;
  labels::TLabPrint* LabPrint;
  std::unique_ptr<reports::CustomerRuns> Runs;
  std::unique_ptr<reports::SalesRuns> Sales;
  std::unique_ptr<reports::StockRuns> Stock;
  std::unique_ptr<reports::ProfileRuns> Profile;
  std::unique_ptr<labels::LabelRuns> Labels;
  // The outgoing server's password for this run, the E-mail settings window
  // and the report window's sending of documents.
  mailing::MailPasswordCache MailPasswords;
  mailing::TMailSetup* MailSetup;
  std::unique_ptr<mailing::DocumentMailer> Mailer;
  // The customer window's group picker and editor serve the main window's
  // group button too.
  catalog::TPickGroup& pickGroup();
  catalog::TGroupDef& groupDef();
};

}  // namespace vt::shell
