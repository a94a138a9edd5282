// The frame the sales, income and inventory reports are built in: what a
// generator works with, the walk over the records of a span of dates in the
// order of a tag (counted first, so the progress box can show how far it
// has gone), and the document's set-up and rows. Telling the user that a
// span holds nothing is left to the caller: the walk only says so.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "base/convert.h"
#include "base/money.h"
#include "base/progress.h"
#include "data/data_session.h"
#include "invoicing/view_texts.h"
#include "reports/page_metrics.h"
#include "reports/report_doc.h"

namespace vt::reports {

// What a report generator works with. `progress` is the main window's
// progress box; there is none when it is null (batch runs).
struct ReportContext {
  data::DataSession& session;
  ReportDoc& doc;
  const PageMetrics& metrics;
  const invoicing::ViewTexts& texts;
  base::Progress* progress = nullptr;
};

// Results of a report beside 0 (the document is built) and a negative
// engine status: nothing to report, so no document. The caller tells the
// user NothingMessage(result).
constexpr int kNoInvoices = 1;
constexpr int kNoPayments = 2;
constexpr int kNoMail = 3;
// "No Invoices within selected dates.", "No Payments within selected
// dates." or "No mail has been sent from this data directory."; empty for
// any other result.
std::string NothingMessage(int result);

// A table walked in the order of one of its tags, with the date field that
// bounds a span (none for a walk over the whole table) and the result when
// there is nothing to walk.
struct WalkedTable {
  data::TableId id;
  const char* tag;
  const char* dateField;
  int nothing;
};
inline constexpr WalkedTable kInvoicesByDate{data::TableId::Invoices, "InvD", "IDate", kNoInvoices};
inline constexpr WalkedTable kPaymentsByDate{data::TableId::Payments, "PmtD", "PDate", kNoPayments};

// A walk over the live records of a table (those marked deleted are left
// out, as the windows leave them out).
class SpanWalk {
 public:
  // The records of `walked` dated from the day of `from` to the day of `to`.
  SpanWalk(ReportContext& context, const WalkedTable& walked, const base::DateTime& from,
           const base::DateTime& to);
  // Every record of `walked`, from the first in its tag's order.
  SpanWalk(ReportContext& context, const WalkedTable& walked);

  // Selects the tag, finds the first record (seeking the start date) and
  // counts forward while the date is not after the end. 0, the table's
  // nothing result when none is found, or a negative status.
  int Count();
  long count() const { return count_; }

  // After Count: shows the progress box with `caption`, visits the counted
  // records in tag order with the table on each (`visit` may move it and
  // other tables), setting the box to the share done after each, and hides
  // the box. The first negative status of `visit` or the engine ends it and
  // is returned; 0 otherwise.
  int Walk(const std::string& caption, const std::function<int()>& visit);

 private:
  engine::Table* table();
  // False when the tag is missing (the engine's error set).
  bool selectTag();
  // Positioned on a record within the span.
  bool within(engine::Result at);
  int walkFromFirst(const std::function<int()>& visit);

  ReportContext& context_;
  WalkedTable walked_;
  bool bounded_ = false;
  base::DateTime from_, to_;
  uint32_t first_ = 0;
  long count_ = 0;
};

// The steps of one report over the records of a walk: the tables it opens,
// its progress caption, the document's set-up, each record's rows and the
// closing rows.
struct ReportSteps {
  std::vector<bool (data::DataSession::*)()> opens;
  std::string caption;
  std::function<void()> start;
  std::function<int()> visit;
  std::function<void()> finish;
};
// Opens the tables, counts the walk's records, and when there are any sets
// the document up, walks and adds the closing rows; then closes every table.
// 0, the walk's nothing result, or a negative status (kErrOpen when a table
// could not be opened and the program's exit returned).
int RunReport(ReportContext& context, SpanWalk& walk, const ReportSteps& steps);

// Selects `tagName` of `table`; 0, or kErrTag when the index is missing.
int SelectTag(engine::Table& table, const char* tagName);

// The line total of an item row (quantity times unit price to the cent, as
// the invoice charges it), each read from its text as the views hold it.
double LineExtension(const invoicing::ViewTexts& texts, const data::ItemRow& item);

// The name of customer `cuno` as the reports list it (CustomerListName
// with the by-name setting); "UNKNOWN" when no customer has the number. Seeks the open
// customer table on its number tag and loads the customer buffer. 0 when
// found, kCustomerUnknown when not, or a negative status.
constexpr int kCustomerUnknown = 1;
int CustomerDisplayName(data::DataSession& session, int cuno, std::string& name);

// Sets the report's width and cells, begins the document (the metrics'
// rows to a page, today's date in the page headers) and sets its titles.
void StartReport(ReportContext& context, int width, int cols, std::vector<std::string> titles);
// `lead` followed by the span's dates in the session's short date text:
// "<lead><from> through <to>".
std::string SpanTitle(const data::DataSession& session, const std::string& lead,
                      const base::DateTime& from, const base::DateTime& to);

// The characters `text` (UTF-8) takes on a report line, a value it carries
// left out.
int PrintedWidth(const std::string& text);

// A number with `decimals` places and a point, whatever the locale, for
// machines ("-12.50").
std::string PlainNumber(double value, int decimals = 2);
// An amount as the session shows it ("%W.Df" in the locale's form),
// carrying its plain value for machines.
std::string AmountText(const data::DataSession& session, double value, int width, int decimals = 2);
// A date as the session's short date text, carrying its ISO date (none for a
// blank or invalid date).
std::string DateText(const data::DataSession& session, const base::DateTime& date);

// A body row after a page check for `rows` rows: in every column its code
// followed by the text given for it, so columns without text (the rules)
// take their bare code.
void BodyRow(ReportDoc& doc, const std::vector<std::string>& texts, int rows = 1);
// A new row of the cells given (index and whole text) and the style.
void CellsRow(ReportDoc& doc, std::initializer_list<std::pair<int, std::string>> cells,
              const std::string& style = "");

}  // namespace vt::reports
