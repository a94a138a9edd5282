// The address label runs: the report page's "Print Address Labels" menu and
// the Invoices page's labels for invoice dates.
#include <QAction>
#include <QToolButton>
#include <utility>

#include "labels/label_runs.h"
#include "shell/app_state.h"
#include "shell/catalog_windows.h"
#include "shell/picture_button.h"
#include "shell/tmain.h"

namespace vt::shell {

void TMain::runLabels(void (labels::LabelRuns::*run)()) {
  if (state_.session() && catalog_) (catalog_->Labels.get()->*run)();
}

void TMain::connectLabelRuns() {
  using labels::LabelRuns;
  connect(button("invoiceLabelsButton"), &QToolButton::clicked, this,
          [this] { runLabels(&LabelRuns::InvoicesDated); });
  const std::pair<const char*, void (LabelRuns::*)()> items[] = {
      {"labelsCustomers", &LabelRuns::SelectedCustomers},
      {"labelsInvoicesDated", &LabelRuns::InvoicesDated},
      {"labelsPastDue", &LabelRuns::PastDueBilling},
      {"labelsBalanceDue", &LabelRuns::BalanceDueStatement},
      {"labelsGroups", &LabelRuns::CustomerGroups}};
  for (const auto& [name, run] : items) {
    QAction* action = findChild<QAction*>(QString::fromLatin1(name));
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, [this, run = run] { runLabels(run); });
  }
}

}  // namespace vt::shell
