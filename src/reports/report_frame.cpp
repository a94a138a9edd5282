#include "reports/report_frame.h"

#include "base/text1252.h"
#include "data/customer_address.h"
#include "data/live_records.h"
#include "invoicing/invoice_arithmetic.h"
#include "reports/report_cells.h"

namespace vt::reports {

using engine::Result;

std::string NothingMessage(int result) {
  switch (result) {
    case kNoInvoices:
      return "No Invoices within selected dates.";
    case kNoPayments:
      return "No Payments within selected dates.";
    case kNoMail:
      return "No mail has been sent from this data directory.";
    default:
      return {};
  }
}

SpanWalk::SpanWalk(ReportContext& context, const WalkedTable& walked, const base::DateTime& from,
                   const base::DateTime& to)
    : context_(context), walked_(walked), bounded_(true), from_(from.date()), to_(to.date()) {}

SpanWalk::SpanWalk(ReportContext& context, const WalkedTable& walked)
    : context_(context), walked_(walked) {}

engine::Table* SpanWalk::table() {
  return context_.session.table(walked_.id);
}

bool SpanWalk::selectTag() {
  engine::Table* walked = table();
  engine::Engine& engine = context_.session.engine();
  if (!walked) {
    engine.setError(engine::kErrOpen);
    return false;
  }
  engine::Tag* tag = walked->tag(walked_.tag);
  if (!tag) {
    engine.setError(engine::kErrTag);
    return false;
  }
  walked->selectTag(tag);
  return true;
}

bool SpanWalk::within(Result at) {
  if (at != Result::Success && at != Result::After) return false;
  if (!bounded_) return true;
  const base::DateTime now = context_.session.now();
  return base::KeyToDate(table()->field(walked_.dateField)->str(), now) <= to_;
}

int SpanWalk::Count() {
  engine::Engine& engine = context_.session.engine();
  engine.errorCode();
  count_ = 0;
  if (!selectTag()) return engine.errorCode();
  engine::Table& walked = *table();
  Result at = bounded_ ? data::LiveSeek(walked, base::DateToKey(from_, context_.session.now().year))
                       : data::LiveTop(walked);
  first_ = walked.recNo();
  for (; within(at); at = data::LiveNext(walked)) ++count_;
  if (const int status = engine.errorCode(); status < 0) return status;
  return count_ > 0 ? 0 : walked_.nothing;
}

int SpanWalk::Walk(const std::string& caption, const std::function<int()>& visit) {
  base::Progress* progress = context_.progress;
  if (progress) progress->show(true, caption);
  const int status = walkFromFirst(visit);
  if (progress) progress->show(false, caption);
  return status;
}

int SpanWalk::walkFromFirst(const std::function<int()>& visit) {
  engine::Engine& engine = context_.session.engine();
  engine.errorCode();
  if (count_ == 0) return 0;
  if (!selectTag()) return engine.errorCode();
  engine::Table& walked = *table();
  engine::Tag* tag = walked.selectedTag();
  long done = 0;
  for (Result at = walked.go(first_); within(at); at = data::LiveNext(walked)) {
    const uint32_t recno = walked.recNo();
    if (const int status = visit(); status < 0) return status;
    context_.session.PaceReads();
    ++done;
    if (context_.progress) context_.progress->set(static_cast<int>(100 * done / count_));
    // Back to the visited record when the visit moved the table.
    if (walked.selectedTag() != tag || walked.recNo() != recno) {
      walked.selectTag(tag);
      if (walked.go(recno) != Result::Success) break;
    }
  }
  return engine.errorCode();
}

int RunReport(ReportContext& context, SpanWalk& walk, const ReportSteps& steps) {
  data::DataSession& session = context.session;
  int status = 0;
  for (auto open : steps.opens) {
    if (!(session.*open)()) {
      status = engine::kErrOpen;
      break;
    }
  }
  // Held, the tables are read without a lock and a look at their headers
  // at every step; a hold that cannot be had leaves each read to lock for
  // itself, and any failure shows in the reads.
  if (status == 0) session.HoldReads();
  if (status == 0) status = walk.Count();
  if (status == 0) {
    steps.start();
    status = walk.Walk(steps.caption, steps.visit);
    if (status == 0) steps.finish();
  }
  session.ReleaseReads();
  session.CloseAll();
  return status;
}

// Selects `tagName` of `table`; kErrTag when the index is missing.
int SelectTag(engine::Table& table, const char* tagName) {
  engine::Tag* tag = table.tag(tagName);
  if (!tag) return engine::kErrTag;
  table.selectTag(tag);
  return 0;
}

double LineExtension(const invoicing::ViewTexts& texts, const data::ItemRow& item) {
  return invoicing::LineTotal(texts.number(item[data::ItemCol::Qty]),
                              texts.number(item[data::ItemCol::UPR]));
}

int CustomerDisplayName(data::DataSession& session, int cuno, std::string& name) {
  engine::Engine& engine = session.engine();
  engine.errorCode();
  engine::Table* customers = session.customers();
  if (!customers) return engine::kErrOpen;
  engine::Tag* byNumber = customers->tag("CCNO");
  if (!byNumber) return engine::kErrTag;
  customers->selectTag(byNumber);
  name = "UNKNOWN";
  if (customers->seek(base::PadNumber(cuno, 6)) != Result::Success) {
    const int status = engine.errorCode();
    return status < 0 ? status : kCustomerUnknown;
  }
  if (const int status = session.LoadCustomer(); status < 0) return status;
  name = data::CustomerListName(session.Customer, session.settings.ByCust);
  return 0;
}

void StartReport(ReportContext& context, int width, int cols, std::vector<std::string> titles) {
  ReportDoc& doc = context.doc;
  doc.ReportWidth = width;
  doc.ReportCols = cols;
  const data::DataSession& session = context.session;
  doc.BeginReport(context.metrics.linesPerPage(), session.shortDateText(session.now().date()));
  doc.ReportTitles = std::move(titles);
}

std::string SpanTitle(const data::DataSession& session, const std::string& lead,
                      const base::DateTime& from, const base::DateTime& to) {
  return lead + session.shortDateText(from) + " through " + session.shortDateText(to);
}

int PrintedWidth(const std::string& text) {
  return static_cast<int>(base::fromUtf8(ShownText(text)).size());
}

std::string PlainNumber(double value, int decimals) {
  return base::trim(base::FloatText(value, 1, decimals));
}

std::string AmountText(const data::DataSession& session, double value, int width, int decimals) {
  return ValuedText(session.viewAmount(value, width, decimals), PlainNumber(value, decimals));
}

std::string DateText(const data::DataSession& session, const base::DateTime& date) {
  const std::string shown = session.shortDateText(date);
  return date.isValidDate() ? ValuedText(shown, base::IsoDate(date)) : shown;
}

void BodyRow(ReportDoc& doc, const std::vector<std::string>& texts, int rows) {
  doc.CheckPage(doc.PageLine + rows, true);
  doc.NewLine();
  for (size_t c = 0; c < doc.ColumnCodes.size(); ++c) {
    doc.cell(static_cast<int>(c)) =
        doc.coded(static_cast<int>(c), c < texts.size() ? texts[c] : "");
  }
}

void CellsRow(ReportDoc& doc, std::initializer_list<std::pair<int, std::string>> cells,
              const std::string& style) {
  // A total row with no body row before it still stands under a page header.
  if (doc.PageNo == 0) doc.CheckPage(doc.PageLine + 1, true);
  doc.NewLine();
  for (const auto& [c, text] : cells) doc.cell(c) = text;
  doc.style() = style;
}

}  // namespace vt::reports
