// The outgoing server's password for one run of the program: from the
// desktop's secret store, or, where none is running, asked once and kept
// until the program closes.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "base/dialogs.h"
#include "mail/mail_settings.h"

namespace vt::mailing {

class MailPasswordCache {
 public:
  // The password of `settings`' login for `dataDir`; empty without a
  // login; nothing when the user cancelled the question.
  std::optional<std::string> For(const std::string& dataDir, const mail::MailSettings& settings,
                                 base::Dialogs& dialogs);
  // Keeps `password` in the store, and for this run in any case. Empty, or
  // the store's reason when only this run keeps it.
  std::string Remember(const std::string& dataDir, const mail::MailSettings& settings,
                       const std::string& password);

 private:
  static std::string KeyOf(const std::string& dataDir, const mail::MailSettings& settings);
  std::map<std::string, std::string> known_;
};

}  // namespace vt::mailing
