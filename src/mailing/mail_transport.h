// Where the messages go: to the outgoing server, or into .eml files for a
// mail program or a check.
#pragma once

#include <memory>
#include <string>

#include "mail/mail_message.h"
#include "mail/mail_settings.h"
#include "mail/smtp_session.h"

namespace vt::mailing {

class MailTransport {
 public:
  virtual ~MailTransport() = default;
  // Sends (or writes) `message` whose bytes are `bytes`, saved under
  // `name` (the document's file name without extension) where it is kept.
  virtual mail::SendResult Deliver(const mail::MailMessage& message, const std::string& bytes,
                                   const std::string& name) = 0;
};

class SmtpTransport final : public MailTransport {
 public:
  SmtpTransport(const mail::MailSettings& settings, std::string password)
      : session_(settings, std::move(password)) {}
  mail::SendResult Deliver(const mail::MailMessage& message, const std::string& bytes,
                           const std::string& name) override;

 private:
  mail::SmtpSession session_;
};

// NAME.eml in `dir` (made when missing), each written whole.
class EmlFileTransport final : public MailTransport {
 public:
  explicit EmlFileTransport(std::string dir) : dir_(std::move(dir)) {}
  mail::SendResult Deliver(const mail::MailMessage& message, const std::string& bytes,
                           const std::string& name) override;

 private:
  std::string dir_;
};

}  // namespace vt::mailing
