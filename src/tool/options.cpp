#include "tool/options.h"

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

}  // namespace vt::tool
