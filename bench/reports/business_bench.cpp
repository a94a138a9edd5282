// Generates a business in a new installation and times building the
// document of every report over a full year and over all the data:
//
//   <report> span=year|all seconds=<s> rows=<n>
//
// The business (default scale 1): 5,000 customers in 10 groups, 2,000
// products (every other one an inventory item), 20,000 purchases, 100,000
// invoices over five years (2022-2026) with 300,000 line items and 80,000
// payments. `--scale F` multiplies every count (0.1 gives a tenth), to see
// how the cost grows with the rows a report covers. The data directory is
// temporary and removed at the end.
// Usage: business_bench [--scale F] [--only REPORT]
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/dialogs.h"
#include "base/program_exit.h"
#include "data/data_session.h"
#include "data/init.h"
#include "data/table_defs.h"
#include "reports/customer_profile.h"
#include "reports/inventory_reports.h"
#include "reports/receivables_aging.h"
#include "reports/sales_chart.h"
#include "reports/sales_reports.h"

namespace {

using Clock = std::chrono::steady_clock;
using vt::base::DateTime;
using vt::reports::ReportContext;

struct Counts {
  long customers = 5000, groups = 10, products = 2000, purchases = 20000;
  long invoices = 100000, itemsPerInvoice = 3, payments = 80000;
};

Counts Scaled(double scale) {
  Counts c;
  auto s = [scale](long n) { return std::max(1L, static_cast<long>(n * scale)); };
  c.customers = s(c.customers);
  c.products = s(c.products);
  c.purchases = s(c.purchases);
  c.invoices = s(c.invoices);
  c.payments = s(c.payments);
  return c;
}

// A new installation in a temporary directory, removed at the end.
class DataDir {
 public:
  DataDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vt-business-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    const vt::data::InitOutcome made = vt::data::InitDataDir(path_);
    if (!made.ok) throw std::runtime_error("init failed: " + made.message);
  }
  ~DataDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Five years from 2022-01-01: day `n` of them as "yyyymmdd".
std::string DayText(long day) {
  using namespace std::chrono;
  const year_month_day date{sys_days{2022y / January / 1} + days{day}};
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02u%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}
constexpr long kDays = 5 * 365;

// `format` with one long in it.
std::string Numbered(const char* format, long n) {
  char text[64];
  std::snprintf(text, sizeof text, format, n);
  return text;
}

std::string ProductCode(long n) {
  return Numbered("P%05ld", n);
}

// Appends `count` records to `tableName` without indexes, filling each with
// `fill` (record number from 1), then builds the table's index group.
void WriteTable(const std::string& dir, const char* tableName, long count,
                const std::function<void(vt::engine::Table&, long)>& fill) {
  vt::engine::Engine engine(dir);
  engine.accessMode = vt::engine::AccessMode::DenyWrite;
  engine.autoOpen = false;
  engine.safety = false;
  vt::engine::Table* table = engine.open(tableName);
  if (!table) throw std::runtime_error(std::string("cannot open ") + tableName);
  for (long n = 1; n <= count; ++n) {
    if (table->appendBlank() < 0) throw std::runtime_error("append failed");
    fill(*table, n);
  }
  const vt::data::TableDef* def = vt::data::findTableDef(table->name());
  if (table->flush() < 0 || !def || table->createIndexGroup(def->group, def->tagSpecs()) < 0) {
    throw std::runtime_error(std::string("cannot write ") + tableName);
  }
  engine.closeAll();
}

void WriteBusiness(const std::string& dir, const Counts& c) {
  std::mt19937 random(20261207);
  auto below = [&random](long n) { return std::uniform_int_distribution<long>(0, n - 1)(random); };
  WriteTable(dir, "GROUPS", c.groups, [](vt::engine::Table& t, long n) {
    t.field("nGroup")->assignLong(n);
    t.field("cGroup")->assign(Numbered("Group %ld", n));
  });
  WriteTable(dir, "CUST5", c.customers, [&](vt::engine::Table& t, long n) {
    t.field("cuno")->assignLong(n);
    t.field("last")->assign(Numbered("Last%ld", below(100000)));
    t.field("first")->assign(Numbered("First%ld", n % 97));
    t.field("addr1")->assign(Numbered("Company %ld", n));
    t.field("addr2")->assign(Numbered("%ld Main Street", n % 900 + 1));
    t.field("zip")->assign(std::to_string(10000 + below(90000)));
    t.field("ngroup")->assignLong(n % c.groups + 1);
  });
  WriteTable(dir, "Prod5", c.products, [&](vt::engine::Table& t, long n) {
    t.field("PrID")->assign(ProductCode(n));
    t.field("PDesc")->assign(Numbered("Product number %ld", n));
    t.field("UPrice")->assignDouble(static_cast<double>(below(50000)) / 100 + 1);
    t.field("lInven")->assign(n % 2 ? "T" : "F");
    t.field("REORDER")->assignDouble(static_cast<double>(below(40)));
    t.field("LTax1")->assign("T");
    t.field("lBuild")->assign("F");
  });
  WriteTable(dir, "Pur5", c.purchases, [&](vt::engine::Table& t, long n) {
    const long quantity = below(100) + 1;
    t.field("PURProd")->assign(ProductCode(below(c.products) + 1));
    t.field("PURDate")->assign(DayText(below(kDays)));
    t.field("PURQty")->assignLong(quantity);
    t.field("PURCost")->assignDouble(static_cast<double>(quantity * (below(20000) + 100)) / 100);
    t.field("PURNo")->assignLong(n % 1000000);
  });
  // Invoices a day apart in number order, so the dates rise with the numbers.
  WriteTable(dir, "INV5", c.invoices, [&](vt::engine::Table& t, long n) {
    t.field("IvNo")->assignLong(n);
    t.field("CuNo")->assignLong(below(c.customers) + 1);
    t.field("IDate")->assign(DayText((n - 1) * kDays / c.invoices));
    t.field("Ship")->assignDouble(n % 5 ? 0 : 7.5);
    t.field("Tax")->assignDouble(static_cast<double>(below(3000)) / 100);
    t.field("Due")->assignDouble(n % 7 ? 0 : static_cast<double>(below(50000)) / 100);
  });
  WriteTable(dir, "ITM5", c.invoices * c.itemsPerInvoice, [&](vt::engine::Table& t, long n) {
    t.field("IvNo")->assignLong((n - 1) / c.itemsPerInvoice + 1);
    t.field("PrID")->assign(ProductCode(below(c.products) + 1));
    t.field("Qty")->assignLong(below(5) + 1);
    t.field("UPR")->assignDouble(static_cast<double>(below(50000)) / 100 + 1);
    t.field("LTax1")->assign("T");
    t.field("LTax2")->assign("F");
    t.field("lBuild")->assign("F");
  });
  WriteTable(dir, "PMT", c.payments, [&](vt::engine::Table& t, long n) {
    const long invoice = (n - 1) * c.invoices / c.payments + 1;
    t.field("IvNo")->assignLong(invoice);
    t.field("PDate")->assign(DayText((invoice - 1) * kDays / c.invoices));
    t.field("PAmt")->assignDouble(static_cast<double>(below(50000)) / 100);
  });
}

using Build = std::function<int(ReportContext&, const DateTime&, const DateTime&)>;

struct Timed {
  const char* name;
  Build build;
};

void Run(vt::data::DataSession& session, const Timed& report, const char* span,
         const DateTime& from, const DateTime& to) {
  vt::reports::ReportDoc doc;
  vt::reports::PlainMetrics metrics;
  ReportContext context{session, doc, metrics, vt::invoicing::plainViewTexts(), nullptr};
  const Clock::time_point start = Clock::now();
  const int status = report.build(context, from, to);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  session.CloseAll();
  if (status < 0) throw std::runtime_error(std::string(report.name) + " failed");
  std::printf("%-16s span=%-4s seconds=%.4f rows=%d\n", report.name, span, seconds, doc.CurRow + 1);
  std::fflush(stdout);
  doc.EndReport();
}

std::vector<Timed> Reports(vt::reports::CostMethod method) {
  using namespace vt::reports;
  return {
      {"sales-summary", [](ReportContext& c, auto& f, auto& t) { return SalesSummary(c, f, t); }},
      {"tax-summary", [](ReportContext& c, auto& f, auto& t) { return TaxSummary(c, f, t); }},
      {"product-summary",
       [](ReportContext& c, auto& f, auto& t) { return ProductSummary(c, f, t); }},
      {"product-buyers",
       [](ReportContext& c, auto& f, auto& t) { return ProductBuyers(c, 1, f, t); }},
      {"income-summary", [](ReportContext& c, auto& f, auto& t) { return IncomeSummary(c, f, t); }},
      {"purchasing", [](ReportContext& c, auto& f, auto& t) { return PurchasingReport(c, f, t); }},
      {"cost-of-goods",
       [method](ReportContext& c, auto& f, auto& t) { return CostOfGoodsSold(c, method, f, t); }},
      {"inventory",
       [method](ReportContext& c, auto&, auto& t) { return InventoryReport(c, method, t); }},
      {"aging", [](ReportContext& c, auto&, auto& t) { return ReceivablesAging(c, t, false); }},
      {"sales-chart", [](ReportContext& c, auto& f, auto& t) { return SalesChart(c, f, t); }},
  };
}

// The reports without a span, over all the data.
std::vector<Timed> WholeReports(vt::reports::CostMethod method, const DateTime& today) {
  using namespace vt::reports;
  return {
      {"receivables", [](ReportContext& c, auto&, auto&) { return Receivables(c); }},
      {"product-listing", [](ReportContext& c, auto&, auto&) { return ProductListing(c); }},
      {"stock-on-hand",
       [method, today](ReportContext& c, auto&, auto&) { return StockOnHand(c, method, today); }},
      {"profile-group",
       [](ReportContext& c, auto&, auto&) {
         CustomerProfile profile(c);
         int status = profile.Start();
         if (status == 0) status = profile.AddGroups({1});
         profile.Finish();
         return status;
       }},
  };
}

}  // namespace

