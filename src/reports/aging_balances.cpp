#include "reports/aging_balances.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <tuple>
#include <unordered_map>

namespace vt::reports {

using engine::Result;

namespace {

// Longer ago than any bracket reaches.
constexpr long kAgeless = 1'000'000;

// Visits every record of table `id` in record order. 0, the first negative
// status of `visit`, or the engine's.
int EachRecord(data::DataSession& session, data::TableId id, const std::function<int()>& visit) {
  engine::Engine& engine = session.engine();
  engine.errorCode();
  engine::Table* table = session.table(id);
  if (!table) return engine::kErrOpen;
  table->selectTag(nullptr);
  for (Result at = table->top(); at == Result::Success; at = table->skip(1)) {
    if (const int status = visit(); status < 0) return status;
    session.PaceReads();
  }
  return engine.errorCode();
}

using CentsByInvoice = std::unordered_map<int, base::Cents>;

int SumItems(data::DataSession& session, CentsByInvoice& items) {
  return EachRecord(session, data::TableId::Items, [&] {
    if (const int status = session.LoadItem(); status < 0) return status;
    items[session.Item.IvNo] += base::LineCents(session.Item.Qty, session.Item.UPR);
    return 0;
  });
}

int SumPayments(data::DataSession& session, const base::DateTime& asOf, CentsByInvoice& paid) {
  return EachRecord(session, data::TableId::Payments, [&] {
    if (const int status = session.LoadPayment(); status < 0) return status;
    const data::PaymentRecord& payment = session.Payment;
    if (payment.PDate.date() <= asOf) paid[payment.IvNo] += base::ToCents(payment.PAmt);
    return 0;
  });
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
  const base::DateTime day = asOf.date();
  CentsByInvoice items, paid;
  int status = SumItems(session, items);
  if (status == 0) status = SumPayments(session, day, paid);
  if (status == 0) {
    status = EachRecord(session, data::TableId::Invoices, [&] {
      if (const int loaded = session.LoadInvoice(); loaded < 0) return loaded;
      const data::InvoiceRecord& invoice = session.Invoice;
      if (invoice.IDate.date() > day) return 0;
      const base::Cents balance = Owed(items, invoice.IvNo) + base::ToCents(invoice.Ship) +
                                  base::ToCents(invoice.Tax) - Owed(paid, invoice.IvNo);
      if (balance == 0) return 0;
      const long age = DaysBetween(invoice.IDate, day);
      CustomerAging& customer = out[invoice.CuNo];
      customer.brackets[static_cast<size_t>(AgingBracket(age))] += balance;
      customer.invoices.push_back({invoice.IvNo, invoice.IDate.date(), age, balance});
      return 0;
    });
  }
  for (auto& [cuno, customer] : out) {
    std::sort(customer.invoices.begin(), customer.invoices.end(),
              [](const AgedInvoice& a, const AgedInvoice& b) {
                return std::tie(a.date, a.ivNo) < std::tie(b.date, b.ivNo);
              });
  }
  return status;
}

}  // namespace vt::reports
