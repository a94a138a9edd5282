#include "reports/aging_balances.h"

#include <algorithm>
#include <chrono>
#include <tuple>
#include <unordered_map>

#include "data/live_records.h"

namespace vt::reports {

using engine::Result;

namespace {

// Longer ago than any bracket reaches.
constexpr long kAgeless = 1'000'000;

using CentsByInvoice = std::unordered_map<int, base::Cents>;

// The live payments dated after `asOf`, added up by invoice: what was still
// owed on the day beyond each invoice's stored Due.
int PaidAfter(data::DataSession& session, const base::DateTime& asOf, CentsByInvoice& paid) {
  engine::Table* payments = session.payments();
  if (!payments) return engine::kErrOpen;
  int status = SelectTag(*payments, "PmtD");
  if (status < 0) return status;
  for (Result at = data::LiveSeek(*payments, base::DateToKey(asOf));
       at == Result::Success || at == Result::After; at = data::LiveNext(*payments)) {
    if ((status = session.LoadPayment()) < 0) return status;
    const data::PaymentRecord& payment = session.Payment;
    if (payment.PDate.date() > asOf) paid[payment.IvNo] += base::ToCents(payment.PAmt);
    session.PaceReads();
  }
  return session.engine().errorCode();
}

base::Cents Owed(const CentsByInvoice& sums, int ivNo) {
  const auto found = sums.find(ivNo);
  return found == sums.end() ? 0 : found->second;
}

}  // namespace

int AgingBracket(long days) {
  if (days <= 30) return 0;
  if (days <= 60) return 1;
  return days <= 90 ? 2 : 3;
}

long DaysBetween(const base::DateTime& since, const base::DateTime& until) {
  if (!since.isValidDate() || !until.isValidDate()) return kAgeless;
  using namespace std::chrono;
  auto day = [](const base::DateTime& at) {
    return sys_days{year{at.year} / month{static_cast<unsigned>(at.month)} /
                    std::chrono::day{static_cast<unsigned>(at.day)}};
  };
  return (day(until) - day(since)).count();
}

int CollectAging(data::DataSession& session, const base::DateTime& asOf, AgingByCustomer& out) {
  engine::Engine& engine = session.engine();
  engine.errorCode();
  const base::DateTime day = asOf.date();
  CentsByInvoice paidAfter;
  int status = PaidAfter(session, day, paidAfter);
  if (status < 0) return status;
  engine::Table* invoices = session.invoices();
  if (!invoices) return engine::kErrOpen;
  if ((status = SelectTag(*invoices, "InvD")) < 0) return status;
  // In date order, so the walk ends at the first invoice dated after the day.
  for (Result at = data::LiveTop(*invoices); at == Result::Success;
       at = data::LiveNext(*invoices)) {
    if ((status = session.LoadInvoice()) < 0) return status;
    const data::InvoiceRecord& invoice = session.Invoice;
    if (invoice.IDate.date() > day) break;
    session.PaceReads();
    const base::Cents balance = base::ToCents(invoice.Due) + Owed(paidAfter, invoice.IvNo);
    if (balance == 0) continue;
    const long age = DaysBetween(invoice.IDate, day);
    CustomerAging& customer = out[invoice.CuNo];
    customer.brackets[static_cast<size_t>(AgingBracket(age))] += balance;
    customer.invoices.push_back({invoice.IvNo, invoice.IDate.date(), age, balance});
  }
  if ((status = engine.errorCode()) < 0) return status;
  for (auto& [cuno, customer] : out) {
    std::stable_sort(customer.invoices.begin(), customer.invoices.end(),
                     [](const AgedInvoice& a, const AgedInvoice& b) {
                       return std::tie(a.date, a.ivNo) < std::tie(b.date, b.ivNo);
                     });
  }
  return 0;
}

}  // namespace vt::reports
