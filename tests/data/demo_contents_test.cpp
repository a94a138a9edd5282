// The sample business `vantrell-tool demo` writes: it passes the check, has
// the size it promises, and its invoices, payments, stock and dates hang
// together the way the program's own windows would have left them.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "base/dialogs.h"
#include "base/program_exit.h"
#include "data/data_session.h"
#include "data/export.h"
#include "demo_test_support.h"

namespace vt::data {
namespace {

using testing::TempDir;

std::string trimmed(const std::string& text) {
  const size_t end = text.find_last_not_of(' ');
  return end == std::string::npos ? "" : text.substr(0, end + 1);
}

// Every record of every table, read back through the access layer.
struct Business {
  Settings settings;
  std::vector<GroupRecord> groups;
  std::vector<CustomerRecord> customers;
  std::vector<ProductRecord> products;
  std::vector<PurchaseRecord> purchases;
  std::vector<InvoiceRecord> invoices;
  std::vector<ItemRecord> items;
  std::vector<PaymentRecord> payments;
  std::vector<LabelRecord> labels;
};

template <class R>
std::vector<R> readAll(DataSession& s, engine::Table* table, int (DataSession::*load)(),
                       const R& buffer) {
  std::vector<R> records;
  if (table == nullptr) return records;
  for (auto r = table->top(); r == engine::Result::Success; r = table->skip()) {
    EXPECT_EQ((s.*load)(), 0);
    records.push_back(buffer);
  }
  return records;
}

Business readBusiness(const std::string& dir) {
  base::ScriptedDialogs dialogs;
  base::ThrowingExit exit;
  DataSession s(dir, dialogs, exit);
  Business b;
  EXPECT_TRUE(s.OpenSettings());
  EXPECT_EQ(s.ReadSettings(), 0);
  b.settings = s.settings;
  EXPECT_TRUE(s.OpenGroups() && s.OpenCustomers() && s.OpenProducts() && s.OpenPurchases() &&
              s.OpenInvoices() && s.OpenItems() && s.OpenPayments() && s.OpenLabels());
  using S = DataSession;
  b.groups = readAll(s, s.groups(), &S::LoadGroup, s.Group);
  b.customers = readAll(s, s.customers(), &S::LoadCustomer, s.Customer);
  b.products = readAll(s, s.products(), &S::LoadProduct, s.Product);
  b.purchases = readAll(s, s.purchases(), &S::LoadPurchase, s.Purchase);
  b.invoices = readAll(s, s.invoices(), &S::LoadInvoice, s.Invoice);
  b.items = readAll(s, s.items(), &S::LoadItem, s.Item);
  b.payments = readAll(s, s.payments(), &S::LoadPayment, s.Payment);
  b.labels = readAll(s, s.labels(), &S::LoadLabel, s.Label);
  s.CloseAll();
  return b;
}

class DemoContents : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<TempDir>();
    testing::makeDemoDir(dir_->path());
    made_ = !::testing::Test::HasFailure();
    if (made_) business_ = std::make_unique<Business>(readBusiness(dir_->path()));
  }
  static void TearDownTestSuite() {
    business_.reset();
    dir_.reset();
  }
  void SetUp() override { ASSERT_TRUE(made_) << "init and demo must succeed"; }

  const Business& b() { return *business_; }
  const std::string& dir() { return dir_->path(); }

  static inline std::unique_ptr<TempDir> dir_;
  static inline std::unique_ptr<Business> business_;
  static inline bool made_ = false;
};

TEST_F(DemoContents, PassesTheCheck) {
  const testing::ToolRun r = testing::runTool({"check", dir()});
  EXPECT_EQ(r.code, 0) << r.out;
  EXPECT_EQ(r.out.rfind("OK: 9 tables,", 0), 0u) << r.out;
}

TEST_F(DemoContents, HasTheStatedSize) {
  EXPECT_EQ(b().groups.size(), 4u);
  EXPECT_EQ(b().customers.size(), 40u);
  EXPECT_EQ(b().products.size(), 25u);
  EXPECT_EQ(b().purchases.size(), 60u);
  EXPECT_EQ(b().invoices.size(), 200u);
  EXPECT_EQ(b().labels.size(), 2u);

  // Customers numbered from 1, with a gap, each in one of the groups.
  std::set<int> numbers, groupsUsed;
  for (const CustomerRecord& c : b().customers) {
    numbers.insert(c.cuno);
    groupsUsed.insert(c.ngroup);
  }
  EXPECT_EQ(numbers.size(), 40u);
  EXPECT_EQ(*numbers.begin(), 1);
  EXPECT_GT(*numbers.rbegin(), 40);
  EXPECT_EQ(groupsUsed, (std::set<int>{1, 2, 3, 4}));

  // Accented names survive the trip through Windows-1252.
  std::set<std::string> names;
  for (const CustomerRecord& c : b().customers)
    names.insert(trimmed(c.first) + " " + trimmed(c.last));
  EXPECT_TRUE(names.count("Anna Müller")) << "Müller";
  EXPECT_TRUE(names.count("Françoise Dubois")) << "Françoise";

  const Settings& s = b().settings;
  EXPECT_EQ(s.TaxRate2, 7.25);
  EXPECT_EQ(trimmed(s.ShipLine), "Shipping");
  EXPECT_EQ(trimmed(s.TaxLine), "Sales Tax");
  EXPECT_FALSE(trimmed(s.Company).empty());
  EXPECT_EQ(s.LHJustify, 1);
}

