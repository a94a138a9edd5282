#include "mail/mail_address.h"

#include "base/text1252.h"

namespace vt::mail {

bool HasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

bool IsMailAddress(const std::string& address) {
  const size_t at = address.find('@');
  if (at == std::string::npos || at == 0 || address.find('@', at + 1) != std::string::npos)
    return false;
  for (const char c : address) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte == 0x7F ||
        std::string_view("<>()[],;:\"\\").find(c) != std::string::npos)
      return false;
  }
  const std::string domain = address.substr(at + 1);
  const size_t dot = domain.find('.');
  return dot != std::string::npos && dot > 0 && domain.back() != '.' &&
         domain.find("..") == std::string::npos && domain.front() != '.';
}

bool SplitMailbox(const std::string& text, std::string& name, std::string& address) {
  const std::string trimmed = base::trim(text);
  const size_t open = trimmed.rfind('<');
  if (open == std::string::npos) {
    name.clear();
    address = trimmed;
  } else {
    if (trimmed.back() != '>') return false;
    name = base::trim(trimmed.substr(0, open));
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
      name = name.substr(1, name.size() - 2);
    address = trimmed.substr(open + 1, trimmed.size() - open - 2);
  }
  return IsMailAddress(address) && !HasLineBreak(name);
}

}  // namespace vt::mail
