#include "tool/options.h"

#include <charconv>

namespace vt::tool {

bool takeOption(const Args& args, size_t* i, const std::string& name, std::string* value,
                std::string* error) {
  const std::string& arg = args[*i];
  if (arg.rfind(name + "=", 0) == 0) {
    *value = arg.substr(name.size() + 1);
    return true;
  }
  if (arg != name) return false;
  if (*i + 1 >= args.size()) {
    *error = name + " needs a value";
    return true;
  }
  *value = args[++*i];
  return true;
}

bool WholeNumber(std::string_view text, int* value) {
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, *value);
  return !text.empty() && error == std::errc() && ptr == end;
}

bool NumberList(const std::string& text, std::vector<int>* numbers) {
  size_t start = 0;
  for (;;) {
    const size_t comma = text.find(',', start);
    int value = 0;
    if (!WholeNumber(std::string_view(text).substr(start, comma - start), &value) || value < 1) {
      return false;
    }
    numbers->push_back(value);
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

}  // namespace vt::tool
