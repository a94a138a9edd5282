#include "demo_test_support.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

namespace vt::data::testing {

ToolRun runTool(const std::vector<std::string>& args) {
  ToolRun r;
  const char* tool = std::getenv("VT_TOOL");
  if (tool == nullptr) {
    ADD_FAILURE() << "VT_TOOL must name the built vantrell-tool";
    return r;
  }
  const TempDir scratch;
  const std::string out = scratch.file("stdout"), err = scratch.file("stderr");
  std::string command = std::string("'") + tool + "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  command += " >'" + out + "' 2>'" + err + "'";
  const int status = std::system(command.c_str());
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = readFile(out);
  r.err = readFile(err);
  return r;
}

void makeDemoDir(const std::string& dir) {
  ToolRun r = runTool({"init", dir});
  ASSERT_EQ(r.code, 0) << r.err;
  r = runTool({"demo", dir});
  ASSERT_EQ(r.code, 0) << r.err;
}

}  // namespace vt::data::testing
