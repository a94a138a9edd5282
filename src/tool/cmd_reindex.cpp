// vantrell-tool reindex DIR: every index file rebuilt, as the program's
// "Reindex Data Files" button does.
#include <iostream>

#include "data/pending_work.h"
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
  const data::RebuildOutcome outcome = data::RebuildIndexFiles(engine, false, &progress);
  if (!outcome.ok()) {
    ConsoleDialogs().information("", data::RebuildProblem(outcome));
    return kExitFailure;
  }
  std::cout << "Rebuilt the index files in " << dir << std::endl;
  return kExitOk;
}

}  // namespace vt::tool
