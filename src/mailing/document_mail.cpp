#include "mailing/document_mail.h"

#include "base/convert.h"
#include "base/text1252.h"
#include "data/customer_address.h"
#include "mail/mail_fields.h"

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
  engine::Engine& engine = session.engine();
  engine.errorCode();
  engine::Table* customers = session.customers();
  if (!customers) return engine::kErrOpen;
  engine::Tag* byNumber = customers->tag("CCNO");
  if (!byNumber) return engine::kErrTag;
  customers->selectTag(byNumber);
  for (const reports::DocumentPart& part : doc.documents()) {
    OutgoingDocument document{part, KindOf(part.facts.kind), "", ""};
    if (customers->seek(base::PadNumber(part.facts.cuno, 6)) == engine::Result::Success) {
      if (const int status = session.LoadCustomer(); status < 0) return status;
      document.customerName = data::CustomerListName(session.Customer, true);
      document.address = base::trim(session.Customer.email);
    }
    if (const int status = engine.errorCode(); status < 0) return status;
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
