#include "labels/label_selections.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>

#include "data/live_records.h"
#include "engine/status.h"

namespace vt::labels {

namespace {

using engine::Result;

// Shows the progress box for the walk and hides it however the walk ends.
class ProgressBox {
 public:
  ProgressBox(base::Progress* progress, const char* caption) : progress_(progress) {
    if (progress_) progress_->show(true, caption);
  }
  ~ProgressBox() {
    if (progress_) progress_->show(false, "");
  }
  ProgressBox(const ProgressBox&) = delete;
  ProgressBox& operator=(const ProgressBox&) = delete;
  void set(long done, long total) {
    if (progress_ && total > 0) progress_->set(static_cast<int>(done * 100 / total));
  }

 private:
  base::Progress* progress_;
};

long dayNumber(const base::DateTime& d) {
  const std::chrono::year_month_day ymd{std::chrono::year(d.year),
                                        std::chrono::month(static_cast<unsigned>(d.month)),
                                        std::chrono::day(static_cast<unsigned>(d.day))};
  return std::chrono::sys_days(ymd).time_since_epoch().count();
}

bool within(const base::DateTime& date, const base::DateTime& from, const base::DateTime& to) {
  return from.date() <= date.date() && date.date() <= to.date();
}

// Opens the tables, or gives the engine's status for a table not opened
// (the opening has told the user).
int openTables(data::DataSession& s, bool invoices, const char* customerTag) {
  if (!s.OpenCustomers() || !s.OpenGroups() || (invoices && !s.OpenInvoices())) {
    return engine::kErrOpen;
  }
  engine::Table& customers = *s.customers();
  customers.selectTag(customers.tag(customerTag));
  return 0;
}

// The label of the invoice's customer; an invoice whose customer is not on
// file adds none.
int addInvoiceCustomer(LabelSelection& s) {
  engine::Table& customers = *s.session.customers();
  if (customers.seek(base::PadNumber(s.session.Invoice.CuNo, 6)) != Result::Success) return 0;
  return AddCustomerLabel(s);
}

// Walks the invoices in date order from the first dated `from` or later
// (from the first of all without it); `each` is called for each loaded
// invoice dated up to `to`, with the number read.
template <typename Each>
int walkInvoices(LabelSelection& s, const std::optional<base::DateTime>& from,
                 const base::DateTime& to, Each each) {
  if (const int status = openTables(s.session, true, "CCNO"); status < 0) return status;
  engine::Table& invoices = *s.session.invoices();
  invoices.selectTag(invoices.tag("InvD"));
  Result at = from ? data::LiveSeek(invoices, base::DateToKey(*from)) : data::LiveTop(invoices);
  for (long read = 1; at == Result::Success || at == Result::After; ++read) {
    if (const int status = s.session.LoadInvoice(); status < 0) return status;
    if (s.session.Invoice.IDate.date() > to.date()) break;
    if (const int status = each(read); status < 0) return status;
    at = data::LiveNext(invoices);
  }
  return 0;
}

// Walks the customers in postal code order; `each` is called for each
// loaded customer. Customers marked deleted are passed over unless they are
// walked for what they owe on live invoices (`invoices`): a bill reaches
// whoever owes it, while nothing else is sent to a customer who was deleted.
template <typename Each>
int walkCustomers(LabelSelection& s, const char* caption, bool invoices, Each each) {
  if (const int status = openTables(s.session, invoices, "CZip"); status < 0) return status;
  engine::Table& customers = *s.session.customers();
  const long total = customers.recCount();
  ProgressBox box(s.progress, caption);
  customers.top();
  for (long read = 1; !customers.eof(); ++read) {
    s.session.CurCustomer = customers.recNo();
    if (invoices || !customers.deleted()) {
      if (const int status = s.session.LoadCustomer(); status < 0) return status;
      if (const int status = each(); status < 0) return status;
    }
    customers.skip();
    box.set(read, total);
  }
  return 0;
}

}  // namespace

int AddCustomerLabel(LabelSelection& s) {
  if (const int status = s.session.LoadCustomer(); status < 0) return status;
  s.session.CustomerAddress();
  s.run.Add(s.session.AddressLines);
  return 0;
}

int InvoicesDatedLabels(LabelSelection& s, const base::DateTime& from, const base::DateTime& to) {
  ProgressBox box(s.progress, "Processing Invoice Labels");
  const long days = dayNumber(to) - dayNumber(from) + 1;
  const int status = walkInvoices(s, from, to, [&](long) {
    box.set(dayNumber(s.session.Invoice.IDate) - dayNumber(from), days);
    return addInvoiceCustomer(s);
  });
  if (status == 0) box.set(1, 1);
  return status;
}

int PastDueLabels(LabelSelection& s, const base::DateTime& from, const base::DateTime& to) {
  ProgressBox box(s.progress, "Processing Billing Labels");
  // From the first invoice: the count read measures the progress.
  return walkInvoices(s, std::nullopt, to, [&](long read) {
    int added = 0;
    if (within(s.session.Invoice.IDate, from, to) && s.session.Invoice.Due != 0) {
      added = addInvoiceCustomer(s);
    }
    box.set(read, s.session.invoices()->recCount());
    return added;
  });
}

int BalanceDueLabels(LabelSelection& s, const base::DateTime& from, const base::DateTime& to) {
  return walkCustomers(s, "Processing Statement Labels", true, [&]() -> int {
    const int customer = s.session.Customer.cuno;
    engine::Table& invoices = *s.session.invoices();
    invoices.selectTag(invoices.tag("InvC"));
    for (Result at = data::LiveSeek(invoices, base::PadNumber(customer, 6));
         at == Result::Success || at == Result::After; at = data::LiveNext(invoices)) {
      if (const int status = s.session.LoadInvoice(); status < 0) return status;
      if (s.session.Invoice.CuNo != customer) break;
      if (s.session.Invoice.Due != 0 && within(s.session.Invoice.IDate, from, to)) {
        return AddCustomerLabel(s);
      }
    }
    return 0;
  });
}

int GroupLabels(LabelSelection& s, const std::vector<int>& groups) {
  return walkCustomers(s, "Processing Customers", false, [&]() -> int {
    const int group = s.session.Customer.ngroup;
    if (std::find(groups.begin(), groups.end(), group) == groups.end()) return 0;
    return AddCustomerLabel(s);
  });
}

}  // namespace vt::labels
