// One message as it is sent: sender, recipient, an optional copy, subject,
// a plain-text body and an optional attachment, written as an Internet
// message (MIME, UTF-8 text, encoded headers for names with accents).
#pragma once

#include <optional>
#include <string>

namespace vt::mail {

struct Attachment {
  std::string fileName;
  std::string bytes;
  std::string type = "application";
  std::string subtype = "pdf";
};

struct MailMessage {
  std::string fromName, fromAddress;
  std::string toName, toAddress;
  std::string ccAddress;  // empty: no copy
  std::string subject;
  std::string body;  // UTF-8, lines ended by "\n"
  std::optional<Attachment> attachment;
};

// Empty, or what keeps the message from being sent: an address that is not
// one, a line break in a name or the subject.
std::string CheckMessage(const MailMessage& message);

// The message's bytes with CR LF line ends, and its Message-ID (without
// angle brackets) in `messageId`. The message must pass CheckMessage.
std::string MessageBytes(const MailMessage& message, std::string& messageId);

}  // namespace vt::mail
