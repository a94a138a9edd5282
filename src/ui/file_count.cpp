#include "ui/file_count.h"

namespace vt::ui {

std::string FilesWentLine(int count, const std::string& went, const std::string& folder) {
  return std::to_string(count) + (count == 1 ? " file " : " files ") + went + " " + folder + ".";
}

}  // namespace vt::ui
