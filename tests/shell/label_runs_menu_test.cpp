// The address label runs reached from the report page's menu and the
// Invoices page: on a new installation, with no label stock, each says so.
#include <gtest/gtest.h>

#include <QAction>

#include "labels/label_runs.h"
#include "shell/picture_button.h"
#include "shell/shell_test_support.h"

namespace vt::shell::testing {
namespace {

TEST(LabelRunsMenu, EveryEntryStartsARun) {
  DataDir dir;
  ProgramRun run{dir.path()};
  run.startUp();
  for (const char* action : {"labelsCustomers", "labelsInvoicesDated", "labelsPastDue",
                             "labelsBalanceDue", "labelsGroups"}) {
    run.main->findChild<QAction*>(action)->trigger();
    EXPECT_EQ(run.dialogs.shown().back().text, labels::LabelRuns::kNoStock) << action;
    run.dialogs.clear();
  }
  run.main->button("invoiceLabelsButton")->click();
  EXPECT_EQ(run.dialogs.shown().back().text, labels::LabelRuns::kNoStock);
}

}  // namespace
}  // namespace vt::shell::testing
