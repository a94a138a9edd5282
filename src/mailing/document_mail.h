// The invoices, bills and statements of a report run as messages: who each
// goes to (the customer's e-mail address, which the user may change for the
// sending) and the text of its kind with the document's fields filled in.
#pragma once

#include <string>
#include <vector>

#include "data/data_session.h"
#include "mail/mail_message.h"
#include "mail/mail_settings.h"
#include "reports/report_doc.h"

namespace vt::mailing {

struct OutgoingDocument {
  reports::DocumentPart part;
  mail::DocumentKind kind = mail::DocumentKind::Invoice;
  std::string customerName;  // as the address block names the customer
  std::string address;       // the customer's e-mail address, trimmed; empty when none
};

// Every document of `doc` with its customer looked up in the session's open
// customer table (a customer not on file has no name and no address). 0 or
// a negative engine status.
int PlanDocumentMail(data::DataSession& session, const reports::ReportDoc& doc,
                     std::vector<OutgoingDocument>& out);

// The message of `document`: from the settings' sender to its address (a
// copy to the sender when the settings ask), the kind's subject and body
// with the fields filled in, the PDF file `pdf` attached under the
// document's file name.
mail::MailMessage ComposeMessage(const mail::MailSettings& settings, const std::string& company,
                                 const OutgoingDocument& document, const std::string& pdf);

}  // namespace vt::mailing
