// vantrell-tool init DIR: the empty data files of a new installation.
#include <filesystem>
#include <iostream>

#include "data/init.h"
#include "tool/commands.h"
#include "tool/console.h"

namespace vt::tool {

int runInit(const Args& args) {
  if (args.size() != 1) return usageError("init takes one directory");
  const std::string& dir = args[0];
  std::error_code error;
  if (!std::filesystem::exists(dir, error) && !std::filesystem::create_directories(dir, error)) {
    std::cerr << dir << ": cannot be created: " << error.message() << std::endl;
    return kExitFailure;
  }
  if (!requireDirectory(dir)) return kExitFailure;
  TerminalProgress progress;
  const data::InitOutcome outcome = data::InitDataDir(dir, &progress);
  if (!outcome.ok) {
    std::cerr << outcome.message << std::endl;
    return kExitFailure;
  }
  std::cout << "Created the data files of a new installation in " << dir << std::endl;
  return kExitOk;
}

}  // namespace vt::tool
