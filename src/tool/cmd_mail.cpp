// vantrell-tool mail-settings DIR [--host H] [--port P] [--security none|starttls|tls]
//   [--user U] [--from "Name <address>"] [--cc-self yes|no]
// vantrell-tool mail-test DIR --to ADDRESS
// and the sending of `report invoices|bills|statements ... --email`.
#include <QTemporaryDir>
#include <cstdlib>
#include <iostream>

#include "base/text1252.h"
#include "engine/io.h"
#include "mail/mail_address.h"
#include "mail/mail_settings.h"
#include "mailing/mail_password.h"
#include "mailing/send_documents.h"
#include "reports/report_output.h"
#include "tool/commands.h"
#include "tool/console.h"
#include "tool/mail_commands.h"
#include "tool/options.h"

namespace vt::tool {

namespace {

void Show(const mail::MailSettings& s) {
  std::cout << "host: " << s.host << "\nport: " << s.port
            << "\nsecurity: " << mail::SecurityName(s.security) << "\nuser: " << s.user
            << "\nfrom: " << (s.fromName.empty() ? "" : s.fromName + " ") << "<" << s.fromAddress
            << ">\ncc-self: " << (s.ccSelf ? "yes" : "no") << "\n";
}

// Applies one option of mail-settings; empty, or what is wrong with it.
std::string Apply(const std::string& option, const std::string& value, mail::MailSettings& s) {
  if (option == "--from") {
    return mail::SplitMailbox(value, s.fromName, s.fromAddress)
               ? ""
               : "--from must be \"Name <address>\" or an address";
  }
  for (const char* key : {"host", "port", "security", "user", "cc-self"}) {
    if (option != std::string("--") + key) continue;
    const std::string wrong = mail::SetMailSetting(s, key, value);
    return wrong.empty() ? "" : "--" + wrong;
  }
  return "unknown option " + option;
}

// The directory's settings, or a message on standard error and false.
bool LoadSettings(const std::string& dir, mail::MailSettings& settings) {
  const std::string wrong = mail::LoadMailSettings(engine::realFileSystem(), dir, settings);
  if (!wrong.empty()) std::cerr << wrong << std::endl;
  return wrong.empty();
}

// The login's password: VANTRELL_SMTP_PASSWORD, else the secret store;
// none is needed without a user.
bool Password(const std::string& dir, const mail::MailSettings& settings, std::string& password) {
  if (settings.user.empty()) return true;
  if (const char* given = std::getenv("VANTRELL_SMTP_PASSWORD")) {
    password = given;
    return true;
  }
  std::string why;
  if (mailing::ReadStoredPassword(dir, settings, password, why)) return true;
  std::cerr << "No password for " << settings.user << " at " << settings.host
            << ": set VANTRELL_SMTP_PASSWORD or keep it in the desktop's secret store from the "
               "program's E-mail settings ("
            << why << ")" << std::endl;
  return false;
}

// Settings that can send, with their password; a message otherwise.
bool ReadyToSend(const std::string& dir, mail::MailSettings& settings, std::string& password) {
  if (!LoadSettings(dir, settings)) return false;
  if (const std::string wrong = mail::CheckMailSettings(settings); !wrong.empty()) {
    std::cerr << wrong << " Set it with vantrell-tool mail-settings." << std::endl;
    return false;
  }
  return Password(dir, settings, password);
}

// Sends the test message of the settings of `dir` to `to`.
int SendTest(const std::string& dir, const std::string& to) {
  mail::MailSettings settings;
  std::string password;
  if (!ReadyToSend(dir, settings, password)) return kExitFailure;
  const mail::SendResult result = mail::SendTestMessage(settings, password, to);
  std::cout << to << "  " << (result.sent ? "sent" : "not sent: " + result.reply) << std::endl;
  return result.sent ? kExitOk : kExitFailure;
}

}  // namespace

int runMailSettings(const Args& args) {
  if (args.empty() || args[0].rfind("--", 0) == 0) return usageError("mail-settings takes DIR");
  const std::string dir = args[0];
  if (!requireDataFiles(dir)) return kExitFailure;
  mail::MailSettings settings;
  if (!LoadSettings(dir, settings)) return kExitFailure;
  for (size_t i = 1; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return usageError(args[i] + " needs a value");
    if (const std::string wrong = Apply(args[i], args[i + 1], settings); !wrong.empty())
      return usageError(wrong);
  }
  if (args.size() > 1) {
    if (const std::string failed = mail::SaveMailSettings(engine::realFileSystem(), dir, settings);
        !failed.empty()) {
      std::cerr << failed << std::endl;
      return kExitFailure;
    }
  }
  Show(settings);
  return kExitOk;
}

int runMailTest(const Args& args) {
  std::string to, error;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size() && error.empty(); ++i) {
    if (takeOption(args, &i, "--to", &to, &error)) continue;
    positional.push_back(args[i]);
  }
  if (!error.empty()) return usageError(error);
  if (positional.size() != 1 || to.empty()) return usageError("mail-test takes DIR --to ADDRESS");
  if (!mail::IsMailAddress(to)) return usageError("--to " + to + " is not an e-mail address");
  const std::string& dir = positional[0];
  if (!requireDataFiles(dir)) return kExitFailure;
  // The secret store answers through the toolkit's event loop.
  return runOffscreen([&dir, &to] { return SendTest(dir, to); });
}

int MailDocuments(const ReportArgs& a, data::DataSession& session, const reports::ReportDoc& doc,
                  const QFont& font, const ui::PrinterState& printers) {
  mailing::SendJob job;
  std::string password;
  if (a.email ? !ReadyToSend(a.dir, job.settings, password) : !LoadSettings(a.dir, job.settings))
    return kExitFailure;
  std::vector<mailing::OutgoingDocument> documents;
  if (const int status = mailing::PlanDocumentMail(session, doc, documents); status < 0) {
    std::cerr << "Unable to read the data: " << session.engine().errorText(status) << std::endl;
    return kExitFailure;
  }
  // The PDF files are those --each writes: kept there when asked for.
  QTemporaryDir scratch;
  job.pdfDir = a.each.empty() ? scratch.path().toStdString() : a.each;
  int written = 0;
  const QString failed = reports::WriteEachPdf(doc, QString::fromStdString(job.pdfDir), font,
                                               printers.printer().pageLayout(), &written, nullptr);
  if (!failed.isEmpty()) {
    std::cerr << "Unable to save to: " << failed.toStdString() << std::endl;
    return kExitFailure;
  }
  job.company = base::trim(session.settings.Company);
  job.dataDir = a.dir;
  job.record = a.email;
  std::unique_ptr<mailing::MailTransport> transport;
  if (a.email) {
    transport = std::make_unique<mailing::SmtpTransport>(job.settings, password);
  } else {
    transport = std::make_unique<mailing::EmlFileTransport>(a.emailFiles);
  }
  bool all = true;
  for (const mailing::MailOutcome& outcome :
       mailing::SendDocuments(job, documents, *transport, nullptr)) {
    std::cout << mailing::OutcomeLine(outcome) << std::endl;
    all = all && outcome.sent;
  }
  return all ? kExitOk : kExitFailure;
}

}  // namespace vt::tool
