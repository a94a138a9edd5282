// E-mail addresses and header texts as a user types them: what may go into
// a message's headers without changing them.
#pragma once

#include <string>

namespace vt::mail {

// "name@example.com": one @, a local part and a domain with a dot, no
// blanks, angle brackets, commas, quotes or control characters.
bool IsMailAddress(const std::string& address);

// A carriage return or line feed, which in a header would start another.
bool HasLineBreak(const std::string& text);

// "Name <address>" or a bare address, split; false when the address in it
// is not one or the name holds a line break.
bool SplitMailbox(const std::string& text, std::string& name, std::string& address);

}  // namespace vt::mail
