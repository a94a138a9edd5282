// Daily Income: the payments of the span day by day, each with its
// invoice's check or card text, the day's total on the day's last row and
// the total of all payments.
#include <algorithm>
#include <optional>

#include "base/convert.h"
#include "base/text1252.h"
#include "reports/sales_reports.h"

namespace vt::reports {

using engine::Result;

namespace {

constexpr int kWidth = 72;
constexpr size_t kDateCell = 1;
constexpr int kCols = 12;
constexpr int kDailyTotalCol = 9;

// The check or card text of invoice `ivNo`, empty when no invoice has the
// number. The invoices' number tag is selected. 0 or a negative status.
int InvoiceMemo(data::DataSession& session, int ivNo, std::string& memo) {
  engine::Engine& engine = session.engine();
  engine.errorCode();
  memo.clear();
  engine::Table* invoices = session.invoices();
  if (!invoices) return engine::kErrOpen;
  engine::Tag* byNumber = invoices->tag("Inv");
  if (!byNumber) return engine::kErrTag;
  invoices->selectTag(byNumber);
  if (invoices->seek(base::PadNumber(ivNo, 6)) != Result::Success) return engine.errorCode();
  if (const int status = session.LoadInvoice(); status < 0) return status;
  memo = base::trimRight(session.Invoice.IMemo);
  return 0;
}

// The day being listed and the running totals.
struct Days {
  std::optional<base::DateTime> day;
  base::MoneyTotal dayTotal;
  base::MoneyTotal total;
};

}  // namespace

int IncomeSummary(ReportContext& context, const base::DateTime& from, const base::DateTime& to) {
  data::DataSession& session = context.session;
  ReportDoc& doc = context.doc;
  auto amount = [&session](double value, int width) {
    return AmountText(session, value, width, 2);
  };
  Days days;
  // The day's total on its last row, which is the document's current row.
  auto closeDay = [&] {
    if (!days.day) return;
    doc.cell(kDailyTotalCol) = doc.coded(kDailyTotalCol, amount(days.dayTotal.value(), 12));
    doc.style() = "U";
    days.total += days.dayTotal;
    days.day.reset();
  };
  ReportSteps steps;
  int dateWidth = 0;
  steps.opens = {&data::DataSession::OpenInvoices, &data::DataSession::OpenPayments};
  steps.caption = "Processing Payments";
  steps.start = [&] {
    StartReport(context, kWidth, kCols, {SpanTitle(session, "Daily Income from ", from, to)});
    doc.SetBoxedHeadings(
        {"V00", "L01", "V10", "R16", "V17", "L18", "V48", "R58", "V59", "R71", "V72"},
        {"", "Pmt Date", "", "Inv No.", "", "Check - Credit Card No.", "", "Amount", "",
         "Daily Total", ""});
  };
  steps.visit = [&] {
    if (const int status = session.LoadPayment(); status < 0) return status;
    const data::PaymentRecord payment = session.Payment;
    if (days.day && *days.day != payment.PDate.date()) closeDay();
    const bool firstOfDay = !days.day;
    if (firstOfDay) {
      days.day = payment.PDate.date();
      days.dayTotal = {};
    }
    std::string memo;
    if (const int status = InvoiceMemo(session, payment.IvNo, memo); status < 0) return status;
    const std::string date = firstOfDay ? DateText(session, payment.PDate) : "";
    dateWidth = std::max(dateWidth, PrintedWidth(date));
    BodyRow(doc,
            {"", date, "", std::to_string(payment.IvNo), "", memo, "", amount(payment.PAmt, 10)},
            2);
    days.dayTotal += payment.PAmt;
    return 0;
  };
  steps.finish = [&] {
    closeDay();
    CellsRow(doc,
             {{0, "V00"},
              {1, "L01Total Payments"},
              {8, "V59"},
              {kDailyTotalCol, "R71" + amount(days.total.value(), 12)},
              {10, "V72"}},
             "U");
    doc.WidenColumn(kDateCell, dateWidth);
  };
  SpanWalk walk(context, kPaymentsByDate, from, to);
  return RunReport(context, walk, steps);
}

}  // namespace vt::reports
