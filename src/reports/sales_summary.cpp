// Sales Summary: one row per invoice of the span in date order, with the
// items, both taxes and the invoice's total, and a row of totals.
#include <algorithm>
#include <array>

#include "base/text1252.h"
#include "reports/sales_reports.h"

namespace vt::reports {

namespace {

constexpr int kWidth = 64;
constexpr int kCols = 14;
constexpr size_t kDateCell = 3;

}  // namespace

int SalesSummary(ReportContext& context, const base::DateTime& from, const base::DateTime& to) {
  data::DataSession& session = context.session;
  ReportDoc& doc = context.doc;
  auto amount = [&session](const base::MoneyTotal& value) {
    return AmountText(session, value.value(), 10);
  };
  std::array<base::MoneyTotal, 4> totals{};  // items, Tax 1, Tax 2, all
  int dateWidth = 0;
  ReportSteps steps;
  steps.opens = {&data::DataSession::OpenInvoices, &data::DataSession::OpenItems,
                 &data::DataSession::OpenProducts};
  steps.caption = "Processing Sales";
  steps.start = [&] {
    StartReport(context, kWidth, kCols, {SpanTitle(session, "Sales Summary for ", from, to)});
    doc.SetBoxedHeadings(
        {"V00", "R07", "V08", "R17", "V18", "R28", "V29", "R40", "V41", "R52", "V53", "R63", "V64"},
        {"", "Inv. No", "", "Date", "", "Items", "", base::trim(session.settings.ShipLine), "",
         base::trim(session.settings.TaxLine), "", "Total", ""});
  };
  steps.visit = [&] {
    if (const int status = session.LoadInvoice(); status < 0) return status;
    if (const int status = session.LoadInvoiceItems(); status < 0) return status;
    const data::InvoiceRecord& invoice = session.Invoice;
    base::MoneyTotal items;
    for (int i = 0; i <= session.ItemCount; ++i) {
      items += LineExtension(context.texts, session.ItemLines[static_cast<size_t>(i)]);
    }
    const base::MoneyTotal ship(invoice.Ship), tax(invoice.Tax);
    const std::array<base::MoneyTotal, 4> values{items, ship, tax, items + ship + tax};
    for (size_t i = 0; i < totals.size(); ++i) totals[i] += values[i];
    const std::string date = DateText(session, invoice.IDate);
    dateWidth = std::max(dateWidth, PrintedWidth(date));
    BodyRow(doc, {"", base::PadNumber(invoice.IvNo, 6), "", date, "", amount(values[0]), "",
                  amount(values[1]), "", amount(values[2]), "", amount(values[3]), ""});
    return 0;
  };
  steps.finish = [&] {
    doc.style() = "U";
    doc.CheckPage(doc.PageLine + 1, true);
    // "Totals" stands under the dates on paper, in the first column's cell
    // for a spreadsheet.
    CellsRow(doc,
             {{0, "V00"},
              {1, "R17Totals"},
              {4, "V18"},
              {5, "R28" + amount(totals[0])},
              {6, "V29"},
              {7, "R40" + amount(totals[1])},
              {8, "V41"},
              {9, "R52" + amount(totals[2])},
              {10, "V53"},
              {11, "R63" + amount(totals[3])},
              {12, "V64"}},
             "U");
    doc.WidenColumn(kDateCell, dateWidth);
  };
  SpanWalk walk(context, kInvoicesByDate, from, to);
  return RunReport(context, walk, steps);
}

}  // namespace vt::reports
