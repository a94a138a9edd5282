// vantrell-tool mailmerge --data DIR --groups N,N --out FILE
#include <iostream>

#include "data/data_session.h"
#include "engine/status.h"
#include "labels/mail_merge.h"
#include "tool/commands.h"
#include "tool/console.h"
#include "tool/options.h"

namespace vt::tool {
namespace {

struct MailMergeArgs {
  std::string dir, out;
  std::vector<int> groups;
};

// Empty string when the arguments are good, else what is wrong.
std::string parse(const Args& args, MailMergeArgs* out) {
  std::string groups, error;
  for (size_t i = 0; i < args.size() && error.empty(); ++i) {
    if (takeOption(args, &i, "--data", &out->dir, &error)) continue;
    if (takeOption(args, &i, "--groups", &groups, &error)) continue;
    if (takeOption(args, &i, "--out", &out->out, &error)) continue;
    return "mailmerge: unexpected argument " + args[i];
  }
  if (!error.empty()) return error;
  if (out->dir.empty() || out->out.empty() || groups.empty())
    return "mailmerge needs --data DIR, --groups N,N and --out FILE";
  if (!NumberList(groups, &out->groups)) return "--groups: numbers above 0, separated by commas";
  return "";
}

}  // namespace

int runMailMerge(const Args& args) {
  MailMergeArgs a;
  if (const std::string problem = parse(args, &a); !problem.empty()) return usageError(problem);
  if (!requireDataFiles(a.dir)) return kExitFailure;
  ConsoleDialogs dialogs;
  base::ProgramExit exit;
  data::DataSession session(a.dir, dialogs, exit, toolSessionOptions());
  TerminalProgress progress;
  const labels::MailMergeOutcome outcome =
      labels::WriteMailMerge(session, a.groups, a.out, &progress);
  session.CloseAll();
  if (outcome.status < 0) {
    std::cerr << "Unable to read the customers: " << engine::statusText(outcome.status)
              << std::endl;
    return kExitFailure;
  }
  if (!outcome.saved) {
    std::cerr << labels::UnableToSave(a.out) << std::endl;
    return kExitFailure;
  }
  std::cerr << "Wrote " << outcome.written << " customers to " << a.out << std::endl;
  return kExitOk;
}

}  // namespace vt::tool
