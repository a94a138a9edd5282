// vantrell-tool reindex DIR: every index file rebuilt, as the program's
// "Reindex Data Files" button does.
#include <iostream>

#include "base/program_exit.h"
#include "data/datafiles.h"
#include "engine/engine.h"
#include "tool/commands.h"
#include "tool/console.h"

namespace vt::tool {

int runReindex(const Args& args) {
  if (args.size() != 1) return usageError("reindex takes one directory");
  const std::string& dir = args[0];
  if (!requireDataFiles(dir)) return kExitFailure;
  engine::Engine engine(dir);
  TerminalProgress progress;
  ConsoleDialogs dialogs;
  base::ProgramExit exit;
  data::RebuildIndexes(engine, false, &progress, dialogs, exit);
  std::cout << "Rebuilt the index files in " << dir << std::endl;
  return kExitOk;
}

}  // namespace vt::tool
