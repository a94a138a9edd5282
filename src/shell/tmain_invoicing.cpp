// The Invoices page's "Create & Edit Invoices" button (the invoice cycle on
// every table an invoice touches, then a pack of everything when the cycle
// deleted something), and the print runs of invoices, bills and statements.
#include <QAction>
#include <QToolButton>
#include <functional>

#include "invoicing/tinvoice.h"
#include "invoicing/tpickinv.h"
#include "reports/customer_runs.h"
#include "reports/profile_runs.h"
#include "reports/sales_runs.h"
#include "reports/stock_runs.h"
#include "shell/app_state.h"
#include "shell/catalog_windows.h"
#include "shell/picture_button.h"
#include "shell/tmain.h"

namespace vt::shell {

void TMain::invoicesClicked() {
  data::DataSession* session = state_.session();
  if (!session || !catalog_) return;
  if (!session->OpenCustomers() || !session->OpenGroups() || !session->OpenInvoices() ||
      !session->OpenItems() || !session->OpenPayments() || !session->OpenProducts()) {
    return;
  }
  engine::Table* invoices = session->invoices();
  invoices->selectTag(invoices->tag("Inv"));
  session->StartAtBottom(data::RecordKind::Invoice);
  session->AddAndEdit(data::RecordKind::Invoice, *catalog_->PickInv, *catalog_->Invoice);
  session->CloseAll();
  if (session->NeedsPack) PackDataFiles();
}

void TMain::printInvoices(bool byDates, bool invoiceMode) {
  if (state_.session() && catalog_) catalog_->Runs->PrintInvoices(byDates, invoiceMode);
}

void TMain::printStatements(bool withBalances) {
  if (state_.session() && catalog_) catalog_->Runs->PrintStatements(withBalances);
}

void TMain::runSales(void (reports::SalesRuns::*report)()) {
  if (state_.session() && catalog_) (catalog_->Sales.get()->*report)();
}

void TMain::runStock(void (reports::StockRuns::*report)()) {
  if (state_.session() && catalog_) (catalog_->Stock.get()->*report)();
}

void TMain::runProfile(bool byGroups) {
  if (state_.session() && catalog_) catalog_->Profile->CustomerProfile(byGroups);
}

void TMain::connectCustomerDocuments() {
  connect(button("printInvoicesButton"), &QToolButton::clicked, this,
          [this] { printInvoices(true, true); });
  connect(button("productListButton"), &QToolButton::clicked, this,
          [this] { runStock(&reports::StockRuns::ProductListing); });
  connect(button("purchaseReportButton"), &QToolButton::clicked, this,
          [this] { runStock(&reports::StockRuns::PurchasingReport); });
  const std::pair<const char*, std::function<void()>> items[] = {
      {"invoicesByDate", [this] { printInvoices(true, true); }},
      {"invoicesSelected", [this] { printInvoices(false, true); }},
      {"billsWithBalance", [this] { printInvoices(true, false); }},
      {"billsSelected", [this] { printInvoices(false, false); }},
      {"statementsWithBalance", [this] { printStatements(true); }},
      {"statementsSelected", [this] { printStatements(false); }},
      {"salesSummary", [this] { runSales(&reports::SalesRuns::SalesSummary); }},
      {"taxSummary", [this] { runSales(&reports::SalesRuns::TaxSummary); }},
      {"productSummary", [this] { runSales(&reports::SalesRuns::ProductSummary); }},
      {"productBuyers", [this] { runSales(&reports::SalesRuns::ProductBuyers); }},
      {"incomeSummary", [this] { runSales(&reports::SalesRuns::IncomeSummary); }},
      {"receivableIncome", [this] { runSales(&reports::SalesRuns::Receivables); }},
      {"receivablesAging", [this] { runSales(&reports::SalesRuns::ReceivablesAging); }},
      {"salesChart", [this] { runSales(&reports::SalesRuns::SalesChart); }},
      {"sentMail", [this] { runSales(&reports::SalesRuns::SentMail); }},
      {"inventoryReport", [this] { runStock(&reports::StockRuns::InventoryReport); }},
      {"costOfGoodsSold", [this] { runStock(&reports::StockRuns::CostOfGoodsSold); }},
      {"stockOnHand", [this] { runStock(&reports::StockRuns::StockOnHand); }},
      {"profileCustomers", [this] { runProfile(false); }},
      {"profileGroups", [this] { runProfile(true); }}};
  for (const auto& [name, run] : items) {
    QAction* action = findChild<QAction*>(QString::fromLatin1(name));
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, run);
  }
}

}  // namespace vt::shell
