// The documents a customer receives, built in the report document: the
// invoice, the bill (an invoice printed because money is owed, titled
// "Statement" when nothing is), and the account statement listing a
// customer's invoices. Each starts on its own page with the letterhead of
// the stationary settings. Works on the session's invoice buffer and views
// with CUST5, INV5, ITM5, PMT and Prod5 open; measures the page through
// PageMetrics and reads the views' numbers through ViewTexts.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/convert.h"
#include "base/money.h"
#include "data/data_session.h"
#include "invoicing/view_texts.h"
#include "reports/aging_balances.h"
#include "reports/page_metrics.h"
#include "reports/report_doc.h"

namespace vt::reports {

// The name of a document's file without extension: `kind`, a hyphen and
// the number in six digits ("invoice-001065").
std::string DocumentName(const std::string& kind, long number);

class CustomerDocuments {
 public:
  CustomerDocuments(data::DataSession& session, ReportDoc& doc, const PageMetrics& metrics,
                    const invoicing::ViewTexts& texts);

  // The invoice layout (73 columns, the item table's rules and headings),
  // and BeginReport.
  void StartInvoiceReport();
  // The statement layout (59 columns, "Account Statement"), and BeginReport.
  void StartStatementReport();

  // The invoice in the buffer and views, on a page of its own: titled
  // "Invoice" in invoice mode, otherwise "Bill" when something is due and
  // "Statement" when not. Invoice mode adds the products' texts and the
  // remarks below the totals.
  void PrintInvoiceDoc(bool invoiceMode);
  // Every invoice dated `from` to `to` (in bill mode only those with
  // something due), in date order. 0 or a negative engine status.
  int InvoicesByDates(const base::DateTime& from, const base::DateTime& to, bool invoiceMode);
  // Invoice record `recno` loaded whole and added. 0 or a negative status.
  int AddInvoice(long recno, bool invoiceMode);

  // A statement for every customer, in zip code order, that has invoices
  // dated `from` to `to` with something due or a credit. Every earlier
  // invoice of the customer with something due or a credit comes first,
  // under a caption of its own, so the statement's Amount Due is what the
  // customer owes. Rows are in date order. Every statement ends with its
  // Amount Due by the age of the invoices today (0-30, 31-60, 61-90, over
  // 90 days), bracketed as Receivables Aging brackets them. Only live
  // invoices count; a customer marked deleted who still owes on them keeps
  // getting statements. 0 or a negative status.
  int StatementsWithBalances(const base::DateTime& from, const base::DateTime& to);
  // A statement of every live invoice of customer record `recno`, ending
  // with the balance by age as above (none when the customer has no
  // invoice). 0 or a negative status.
  int StatementOf(long recno);

  // The letterhead rows; starts page 1.
  void Letterhead();
  // `text` cut into the lines that fit the report's width, broken at the
  // last blank (a word wider than the line where it runs over); a line feed
  // starts a new line. Every character of the text stays. False when the
  // text is blank.
  bool SplitText(const std::string& text, std::vector<std::string>& lines) const;

 private:
  // Invoice number, date, charges, payments and amount due.
  struct StatementRow {
    std::array<std::string, 2> texts;
    std::array<base::MoneyTotal, 3> amounts;
    bool older = false;  // dated before the statement's span
    base::DateTime date;
    int ivNo = 0;
  };

  void row(std::initializer_list<std::pair<int, std::string>> cells);
  // Starts the document named `kind`-`number` on a page of its own, about
  // customer `cuno` on `date`.
  void pageOfItsOwn(const std::string& kind, long number, int cuno, const std::string& date);
  // An amount as the documents' texts give it, trimmed ("1,234.50").
  std::string plainAmount(const base::MoneyTotal& value) const;
  void addressBlock(bool invoiceLines);
  void itemRows(base::MoneyTotal& subtotal);
  void totalsBlock(const base::MoneyTotal& subtotal);
  // The invoice's payments (PmtLines) added up.
  base::MoneyTotal paidTotal() const;
  void textLines(const std::string& text);
  std::string amount(double value, int width) const;
  std::string amount(const base::MoneyTotal& value, int width) const {
    return amount(value.value(), width);
  }
  std::string prefix() const;
  bool stationaryEmpty() const;
  std::string today() const;
  int invoicesOfCustomer(int cuno, bool everyInvoice, const base::DateTime& from,
                         const base::DateTime& to);
  int AddStatementRow(bool older);
  // The statement of customer `cuno` of the rows gathered; with `span`
  // (from, to) the rows dated before it stand first under their own caption.
  void PrintStatement(int cuno, const std::optional<std::array<base::DateTime, 2>>& span);
  void statementRow(const StatementRow& line, std::array<base::MoneyTotal, 3>& totals);
  void statementCaption(const std::string& text);
  // The rows of the statement's Amount Due by the age of its invoices.
  void agingRows();

  data::DataSession& session_;
  ReportDoc& doc_;
  const PageMetrics& metrics_;
  const invoicing::ViewTexts& texts_;
  std::vector<StatementRow> statementRows_;
};

}  // namespace vt::reports
