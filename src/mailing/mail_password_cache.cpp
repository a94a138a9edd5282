#include "mailing/mail_password_cache.h"

#include "mailing/mail_password.h"

namespace vt::mailing {

std::string MailPasswordCache::KeyOf(const std::string& dataDir,
                                     const mail::MailSettings& settings) {
  return dataDir + "|" + settings.user + "@" + settings.host;
}

std::optional<std::string> MailPasswordCache::For(const std::string& dataDir,
                                                  const mail::MailSettings& settings,
                                                  base::Dialogs& dialogs) {
  if (settings.user.empty()) return std::string();
  const std::string key = KeyOf(dataDir, settings);
  if (const auto found = known_.find(key); found != known_.end()) return found->second;
  std::string password, why;
  if (!ReadStoredPassword(dataDir, settings, password, why)) {
    const std::optional<std::string> typed = dialogs.passwordBox(
        "E-mail", "Password of " + settings.user + " at " + settings.host + ":");
    if (!typed) return std::nullopt;
    password = *typed;
  }
  known_[key] = password;
  return password;
}

std::string MailPasswordCache::Remember(const std::string& dataDir,
                                        const mail::MailSettings& settings,
                                        const std::string& password) {
  known_[KeyOf(dataDir, settings)] = password;
  std::string why;
  if (StorePassword(dataDir, settings, password, why)) return {};
  return why;
}

}  // namespace vt::mailing
