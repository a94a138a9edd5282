// Saving and deleting an invoice stopped dead at every write, rename or
// removal in turn (a child process killed there): the next start finds the
// invoice, its items, its payments and its customer's note wholly as before
// the work or wholly as after it, and the data directory checks clean.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "data/check.h"
#include "data/invoice_journal.h"
#include "invoice_test_support.h"
#include "killing_file_system.h"

namespace vt::invoicing {
namespace {

using Work = std::function<bool(data::DataSession&, InvoiceModel&)>;

// What the tables hold, one record a line, their records marked deleted
// left out.
std::string liveRecords(data::DataSession& s) {
  std::string all;
  auto add = [&all](engine::Table* table, const std::vector<const char*>& fields) {
    for (std::string& r : testing::records(table, fields)) {
      if (!r.starts_with("*")) all += table->name() + ": " + r + "\n";
    }
  };
  add(s.invoices(), {"IvNo", "CuNo", "Ship", "Due"});
  add(s.items(), {"IvNo", "PrID", "Qty"});
  add(s.payments(), {"IvNo", "PAmt"});
  add(s.customers(), {"cuno", "note"});
  return all;
}

// Invoice 100 as the editor holds it after opening it and changing it.
void changedInvoice(data::DataSession& s) {
  s.CurInvoice = 2;
  s.Invoice = {100, 7, "", data::testing::kTestNow, "", 2.00, 0, 0, ""};
  testing::SetLines(s, {{"A", 1, 1}, {"C", 3, 1}, {"D", 4, 1}}, {5, 6});
  s.Customer.note = "Net 10";
}

struct KillCase {
  const char* name;
  Work work;
};

const KillCase kCases[] = {
    {"SaveChanged",
     [](data::DataSession& s, InvoiceModel& m) {
       changedInvoice(s);
       return m.SaveInvoice();
     }},
    {"SaveNew",
     [](data::DataSession& s, InvoiceModel& m) {
       changedInvoice(s);
       s.CurInvoice = 0;
       s.Invoice.IvNo = 0;
       return m.SaveInvoice();
     }},
    {"Delete",
     [](data::DataSession& s, InvoiceModel& m) {
       changedInvoice(s);
       return m.DeleteInvoice();
     }},
};

class InvoiceKillTest : public testing::InvoiceModelTest,
                        public ::testing::WithParamInterface<KillCase> {
 protected:
  std::unique_ptr<data::DataSession> sessionOn(const std::string& path, engine::FileSystem& fs) {
    data::SessionOptions options;
    options.fs = &fs;
    options.now = [] { return data::testing::kTestNow; };
    auto s = std::make_unique<data::DataSession>(path, dialogs, exit, options);
    for (bool ok : {s->OpenCustomers(), s->OpenInvoices(), s->OpenItems(), s->OpenPayments()}) {
      EXPECT_TRUE(ok);
    }
    return s;
  }

  // Runs the work on a copy of the template, killed at change `limit` (never
  // with 0); the child's exit status.
  int runKilled(const std::string& path, uint64_t limit) {
    const pid_t child = fork();
    if (child == 0) {
      data::testing::KillingFileSystem fs(limit);
      base::ScriptedDialogs quiet;
      auto s = sessionOn(path, fs);
      InvoiceModel model(*s, quiet);
      _exit(GetParam().work(*s, model) ? 0 : 1);
    }
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    return status;
  }

  // What the next start finds.
  std::string restarted(const std::string& path) {
    auto s = sessionOn(path, engine::realFileSystem());
    EXPECT_EQ(data::RecoverInvoiceWork(*s), 0);
    return liveRecords(*s);
  }
};

TEST_P(InvoiceKillTest, LeavesTheInvoiceWhollyAsBeforeOrAsAfter) {
  data::CustomerRecord customer;
  customer.cuno = 7;
  customer.note = "Net 30";
  data::testing::appendCustomer(*session, customer);
  storeInvoice(99, 7, {{"N", 1, 1}}, {1});
  storeInvoice(100, 7, {{"A", 1, 1}, {"B", 2, 1}}, {4});
  const std::string before = liveRecords(*session);
  session->CloseAll();
  data::testing::TempDir done;
  std::filesystem::copy(dir.path(), done.path());
  ASSERT_EQ(runKilled(done.path(), 0), 0);
  const std::string after = restarted(done.path());
  ASSERT_NE(before, after);
  int sawBefore = 0, sawAfter = 0;
  for (uint64_t limit = 1;; ++limit) {
    SCOPED_TRACE("killed at change " + std::to_string(limit));
    data::testing::TempDir copy;
    std::filesystem::copy(dir.path(), copy.path());
    const int status = runKilled(copy.path(), limit);
    const std::string now = restarted(copy.path());
    ASSERT_TRUE(now == before || now == after) << now;
    sawBefore += now == before;
    sawAfter += now == after;
    const data::CheckReport report = data::CheckDataDir(copy.path());
    ASSERT_TRUE(report.ok()) << report.problems.front().text();
    if (WIFEXITED(status)) {
      EXPECT_EQ(WEXITSTATUS(status), 0);
      EXPECT_EQ(now, after);
      break;
    }
    ASSERT_LT(limit, 5000u) << "the work never completed";
  }
  EXPECT_GT(sawBefore, 0);
  EXPECT_GT(sawAfter, 0);
}

INSTANTIATE_TEST_SUITE_P(Stopped, InvoiceKillTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vt::invoicing
