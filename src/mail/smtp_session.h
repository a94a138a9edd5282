// Sending messages to the outgoing server of the settings over one
// connection, kept open from one message to the next: plain, STARTTLS or
// TLS, with a login when the settings name a user. Certificates are checked
// against the system's store, or against the file the environment variable
// VANTRELL_SMTP_CA_FILE names (a company's own certificate authority).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "mail/mail_settings.h"

namespace vt::mail {

struct SendResult {
  bool sent = false;
  // The server's own words (its last reply), or why no server answered.
  std::string reply;
};

class SmtpSession {
 public:
  SmtpSession(const MailSettings& settings, std::string password);
  ~SmtpSession();
  SmtpSession(const SmtpSession&) = delete;
  SmtpSession& operator=(const SmtpSession&) = delete;

  // Sends `bytes` (a whole message) from `from` to every one of
  // `recipients`. Refused when the server refuses the sender or any
  // recipient; the next message is still sent.
  SendResult Send(const std::string& from, const std::vector<std::string>& recipients,
                  const std::string& bytes);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Sends the test message of `settings` (from the sender, saying the
// settings work) to `to` over a session of its own.
SendResult SendTestMessage(const MailSettings& settings, const std::string& password,
                           const std::string& to);

}  // namespace vt::mail
