#include "mailing/send_documents.h"

#include <chrono>
#include <ctime>
#include <filesystem>

#include "data/whole_file.h"
#include "engine/io.h"
#include "mail/sent_mail_log.h"

namespace vt::mailing {

namespace {

std::string LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

MailOutcome SendOne(const SendJob& job, const OutgoingDocument& document,
                    MailTransport& transport) {
  MailOutcome outcome{document.part.name, document.address, false, ""};
  if (document.address.empty()) {
    outcome.reply = "the customer has no e-mail address";
    return outcome;
  }
  std::string pdf;
  const std::string path =
      (std::filesystem::path(job.pdfDir) / (document.part.name + ".pdf")).string();
  if (!data::ReadWholeFile(engine::realFileSystem(), path, pdf)) {
    outcome.reply = "Unable to read " + path;
    return outcome;
  }
  const mail::MailMessage message = ComposeMessage(job.settings, job.company, document, pdf);
  if (std::string wrong = mail::CheckMessage(message); !wrong.empty()) {
    outcome.reply = wrong;
    return outcome;
  }
  std::string messageId;
  const std::string bytes = mail::MessageBytes(message, messageId);
  const mail::SendResult result = transport.Deliver(message, bytes, document.part.name);
  outcome.sent = result.sent;
  outcome.reply = result.reply;
  if (job.record) {
    const std::string failed =
        mail::AppendSentMail(engine::realFileSystem(), job.dataDir,
                             {LocalNow(), outcome.document, outcome.address, outcome.sent,
                              outcome.reply, outcome.sent ? messageId : ""});
    if (!failed.empty()) outcome.reply += " (" + failed + ")";
  }
  return outcome;
}

}  // namespace

std::vector<MailOutcome> SendDocuments(const SendJob& job,
                                       const std::vector<OutgoingDocument>& documents,
                                       MailTransport& transport,
                                       const std::function<bool(int, int)>& step) {
  std::vector<MailOutcome> outcomes;
  const int total = static_cast<int>(documents.size());
  for (int done = 0; done < total; ++done) {
    if (step && !step(done, total)) return outcomes;
    outcomes.push_back(SendOne(job, documents[static_cast<size_t>(done)], transport));
  }
  if (step) step(total, total);
  return outcomes;
}

std::string OutcomeLine(const MailOutcome& outcome) {
  return outcome.document + "  " + (outcome.address.empty() ? "(no address)" : outcome.address) +
         "  " + (outcome.sent ? "sent" : "not sent: " + outcome.reply);
}

}  // namespace vt::mailing
