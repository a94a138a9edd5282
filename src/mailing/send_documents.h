// Sending the documents of a run, each with its PDF attached (the file one
// PDF per document writes, named the same), and recording every message in
// the data directory's record of sent mail.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "mail/mail_settings.h"
#include "mailing/document_mail.h"
#include "mailing/mail_transport.h"

namespace vt::mailing {

struct MailOutcome {
  std::string document;  // the document's file name without extension
  std::string address;
  bool sent = false;
  std::string reply;  // the server's words, or why it was not sent
};

struct SendJob {
  mail::MailSettings settings;
  std::string company;  // {company}: the letterhead's name
  std::string pdfDir;   // where each document's PDF file is
  std::string dataDir;  // whose record of sent mail takes each message
  bool record = true;   // false for messages only written to files
};

// Sends each document in turn. A document without an address, or whose
// message is refused before sending (CheckMessage), is not sent and says
// why; a refusal by the server stops only its own message. `step(done,
// total)` runs before each document and after the last; when it returns
// false, the documents not yet sent are left (and not listed).
std::vector<MailOutcome> SendDocuments(const SendJob& job,
                                       const std::vector<OutgoingDocument>& documents,
                                       MailTransport& transport,
                                       const std::function<bool(int, int)>& step);

// "Sent Mail ..." lines for people: "invoice-001065  ann@example.com  sent"
// or with the reason.
std::string OutcomeLine(const MailOutcome& outcome);

}  // namespace vt::mailing
