// The Tax report: over the invoices of the span, the net item sales, the
// sales subject to each tax, the charges of each tax and the total, as a
// few rows without column headings.
#include "base/text1252.h"
#include "invoicing/invoice_arithmetic.h"
#include "reports/sales_reports.h"

namespace vt::reports {

using data::ItemCol;

namespace {

constexpr int kWidth = 50;
constexpr int kCols = 4;

struct TaxSums {
  base::MoneyTotal net;
  base::MoneyTotal taxable1;
  base::MoneyTotal taxable2;
  base::MoneyTotal charged1;
  base::MoneyTotal charged2;
};

void AddInvoice(const ReportContext& context, TaxSums& sums) {
  const data::DataSession& session = context.session;
  for (int i = 0; i <= session.ItemCount; ++i) {
    const data::ItemRow& item = session.ItemLines[static_cast<size_t>(i)];
    const double ext = LineExtension(context.texts, item);
    sums.net += ext;
    if (item[ItemCol::LTax1] == "t") sums.taxable1 += ext;
    if (item[ItemCol::LTax2] == "t") sums.taxable2 += ext;
  }
  const data::InvoiceRecord& invoice = session.Invoice;
  const int shipTax = session.settings.ShipTax;
  if (shipTax == invoicing::kTaxOnTaxYes ||
      (shipTax == invoicing::kTaxOnTaxWhenTaxed && invoice.Tax > 0)) {
    sums.taxable2 += invoice.Ship;
  }
  sums.charged1 += invoice.Ship;
  sums.charged2 += invoice.Tax;
}

void SumRows(ReportContext& context, const TaxSums& sums) {
  const data::DataSession& session = context.session;
  ReportDoc& doc = context.doc;
  auto amount = [&session](const base::MoneyTotal& value) {
    return AmountText(session, value.value(), 11);
  };
  const std::string tax1 = base::trim(session.settings.ShipLine);
  const std::string tax2 = base::trim(session.settings.TaxLine);
  doc.CheckPage(doc.PageLine + 2, false);
  CellsRow(doc, {}, "U");
  CellsRow(doc, {{0, "L00Net Item Sales"}, {2, "R50" + amount(sums.net)}});
  if (session.settings.TaxRate1 > 0) {
    doc.style() = "U";
    CellsRow(doc, {{0, "L00Sales subject to " + tax1}, {1, "R38" + amount(sums.taxable1)}});
  }
  CellsRow(doc, {{0, "L00" + tax1 + " Charged"}, {2, "R50" + amount(sums.charged1)}}, "U");
  CellsRow(doc, {{0, "L00Sales subject to " + tax2}, {1, "R38" + amount(sums.taxable2)}});
  CellsRow(doc, {{0, "L00" + tax2 + " Charged"}, {2, "R50" + amount(sums.charged2)}}, "U");
  CellsRow(doc, {{0, "L00Total"}, {2, "R50" + amount(sums.net + sums.charged1 + sums.charged2)}},
           "U");
}

}  // namespace

int TaxSummary(ReportContext& context, const base::DateTime& from, const base::DateTime& to) {
  data::DataSession& session = context.session;
  TaxSums sums;
  ReportSteps steps;
  steps.opens = {&data::DataSession::OpenInvoices, &data::DataSession::OpenItems,
                 &data::DataSession::OpenProducts};
  steps.caption = "Processing Sales";
  steps.start = [&] {
    StartReport(context, kWidth, kCols, {SpanTitle(session, "Tax report for ", from, to)});
    context.doc.ColumnCodes = {"L00", "R38", "R50"};
  };
  steps.visit = [&] {
    if (const int status = session.LoadInvoice(); status < 0) return status;
    if (const int status = session.LoadInvoiceItems(); status < 0) return status;
    AddInvoice(context, sums);
    return 0;
  };
  steps.finish = [&] { SumRows(context, sums); };
  SpanWalk walk(context, kInvoicesByDate, from, to);
  return RunReport(context, walk, steps);
}

}  // namespace vt::reports
