// The e-mail settings of a data directory, kept in VTMAIL.INI beside the
// tables (so a backup carries them): the outgoing server, the sender, and
// the subject and body of each kind of document. The password is never
// kept here.
#pragma once

#include <array>
#include <string>

#include "data/maintenance.h"
#include "engine/io.h"

namespace vt::mail {

enum class Security { None, StartTls, Tls };
enum class DocumentKind { Invoice, Bill, Statement };
inline constexpr std::array<DocumentKind, 3> kDocumentKinds = {
    DocumentKind::Invoice, DocumentKind::Bill, DocumentKind::Statement};

// "invoice", "bill", "statement": the kind's name in the file and in the
// documents' file names.
const char* KindName(DocumentKind kind);
// "none", "starttls", "tls".
const char* SecurityName(Security security);
bool SecurityFromName(const std::string& name, Security& out);

struct KindTexts {
  std::string subject;
  std::string body;
};

struct MailSettings {
  std::string host;
  int port = 587;
  Security security = Security::StartTls;
  std::string user;
  std::string fromName;
  std::string fromAddress;
  bool ccSelf = false;
  std::array<KindTexts, 3> texts;  // by DocumentKind

  const KindTexts& textsOf(DocumentKind kind) const { return texts[static_cast<size_t>(kind)]; }
  KindTexts& textsOf(DocumentKind kind) { return texts[static_cast<size_t>(kind)]; }
  // The server and the sender are set.
  bool complete() const { return !host.empty() && !fromAddress.empty(); }
};

// The settings of a directory without a file: port 587 with STARTTLS, and
// the texts of each kind.
MailSettings DefaultMailSettings();

inline constexpr const char* kMailSettingsFile = data::kMailSettingsFile;

// Reads `dir`'s settings into `out` (the defaults where the file has no
// line, or where there is no file). Empty, or what is wrong with the file
// ("VTMAIL.INI line 4: port must be a number from 1 to 65535").
std::string LoadMailSettings(engine::FileSystem& fs, const std::string& dir, MailSettings& out);
// Sets the setting the file names `key` ("port", "cc-self") from its text.
// Empty, or what is wrong ("port must be a number from 1 to 65535").
std::string SetMailSetting(MailSettings& settings, const std::string& key,
                           const std::string& value);
// Writes them whole or not at all. Empty, or why not.
std::string SaveMailSettings(engine::FileSystem& fs, const std::string& dir,
                             const MailSettings& settings);

// Checks what a user typed: empty, or the first thing wrong ("The sender's
// address is not an e-mail address.").
std::string CheckMailSettings(const MailSettings& settings);

}  // namespace vt::mail
