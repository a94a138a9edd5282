// Reading a subcommand's options.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tool/commands.h"

namespace vt::tool {

// Takes "--name VALUE" or "--name=VALUE" at args[*i]; false if not that
// option. A missing value is a usage error reported through *error.
bool takeOption(const Args& args, size_t* i, const std::string& name, std::string* value,
                std::string* error);

// A whole number, the whole of `text`.
bool WholeNumber(std::string_view text, int* value);
// "12,15,40": numbers above 0, appended to *numbers.
bool NumberList(const std::string& text, std::vector<int>* numbers);

}  // namespace vt::tool
