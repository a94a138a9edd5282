// vantrell-tool backup DIR --to DEST and restore DIR --from SRC: the data
// files copied as the program's File Maintenance page copies them, for a
// nightly job. A restore rebuilds every index afterwards.
#include <iostream>

#include "data/maintenance.h"
#include "engine/engine.h"
#include "tool/commands.h"
#include "tool/console.h"
#include "tool/options.h"

namespace vt::tool {
namespace {

struct CopyArgs {
  std::string dir, other;
};

// Empty string when the arguments are good, else what is wrong.
std::string parse(const std::string& command, const std::string& option, const Args& args,
                  CopyArgs* out) {
  std::vector<std::string> positional;
  std::string error;
  for (size_t i = 0; i < args.size() && error.empty(); ++i) {
    if (takeOption(args, &i, option, &out->other, &error)) continue;
    if (args[i].rfind("--", 0) == 0) return "unknown option " + args[i];
    positional.push_back(args[i]);
  }
  if (!error.empty()) return error;
  if (positional.size() != 1) return command + " takes one data directory";
  if (out->other.empty()) return command + " needs " + option + " DIR";
  out->dir = positional[0];
  return "";
}

}  // namespace

int runBackup(const Args& args) {
  CopyArgs a;
  if (const std::string problem = parse("backup", "--to", args, &a); !problem.empty()) {
    return usageError(problem);
  }
  if (!requireDataFiles(a.dir) || !requireDirectory(a.other)) return kExitFailure;
  engine::Engine engine(a.dir);
  TerminalProgress progress;
  ConsoleDialogs dialogs;
  if (!data::BackupDataFiles(engine, a.other, dialogs, &progress)) return kExitFailure;
  std::cout << "Backed up the data files of " << a.dir << " to " << a.other << std::endl;
  return kExitOk;
}

int runRestore(const Args& args) {
  CopyArgs a;
  if (const std::string problem = parse("restore", "--from", args, &a); !problem.empty()) {
    return usageError(problem);
  }
  if (!requireDataFiles(a.dir) || !requireDirectory(a.other)) return kExitFailure;
  engine::Engine engine(a.dir);
  TerminalProgress progress;
  ConsoleDialogs dialogs;
  base::ProgramExit exit;
  if (!data::RestoreDataFiles(engine, a.other, dialogs, &progress, exit)) return kExitFailure;
  std::cout << "Restored the data files of " << a.dir << " from " << a.other << std::endl;
  return kExitOk;
}

}  // namespace vt::tool
