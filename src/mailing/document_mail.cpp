#include "mailing/document_mail.h"

#include "base/text1252.h"
#include "data/customer_address.h"
#include "mail/mail_fields.h"
#include "reports/report_frame.h"

namespace vt::mailing {

namespace {

mail::DocumentKind KindOf(const std::string& kind) {
  for (const mail::DocumentKind k : mail::kDocumentKinds) {
    if (kind == mail::KindName(k)) return k;
  }
  return mail::DocumentKind::Invoice;
}

}  // namespace

int PlanDocumentMail(data::DataSession& session, const reports::ReportDoc& doc,
                     std::vector<OutgoingDocument>& out) {
  out.clear();
  for (const reports::DocumentPart& part : doc.documents()) {
    OutgoingDocument document{part, KindOf(part.facts.kind), "", ""};
    std::string unused;
    const int found = reports::CustomerDisplayName(session, part.facts.cuno, unused);
    if (found < 0) return found;
    if (found == 0) {
      document.customerName = data::CustomerListName(session.Customer, true);
      document.address = base::trim(session.Customer.email);
    }
    out.push_back(std::move(document));
  }
  return 0;
}

mail::MailMessage ComposeMessage(const mail::MailSettings& settings, const std::string& company,
                                 const OutgoingDocument& document, const std::string& pdf) {
  const reports::DocumentFacts& facts = document.part.facts;
  const mail::MailFields fields{company,    document.customerName, std::to_string(facts.number),
                                facts.date, facts.total,           facts.due};
  const mail::KindTexts& texts = settings.textsOf(document.kind);
  mail::MailMessage message;
  message.fromName = settings.fromName;
  message.fromAddress = settings.fromAddress;
  message.toName = document.customerName;
  message.toAddress = document.address;
  if (settings.ccSelf) message.ccAddress = settings.fromAddress;
  message.subject = mail::FillFields(texts.subject, fields);
  message.body = mail::FillFields(texts.body, fields);
  message.attachment = mail::Attachment{document.part.name + ".pdf", pdf};
  return message;
}

}  // namespace vt::mailing
