#include "mailing/mail_transport.h"

#include <filesystem>

#include "data/whole_file.h"
#include "engine/io.h"

namespace vt::mailing {

mail::SendResult SmtpTransport::Deliver(const mail::MailMessage& message, const std::string& bytes,
                                        const std::string&) {
  std::vector<std::string> recipients{message.toAddress};
  if (!message.ccAddress.empty()) recipients.push_back(message.ccAddress);
  return session_.Send(message.fromAddress, recipients, bytes);
}

mail::SendResult EmlFileTransport::Deliver(const mail::MailMessage&, const std::string& bytes,
                                           const std::string& name) {
  std::error_code error;
  std::filesystem::create_directories(dir_, error);
  const std::string path = (std::filesystem::path(dir_) / (name + ".eml")).string();
  if (!data::WriteWholeFile(engine::realFileSystem(), path, bytes))
    return {false, "Unable to save to: " + path};
  return {true, "written to " + path};
}

}  // namespace vt::mailing
