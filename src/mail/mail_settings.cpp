#include "mail/mail_settings.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <sstream>

#include "data/whole_file.h"
#include "mail/mail_address.h"

namespace vt::mail {

namespace {

// A line's value with "\n" for a line break and "\\" for a backslash, so a
// body of several lines keeps to one line of the file.
std::string Escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c != '\r') {
      out += c;
    }
  }
  return out;
}

std::string Unescaped(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == '\\')) {
      out += text[++i] == 'n' ? '\n' : '\\';
    } else {
      out += text[i];
    }
  }
  return out;
}

// The file's keys, each with how it is read from and written to a line.
struct Key {
  std::string name;
  std::function<std::string(const MailSettings&)> get;
  // Empty, or why the value is refused.
  std::function<std::string(MailSettings&, const std::string&)> set;
};

std::function<std::string(MailSettings&, const std::string&)> Text(
    std::string MailSettings::*field) {
  return [field](MailSettings& s, const std::string& value) {
    s.*field = value;
    return std::string();
  };
}

// The keys, made once.
std::vector<Key> MakeKeys() {
  std::vector<Key> keys = {
      {"host", [](const MailSettings& s) { return s.host; }, Text(&MailSettings::host)},
      {"port", [](const MailSettings& s) { return std::to_string(s.port); },
       [](MailSettings& s, const std::string& value) {
         int port = 0;
         const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), port);
         if (error != std::errc() || end != value.data() + value.size() || port < 1 || port > 65535)
           return std::string("port must be a number from 1 to 65535");
         s.port = port;
         return std::string();
       }},
      {"security", [](const MailSettings& s) { return std::string(SecurityName(s.security)); },
       [](MailSettings& s, const std::string& value) {
         return SecurityFromName(value, s.security)
                    ? std::string()
                    : std::string("security must be none, starttls or tls");
       }},
      {"user", [](const MailSettings& s) { return s.user; }, Text(&MailSettings::user)},
      {"from-name", [](const MailSettings& s) { return s.fromName; },
       Text(&MailSettings::fromName)},
      {"from-address", [](const MailSettings& s) { return s.fromAddress; },
       Text(&MailSettings::fromAddress)},
      {"cc-self", [](const MailSettings& s) { return std::string(s.ccSelf ? "yes" : "no"); },
       [](MailSettings& s, const std::string& value) {
         if (value != "yes" && value != "no") return std::string("cc-self must be yes or no");
         s.ccSelf = value == "yes";
         return std::string();
       }},
  };
  for (const DocumentKind kind : kDocumentKinds) {
    const std::string prefix = KindName(kind);
    for (const bool body : {false, true}) {
      keys.push_back({prefix + (body ? ".body" : ".subject"),
                      [kind, body](const MailSettings& s) {
                        const KindTexts& t = s.textsOf(kind);
                        return body ? t.body : t.subject;
                      },
                      [kind, body](MailSettings& s, const std::string& value) {
                        KindTexts& t = s.textsOf(kind);
                        (body ? t.body : t.subject) = value;
                        return std::string();
                      }});
    }
  }
  return keys;
}

const std::vector<Key>& Keys() {
  static const std::vector<Key> keys = MakeKeys();
  return keys;
}

}  // namespace

const char* KindName(DocumentKind kind) {
  switch (kind) {
    case DocumentKind::Invoice:
      return "invoice";
    case DocumentKind::Bill:
      return "bill";
    case DocumentKind::Statement:
      return "statement";
  }
  return "invoice";
}

const char* SecurityName(Security security) {
  switch (security) {
    case Security::None:
      return "none";
    case Security::StartTls:
      return "starttls";
    case Security::Tls:
      return "tls";
  }
  return "starttls";
}

bool SecurityFromName(const std::string& name, Security& out) {
  for (const Security s : {Security::None, Security::StartTls, Security::Tls}) {
    if (name == SecurityName(s)) {
      out = s;
      return true;
    }
  }
  return false;
}

MailSettings DefaultMailSettings() {
  MailSettings s;
  s.textsOf(DocumentKind::Invoice) = {
      "Invoice {number} from {company}",
      "Dear {customer},\n\nplease find attached invoice {number} of {date} for {total}.\n\n"
      "Thank you for your business.\n{company}"};
  s.textsOf(DocumentKind::Bill) = {
      "Invoice {number} from {company}: {due} due",
      "Dear {customer},\n\nplease find attached invoice {number} of {date}, on which {due} is "
      "due.\n\nThank you.\n{company}"};
  s.textsOf(DocumentKind::Statement) = {
      "Statement of account from {company}",
      "Dear {customer},\n\nplease find attached your statement of {date}; the amount due is "
      "{due}.\n\nThank you.\n{company}"};
  return s;
}

std::string LoadMailSettings(engine::FileSystem& fs, const std::string& dir, MailSettings& out) {
  out = DefaultMailSettings();
  const std::string path = engine::resolvePath(fs, dir, kMailSettingsFile);
  if (!fs.exists(path)) return {};
  std::string bytes;
  if (!data::ReadWholeFile(fs, path, bytes))
    return std::string(kMailSettingsFile) + " cannot be read";
  std::istringstream lines(bytes);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const size_t equals = line.find('=');
    const std::string where = std::string(kMailSettingsFile) + " line " + std::to_string(number);
    if (equals == std::string::npos) return where + ": not a setting";
    if (std::string wrong =
            SetMailSetting(out, line.substr(0, equals), Unescaped(line.substr(equals + 1)));
        !wrong.empty())
      return where + ": " + wrong;
  }
  return {};
}

std::string SetMailSetting(MailSettings& settings, const std::string& key,
                           const std::string& value) {
  const std::vector<Key>& keys = Keys();
  const auto found =
      std::find_if(keys.begin(), keys.end(), [&key](const Key& k) { return key == k.name; });
  return found == keys.end() ? "not a setting" : found->set(settings, value);
}

std::string SaveMailSettings(engine::FileSystem& fs, const std::string& dir,
                             const MailSettings& settings) {
  std::string bytes = "# E-mail settings of this data directory; the password is not kept here.\n";
  for (const Key& key : Keys()) bytes += key.name + "=" + Escaped(key.get(settings)) + "\n";
  const std::string path = engine::resolvePath(fs, dir, kMailSettingsFile);
  if (!data::WriteWholeFile(fs, path, bytes)) return "Unable to save to: " + path;
  return {};
}

std::string CheckMailSettings(const MailSettings& settings) {
  if (settings.host.empty()) return "Give the outgoing mail server.";
  if (HasLineBreak(settings.host) || settings.host.find(' ') != std::string::npos)
    return "The outgoing mail server is not a host name.";
  if (!IsMailAddress(settings.fromAddress)) return "The sender's address is not an e-mail address.";
  if (HasLineBreak(settings.fromName) || HasLineBreak(settings.user))
    return "A name may not hold a line break.";
  for (const DocumentKind kind : kDocumentKinds) {
    if (HasLineBreak(settings.textsOf(kind).subject))
      return std::string("The ") + KindName(kind) + " subject may not hold a line break.";
  }
  return {};
}

}  // namespace vt::mail
