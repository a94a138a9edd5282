#include "reports/month_sales.h"

namespace vt::reports {

namespace {

class MonthWalks {
 public:
  MonthWalks(ReportContext& context, const base::DateTime& from, const base::DateTime& to,
             std::vector<MonthSales>& out)
      : context_(context), session_(context.session), from_(from), to_(to), out_(out) {
    out_.clear();
    const int last = to.year * 12 + to.month;
    for (int year = from.year, month = from.month; year * 12 + month <= last;) {
      out_.push_back({year, month, {}, {}, {}, {}});
      if (++month > 12) {
        month = 1;
        ++year;
      }
    }
  }

  // 0, the walk's nothing result, or a negative status.
  int Invoices() {
    return Walk(kInvoicesByDate, "Processing Sales", [this] {
      if (const int status = session_.LoadInvoice(); status < 0) return status;
      if (const int status = session_.LoadInvoiceItems(); status < 0) return status;
      MonthSales& month = at(session_.Invoice.IDate);
      for (int i = 0; i <= session_.ItemCount; ++i) {
        month.items += LineExtension(context_.texts, session_.ItemLines[static_cast<size_t>(i)]);
      }
      month.ship += session_.Invoice.Ship;
      month.tax += session_.Invoice.Tax;
      return 0;
    });
  }

  int Payments() {
    return Walk(kPaymentsByDate, "Processing Payments", [this] {
      if (const int status = session_.LoadPayment(); status < 0) return status;
      at(session_.Payment.PDate).payments += session_.Payment.PAmt;
      return 0;
    });
  }

 private:
  int Walk(const WalkedTable& walked, const std::string& caption,
           const std::function<int()>& visit) {
    SpanWalk walk(context_, walked, from_, to_);
    const int status = walk.Count();
    return status == 0 ? walk.Walk(caption, visit) : status;
  }

  // The walks keep within the span, so the month is one of the span's.
  MonthSales& at(const base::DateTime& date) {
    const auto index = (date.year - from_.year) * 12 + date.month - from_.month;
    return out_.at(static_cast<size_t>(index));
  }

  ReportContext& context_;
  data::DataSession& session_;
  base::DateTime from_, to_;
  std::vector<MonthSales>& out_;
};

bool OpenTables(data::DataSession& session) {
  return session.OpenInvoices() && session.OpenItems() && session.OpenProducts() &&
         session.OpenPayments();
}

}  // namespace

int CollectMonthSales(ReportContext& context, const base::DateTime& from, const base::DateTime& to,
                      std::vector<MonthSales>& out) {
  data::DataSession& session = context.session;
  MonthWalks walks(context, from, to, out);
  int status = OpenTables(session) ? 0 : engine::kErrOpen;
  if (status == 0) session.HoldReads();
  const int invoices = status == 0 ? walks.Invoices() : status;
  const int payments = invoices >= 0 ? walks.Payments() : invoices;
  if (invoices < 0 || payments < 0) {
    status = invoices < 0 ? invoices : payments;
  } else if (invoices == kNoInvoices && payments == kNoPayments) {
    status = kNoInvoices;
  }
  session.ReleaseReads();
  session.CloseAll();
  return status;
}

}  // namespace vt::reports