TEST_F(DemoContents, InvoicesAddUpToTheirDue) {
  const Settings& s = b().settings;
  ASSERT_EQ(s.TaxRound, 1);  // normal rounding
  std::set<std::string> productIds;
  for (const ProductRecord& p : b().products) productIds.insert(trimmed(p.PrID));
  struct Sums {
    int lines = 0;
    double subtotal = 0, base1 = 0, base2 = 0, paid = 0;
  };
  std::map<int, Sums> sums;
  for (const ItemRecord& item : b().items) {
    EXPECT_TRUE(productIds.count(trimmed(item.PrID))) << item.PrID;
    const double line = base::RoundCents(item.Qty * item.UPR);
    Sums& sum = sums[item.IvNo];
    ++sum.lines;
    sum.subtotal += line;
    if (item.LTax1) sum.base1 += line;
    if (item.LTax2) sum.base2 += line;
  }
  for (const PaymentRecord& p : b().payments) sums[p.IvNo].paid += p.PAmt;

  int paidInFull = 0, paidInPart = 0, open = 0;
  for (const InvoiceRecord& inv : b().invoices) {
    const Sums& sum = sums[inv.IvNo];
    EXPECT_GE(sum.lines, 1) << inv.IvNo;
    EXPECT_LE(sum.lines, 5) << inv.IvNo;
    // Each charge is its percentage rounded to the nearest cent.
    EXPECT_NEAR(inv.Ship, s.TaxRate1 * 0.01 * sum.base1, 0.005 + 1e-9) << inv.IvNo;
    EXPECT_NEAR(inv.Tax, s.TaxRate2 * 0.01 * sum.base2, 0.005 + 1e-9) << inv.IvNo;
    EXPECT_DOUBLE_EQ(inv.Tax, base::RoundCents(inv.Tax)) << inv.IvNo;
    const double total = sum.subtotal + inv.Ship + inv.Tax;
    EXPECT_NEAR(inv.Due, total - sum.paid, 0.001) << inv.IvNo;
    EXPECT_GE(inv.Due, 0) << inv.IvNo;
    (inv.Due == 0 ? paidInFull : sum.paid > 0 ? paidInPart : open)++;
  }
  EXPECT_EQ(sums.size(), b().invoices.size()) << "items or payments of no invoice";
  EXPECT_GT(paidInFull, 140);
  EXPECT_GT(paidInPart, 0);
  EXPECT_GT(open, 0);
}

TEST_F(DemoContents, DatesLieWithinTheLastYear) {
  const base::DateTime today = base::Now().date();
  const base::DateTime yearAgo =
      base::MakeDate(today.year - 1, today.month,
                     std::min(today.day, base::DaysInMonth(today.year - 1, today.month)));
  std::map<int, base::DateTime> invoiceDates;
  for (const InvoiceRecord& inv : b().invoices) {
    invoiceDates[inv.IvNo] = inv.IDate;
    EXPECT_GE(inv.IDate, yearAgo);
    EXPECT_LE(inv.IDate, today);
  }
  for (const PaymentRecord& p : b().payments) {
    EXPECT_GE(p.PDate, invoiceDates[p.IvNo]) << p.IvNo;
    EXPECT_LE(p.PDate, today);
  }
  for (const PurchaseRecord& p : b().purchases) {
    EXPECT_GE(p.PURDate, yearAgo);
    EXPECT_LE(p.PURDate, today);
  }
}

TEST_F(DemoContents, StockedItemsAreSoldOnlyFromStock) {
  std::map<int, base::DateTime> invoiceDates;
  for (const InvoiceRecord& inv : b().invoices) invoiceDates[inv.IvNo] = inv.IDate;
  // Per stocked product, the day's purchases (sign 0) before its sales (1).
  std::map<std::string, std::vector<std::tuple<base::DateTime, int, double>>> moves;
  for (const ProductRecord& p : b().products) {
    if (p.lInven) moves[trimmed(p.PrID)];
  }
  EXPECT_GT(moves.size(), 5u);
  for (const PurchaseRecord& p : b().purchases) {
    ASSERT_TRUE(moves.count(trimmed(p.PURProd))) << p.PURProd << " bought but not stocked";
    moves[trimmed(p.PURProd)].emplace_back(p.PURDate, 0, p.PURQty);
    EXPECT_GT(p.PURCost, 0);
  }
  for (const ItemRecord& item : b().items) {
    const auto it = moves.find(trimmed(item.PrID));
    if (it != moves.end()) it->second.emplace_back(invoiceDates[item.IvNo], 1, -item.Qty);
  }
  for (auto& [product, list] : moves) {
    std::sort(list.begin(), list.end());
    double onHand = 0;
    for (const auto& move : list) {
      onHand += std::get<2>(move);
      EXPECT_GE(onHand, 0) << product << " sold before it was bought";
    }
  }
}

TEST_F(DemoContents, IsTheSameOnEveryRun) {
  TempDir second;
  ASSERT_NO_FATAL_FAILURE(testing::makeDemoDir(second.path()));
  for (const char* table : {"CUST5", "Prod5", "ITM5"}) {
    std::ostringstream first, again;
    engine::Engine a(dir()), b(second.path());
    ASSERT_TRUE(ExportCsv(a, table, "", first).ok) << table;
    ASSERT_TRUE(ExportCsv(b, table, "", again).ok) << table;
    EXPECT_EQ(first.str(), again.str()) << table;
  }
}

}  // namespace
}  // namespace vt::data
