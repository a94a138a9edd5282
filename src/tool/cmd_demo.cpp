// vantrell-tool demo DIR: a new data directory filled with a sample
// business — customers, products, purchases and a year of invoices. A
// directory that is missing or empty gets the data files of init first.
#include <filesystem>
#include <iostream>

#include "base/program_exit.h"
#include "engine/status.h"
#include "tool/commands.h"
#include "tool/console.h"
#include "tool/demo_sample.h"

namespace vt::tool {
namespace {

using data::DataSession;

// The eight tables the sample fills. A table that cannot be opened ends the
// run saying so (in use by another program, or "Unable to open file").
bool openTables(DataSession& s) {
  return s.OpenCustomers() && s.OpenGroups() && s.OpenInvoices() && s.OpenItems() &&
         s.OpenLabels() && s.OpenPayments() && s.OpenProducts() && s.OpenPurchases();
}

// The names of the tables that already hold records, "CUST5, INV5".
std::string tablesInUse(DataSession& s) {
  std::string names;
  for (engine::Table* table : s.engine().openTables()) {
    if (table->recCount() == 0) continue;
    names += (names.empty() ? "" : ", ") + table->name();
  }
  return names;
}

struct Step {
  const char* what;
  int (*write)(DataSession&, demo::Sample&);
};

const Step kSteps[] = {
    {"settings", demo::WriteSettings}, {"label stocks", demo::WriteLabelStocks},
    {"groups", demo::WriteGroups},     {"customers", demo::WriteCustomers},
    {"products", demo::WriteProducts}, {"purchases", demo::WritePurchases},
    {"invoices", demo::WriteInvoices},
};

void printSummary(const std::string& dir, const demo::Sample& s) {
  std::cout << "Filled " << dir << " with a sample business: " << s.customers.size()
            << " customers in " << s.groups.size() << " groups, " << s.products.size()
            << " products, " << s.arrivals.size() << " purchases, " << s.invoices
            << " invoices with " << s.items << " items and " << s.payments << " payments, "
            << s.labels << " label stocks" << std::endl;
}

}  // namespace

int runDemo(const Args& args) {
  if (args.size() != 1) return usageError("demo takes one directory");
  const std::string& dir = args[0];
  // A directory that is not there yet, or empty, gets the data files first.
  std::error_code error;
  const bool fresh =
      !std::filesystem::exists(dir, error) ||
      (std::filesystem::is_directory(dir, error) && std::filesystem::is_empty(dir, error));
  if (fresh && runInit(args) != kExitOk) return kExitFailure;
  if (!requireDataFiles(dir)) return kExitFailure;
  ConsoleDialogs dialogs;
  base::ProgramExit exit;
  DataSession session(dir, dialogs, exit, toolSessionOptions());
  if (!openTables(session)) return kExitFailure;
  if (const std::string inUse = tablesInUse(session); !inUse.empty()) {
    std::cerr << dir << ": already holds records (" << inUse
              << "); demo fills only a new data directory made by init" << std::endl;
    return kExitFailure;
  }
  demo::Sample sample(base::Now());
  for (const Step& step : kSteps) {
    if (const int status = step.write(session, sample); status < 0) {
      session.CloseAll();
      std::cerr << dir << ": writing the sample " << step.what
                << " failed: " << engine::statusText(status) << std::endl;
      return kExitFailure;
    }
  }
  session.CloseAll();
  printSummary(dir, sample);
  return kExitOk;
}

}  // namespace vt::tool
