// The account statement: one page per customer listing invoices with their
// charges, payments and amounts due, and the runs that gather invoices and
// statements into one document.
#include <algorithm>
#include <tuple>

#include "base/text1252.h"
#include "data/live_records.h"
#include "invoicing/invoice_arithmetic.h"
#include "reports/customer_documents.h"
#include "reports/invoices_dated.h"
#include "reports/report_frame.h"

namespace vt::reports {

using data::ItemCol;
using engine::Result;

namespace {

constexpr int kStatementWidth = 59;
constexpr int kStatementCols = 12;
constexpr size_t kDateCell = 3;

// Selects `tagName` of `table`; false (the engine's error set) when the
// index is missing.
bool selectTag(engine::Table& table, const char* tagName) {
  engine::Tag* tag = table.tag(tagName);
  if (!tag) {
    table.engine().setError(engine::kErrTag);
    return false;
  }
  table.selectTag(tag);
  return true;
}

}  // namespace

void CustomerDocuments::StartStatementReport() {
  doc_.ReportWidth = kStatementWidth;
  doc_.ReportCols = kStatementCols;
  doc_.BeginReport(metrics_.linesPerPage(), today());
  doc_.ReportTitles = {"Account Statement"};
  doc_.SetBoxedHeadings(
      {"V00", "R07", "V09", "R18", "V20", "R31", "V33", "R44", "V46", "R57", "V59"},
      {"", "Invoice", "", "Date", "", "Charges", "", "Payments", "", "Amount Due", ""});
}

int CustomerDocuments::AddStatementRow(bool older) {
  session_.CurInvoice = static_cast<long>(session_.invoices()->recNo());
  if (const int status = session_.LoadFullInvoice(); status < 0) return status;
  const data::InvoiceRecord& invoice = session_.Invoice;
  base::MoneyTotal charges(invoice.Ship);
  charges += invoice.Tax;
  for (int i = 0; i <= session_.ItemCount; ++i) {
    const data::ItemRow& item = session_.ItemLines[static_cast<size_t>(i)];
    charges +=
        invoicing::LineTotal(texts_.number(item[ItemCol::Qty]), texts_.number(item[ItemCol::UPR]));
  }
  statementRows_.push_back({{base::PadNumber(invoice.IvNo, 6), DateText(session_, invoice.IDate)},
                            {charges, paidTotal(), base::MoneyTotal(invoice.Due)},
                            older,
                            invoice.IDate.date(),
                            invoice.IvNo});
  return 0;
}

void CustomerDocuments::statementCaption(const std::string& text) {
  doc_.CheckPage(doc_.PageLine + 1, true);
  row({{0, "V00"}, {1, "L01" + text}, {10, doc_.coded(10, "")}});
}

void CustomerDocuments::statementRow(const StatementRow& line,
                                     std::array<base::MoneyTotal, 3>& totals) {
  doc_.CheckPage(doc_.PageLine + 1, true);
  row({{0, doc_.coded(0, "")},
       {1, doc_.coded(1, line.texts[0])},
       {2, doc_.coded(2, "")},
       {3, doc_.coded(kDateCell, line.texts[1])},
       {4, doc_.coded(4, "")},
       {5, doc_.coded(5, amount(line.amounts[0], 11))},
       {6, doc_.coded(6, "")},
       {7, doc_.coded(7, amount(line.amounts[1], 11))},
       {8, doc_.coded(8, "")},
       {9, doc_.coded(9, amount(line.amounts[2], 11))},
       {10, doc_.coded(10, "")}});
  for (size_t i = 0; i < 3; ++i) totals[i] += line.amounts[i];
}

void CustomerDocuments::PrintStatement(int cuno,
                                       const std::optional<std::array<base::DateTime, 2>>& span) {
  int dateWidth = 0;
  for (const StatementRow& line : statementRows_) {
    dateWidth = std::max(dateWidth, PrintedWidth(line.texts[1]));
  }
  doc_.WidenColumn(kDateCell, dateWidth);
  pageOfItsOwn("statement", cuno, cuno, today());
  Letterhead();
  doc_.PlaceTitles();
  addressBlock(false);
  doc_.PlaceHeadings();
  std::stable_sort(statementRows_.begin(), statementRows_.end(),
                   [](const StatementRow& a, const StatementRow& b) {
                     return std::tuple(!a.older, a.date, a.ivNo) <
                            std::tuple(!b.older, b.date, b.ivNo);
                   });
  const bool anyOlder = !statementRows_.empty() && statementRows_.front().older;
  std::array<base::MoneyTotal, 3> totals{};
  for (size_t i = 0; i < statementRows_.size(); ++i) {
    const StatementRow& line = statementRows_[i];
    if (span && anyOlder && i == 0) statementCaption("Earlier invoices still open:");
    if (span && anyOlder && !line.older && (i == 0 || statementRows_[i - 1].older)) {
      statementCaption("Invoices dated " + session_.shortDateText((*span)[0]) + " to " +
                       session_.shortDateText((*span)[1]) + ":");
    }
    statementRow(line, totals);
  }
  doc_.lastDocumentFacts().total = plainAmount(totals[0]);
  doc_.lastDocumentFacts().due = plainAmount(totals[2]);
  doc_.style() = "U";
  doc_.CheckPage(doc_.PageLine + 1, true);
  row({{1, doc_.coded(kDateCell, "Totals")},
       {4, doc_.coded(4, "")},
       {5, doc_.coded(5, amount(totals[0], 11))},
       {6, doc_.coded(6, "")},
       {7, doc_.coded(7, amount(totals[1], 11))},
       {8, doc_.coded(8, "")},
       {9, doc_.coded(9, amount(totals[2], 11))},
       {10, doc_.coded(10, "")}});
  // The rule under the amounts, from the rule after the dates to the edge.
  row({{10, "H" + doc_.ColumnCodes[4].substr(1, 2) + ColumnField(doc_.ReportWidth)}});
  agingRows();
}

int CustomerDocuments::invoicesOfCustomer(int cuno, bool everyInvoice, const base::DateTime& from,
                                          const base::DateTime& to) {
  engine::Table& invoices = *session_.invoices();
  engine::Engine& engine = session_.engine();
  statementRows_.clear();
  if (!selectTag(invoices, "InvC")) return engine.errorCode();
  // A customer who owes gets a statement, whether the open invoices are of
  // the span or older.
  bool anyRow = false;
  for (Result found = data::LiveSeek(invoices, base::PadNumber(cuno, 6));
       found == Result::Success || found == Result::After; found = data::LiveNext(invoices)) {
    if (const int status = session_.LoadInvoice(); status < 0) return status;
    if (session_.Invoice.CuNo != cuno) break;
    const base::DateTime date = session_.Invoice.IDate.date();
    const bool open = session_.Invoice.Due != 0;
    const bool older = !everyInvoice && open && date < from.date();
    const bool listed = everyInvoice || (open && date >= from.date() && date <= to.date());
    if (!listed && !older) continue;
    anyRow = true;
    // The full load stays on this invoice, so the next skip goes on from it.
    if (const int status = AddStatementRow(older); status < 0) return status;
  }
  if (const int status = engine.errorCode(); status < 0) return status;
  if (!anyRow) return 0;
  if (everyInvoice) {
    PrintStatement(cuno, std::nullopt);
  } else {
    PrintStatement(cuno, std::array<base::DateTime, 2>{from, to});
  }
  return 0;
}

int CustomerDocuments::StatementsWithBalances(const base::DateTime& from,
                                              const base::DateTime& to) {
  engine::Table& customers = *session_.customers();
  engine::Engine& engine = session_.engine();
  engine.errorCode();
  if (!selectTag(customers, "CZip")) return engine.errorCode();
  // Every customer record, those marked deleted too: a customer who still
  // owes on live invoices gets the statement of them.
  for (Result at = customers.top(); at == Result::Success; at = customers.skip(1)) {
    const auto recno = customers.recNo();
    const int cuno = static_cast<int>(customers.field("cuno")->asLong());
    if (const int status = invoicesOfCustomer(cuno, false, from, to); status < 0) return status;
    if (!selectTag(customers, "CZip") || customers.go(recno) != Result::Success) break;
  }
  return engine.errorCode();
}

int CustomerDocuments::StatementOf(long recno) {
  engine::Table& customers = *session_.customers();
  engine::Engine& engine = session_.engine();
  engine.errorCode();
  if (customers.go(static_cast<uint32_t>(recno)) != Result::Success) {
    const int status = engine.errorCode();
    return status < 0 ? status : engine::kErrRecord;
  }
  const int cuno = static_cast<int>(customers.field("cuno")->asLong());
  return invoicesOfCustomer(cuno, true, {}, {});
}

int CustomerDocuments::InvoicesByDates(const base::DateTime& from, const base::DateTime& to,
                                       bool invoiceMode) {
  return ForInvoicesDated(session_, from, to, [this, invoiceMode](long recno) {
    if (!invoiceMode && session_.Invoice.Due <= 0) return 0;
    return AddInvoice(recno, invoiceMode);
  });
}

int CustomerDocuments::AddInvoice(long recno, bool invoiceMode) {
  session_.CurInvoice = recno;
  if (const int status = session_.LoadFullInvoice(); status < 0) return status;
  PrintInvoiceDoc(invoiceMode);
  return 0;
}

}  // namespace vt::reports
