// Receivables: every invoice with an amount due, credits included, in
// invoice-number order with its customer and age in days, and the total.
#include <chrono>

#include "base/convert.h"
#include "reports/sales_reports.h"

namespace vt::reports {

namespace {

constexpr int kWidth = 71;
constexpr int kCols = 10;
inline constexpr WalkedTable kInvoicesByNumber{data::TableId::Invoices, "Inv", nullptr,
                                               kNoInvoices};

std::chrono::sys_seconds Instant(const base::DateTime& at) {
  using namespace std::chrono;
  const sys_days day{year{at.year} / month{static_cast<unsigned>(at.month)} /
                     std::chrono::day{static_cast<unsigned>(at.day)}};
  return day + hours{at.hour} + minutes{at.minute} + seconds{at.second};
}

// Whole days from `since` to `now`, cut toward zero.
long DaysBetween(const base::DateTime& since, const base::DateTime& now) {
  return std::chrono::duration_cast<std::chrono::days>(Instant(now) - Instant(since)).count();
}

}  // namespace

int Receivables(ReportContext& context) {
  data::DataSession& session = context.session;
  ReportDoc& doc = context.doc;
  auto amount = [&session](double value) { return AmountText(session, value, 10); };
  base::MoneyTotal total;
  bool listed = false;
  ReportSteps steps;
  steps.opens = {&data::DataSession::OpenInvoices, &data::DataSession::OpenCustomers};
  steps.caption = "Processing Receivables";
  steps.start = [&] {
    StartReport(context, kWidth, kCols, {"RECEIVABLES"});
    doc.SetBoxedHeadings({"V00", "R07", "V08", "L10", "V50", "R55", "V57", "R69", "V71"},
                         {"", "Inv. No", "", "Customer", "", "Days", "", "Amount", ""});
  };
  steps.visit = [&] {
    if (const int status = session.LoadInvoice(); status < 0) return status;
    const data::InvoiceRecord invoice = session.Invoice;
    if (invoice.Due == 0) return 0;
    std::string name;
    if (const int status = CustomerDisplayName(session, invoice.CuNo, name); status < 0) {
      return status;
    }
    BodyRow(doc,
            {"", std::to_string(invoice.IvNo), "", name, "",
             std::to_string(DaysBetween(invoice.IDate, session.now())), "", amount(invoice.Due)});
    total += invoice.Due;
    listed = true;
    return 0;
  };
  steps.finish = [&] {
    if (listed) doc.style() = "U";
    doc.CheckPage(doc.PageLine + 1, true);
    CellsRow(doc,
             {{0, "V00"},
              {1, "L01Total Receivables"},
              {6, "V57"},
              {7, "R69" + amount(total.value())},
              {8, "V71"}},
             "U");
  };
  SpanWalk walk(context, kInvoicesByNumber);
  return RunReport(context, walk, steps);
}

}  // namespace vt::reports
