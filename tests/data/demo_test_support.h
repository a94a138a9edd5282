// The demo tests' shared pieces: running the built vantrell-tool, and a
// data directory filled by `vantrell-tool demo` once per test program.
#pragma once

#include <string>
#include <vector>

#include "data_test_support.h"

namespace vt::data::testing {

struct ToolRun {
  int code = -1;
  std::string out, err;
};

// Runs the vantrell-tool that VT_TOOL names with `args` (each quoted);
// fails the test when VT_TOOL is not set.
ToolRun runTool(const std::vector<std::string>& args);

// `init` then `demo` on `dir`; fails the test when either does.
void makeDemoDir(const std::string& dir);

}  // namespace vt::data::testing