int main(int argc, char** argv) {
  double scale = 1;
  std::string only;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--scale") == 0 && i + 1 < argc) scale = std::atof(argv[++i]);
    if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) only = argv[++i];
  }
  try {
    const Counts counts = Scaled(scale);
    DataDir dir;
    const Clock::time_point start = Clock::now();
    WriteBusiness(dir.path(), counts);
    std::printf(
        "# %ld invoices, %ld items, %ld payments, %ld products, %ld purchases "
        "(written in %.1f s)\n",
        counts.invoices, counts.invoices * counts.itemsPerInvoice, counts.payments, counts.products,
        counts.purchases, std::chrono::duration<double>(Clock::now() - start).count());
    vt::base::ScriptedDialogs dialogs;
    vt::base::ProgramExit exit;
    vt::data::DataSession session(dir.path(), dialogs, exit, {});
    if (!session.OpenSettings() || session.ReadSettings() < 0) throw std::runtime_error("settings");
    session.CloseSettings();
    const vt::reports::CostMethod method = vt::reports::MethodOf(session.settings);
    const DateTime yearFrom{2025, 1, 1}, yearTo{2025, 12, 31};
    const DateTime allFrom{2022, 1, 1}, allTo{2026, 12, 31};
    for (const Timed& report : Reports(method)) {
      if (!only.empty() && only != report.name) continue;
      Run(session, report, "year", yearFrom, yearTo);
      Run(session, report, "all", allFrom, allTo);
    }
    for (const Timed& report : WholeReports(method, allTo)) {
      if (!only.empty() && only != report.name) continue;
      Run(session, report, "all", allFrom, allTo);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "business_bench: %s\n", error.what());
    return 1;
  }
  return 0;
}
