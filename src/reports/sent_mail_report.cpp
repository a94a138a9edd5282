// Sent Mail: every message sent from the data directory, oldest first, with
// the document, the address and what the server said.
#include "engine/io.h"
#include "mail/sent_mail_log.h"
#include "reports/report_cells.h"
#include "reports/sales_reports.h"

namespace vt::reports {

namespace {

constexpr int kWidth = 99;
constexpr int kCols = 12;

// "2026-12-08 14:03:11": the date for machines beside the shown text.
std::string WhenText(const data::DataSession& session, const std::string& when) {
  const std::optional<base::DateTime> day = base::DateFromKey(
      when.size() >= 10 ? when.substr(0, 4) + when.substr(5, 2) + when.substr(8, 2) : "");
  if (!day) return when;
  return ValuedText(session.shortDateText(*day) + when.substr(10), when);
}

}  // namespace

int SentMail(ReportContext& context) {
  data::DataSession& session = context.session;
  std::vector<mail::SentMail> sent;
  if (!mail::ReadSentMail(engine::realFileSystem(), session.engine().directory(), sent).empty()) {
    session.engine().setError(engine::kErrRead, mail::kSentMailLog);
    return engine::kErrRead;
  }
  if (sent.empty()) return kNoMail;
  StartReport(context, kWidth, kCols, {"Sent Mail"});
  ReportDoc& doc = context.doc;
  doc.SetBoxedHeadings(BoxedCodes({{'L', 19}, {'L', 16}, {'L', 30}, {'L', 29}}),
                       {"", "Sent", "", "Document", "", "Address", "", "Result", ""});
  for (const mail::SentMail& mail : sent) {
    BodyRow(doc, {"", WhenText(session, mail.when), "", mail.document, "", mail.address, "",
                  (mail.sent ? "sent: " : "refused: ") + mail.reply, ""});
  }
  doc.style() = "U";
  return 0;
}

}  // namespace vt::reports
