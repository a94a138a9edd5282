// The closing line of work that writes several files: how many went where.
#pragma once

#include <string>

namespace vt::ui {

// "1 file saved in DIR." or "19 files backed up to DIR.": `count` files,
// `went` ("saved in", "backed up to") and the folder.
std::string FilesWentLine(int count, const std::string& went, const std::string& folder);

}  // namespace vt::ui
