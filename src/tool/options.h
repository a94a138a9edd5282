// Reading a subcommand's options.
#pragma once

#include <string>

#include "tool/commands.h"

namespace vt::tool {

// Takes "--name VALUE" or "--name=VALUE" at args[*i]; false if not that
// option. A missing value is a usage error reported through *error.
bool takeOption(const Args& args, size_t* i, const std::string& name, std::string* value,
                std::string* error);

}  // namespace vt::tool
