// The subcommands of vantrell-tool. Each takes the arguments after its name
// and returns the process exit code.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vt::tool {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

using Args = std::vector<std::string>;

int runInit(const Args& args);
int runReindex(const Args& args);
int runCheck(const Args& args);
int runExport(const Args& args);
int runDemo(const Args& args);
int runBackup(const Args& args);
int runRestore(const Args& args);
int runMailMerge(const Args& args);
#ifdef VT_TOOL_REPORTS
int runReport(const Args& args);
int runMailSettings(const Args& args);
int runMailTest(const Args& args);
// Runs `work` in a Qt application without a window (fonts and pages are
// measured offscreen); an exception it throws is told and fails the run.
int runOffscreen(const std::function<int()>& work);
#endif
#ifdef VT_TOOL_LABELS
int runLabels(const Args& args);
#endif

// Prints the usage text to stderr and returns kExitUsage.
int usageError(const std::string& problem);
void printUsage(bool toStderr);

}  // namespace vt::tool
