#include "mail/mail_fields.h"

#include <array>
#include <utility>

namespace vt::mail {

std::string FillFields(const std::string& text, const MailFields& f) {
  const std::array<std::pair<const char*, const std::string*>, 6> names = {
      {{"{company}", &f.company},
       {"{customer}", &f.customer},
       {"{number}", &f.number},
       {"{date}", &f.date},
       {"{total}", &f.total},
       {"{due}", &f.due}}};
  std::string out;
  for (size_t i = 0; i < text.size();) {
    bool replaced = false;
    for (const auto& [name, value] : names) {
      if (text.compare(i, std::char_traits<char>::length(name), name) == 0) {
        out += *value;
        i += std::char_traits<char>::length(name);
        replaced = true;
        break;
      }
    }
    if (!replaced) out += text[i++];
  }
  return out;
}

}  // namespace vt::mail
