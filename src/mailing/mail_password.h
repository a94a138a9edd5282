// The password of the outgoing server's login, kept in the desktop's secret
// store (never in the data directory), one per data directory and login.
#pragma once

#include <string>

#include "mail/mail_settings.h"

namespace vt::mailing {

// The stored password: true with `password` set; false with `error` saying
// why (none stored, no secret store running).
bool ReadStoredPassword(const std::string& dataDir, const mail::MailSettings& settings,
                        std::string& password, std::string& error);
// Keeps `password` in the store; false with `error` when the store cannot.
bool StorePassword(const std::string& dataDir, const mail::MailSettings& settings,
                   const std::string& password, std::string& error);

}  // namespace vt::mailing
