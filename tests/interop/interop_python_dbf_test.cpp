// Tables and memo files written by python3-dbf, opened in our engine and
// read field for field.
#include <gtest/gtest.h>

#include "engine/engine.h"
#include "interop/interop_sample.h"
#include "interop/interop_support.h"

namespace vt::interop {
namespace {

TEST(InteropTablesFromPythonDbf, OpenInOurEngineFieldForField) {
  ScratchDir dir;
  ASSERT_FALSE(dir.path().empty()) << "no scratch directory";
  const std::vector<Row> expected = expectedRows(sampleRecords());
  const std::string rowsPath = dir.path() + "/rows.txt";
  ASSERT_TRUE(writeWholeFile(rowsPath, formatRows(expected)));

  const std::string script = helperScript("interop_dbf_write.py");
  ASSERT_FALSE(script.empty()) << "VT_SOURCE_DIR is not set";
  ToolRun run = runTool({kPython, script, dir.path() + "/pydata.dbf", kSampleFieldList, rowsPath});
  ASSERT_EQ(0, run.exitCode) << "interop_dbf_write.py failed:\n" << run.err;

  engine::Engine engine(dir.path());
  engine::Table* table = engine.open("PYDATA");
  ASSERT_NE(nullptr, table) << "open failed with " << engine.lastError();
  std::vector<std::string> names;
  for (const auto& f : table->fields()) names.push_back(f->name());
  std::vector<std::string> expectedNames;
  for (const auto& f : sampleFields()) expectedNames.push_back(f.name);
  EXPECT_EQ(expectedNames, names);

  expectSameRows(expected, readWithEngine(*table), expectedNames, "our engine");
  EXPECT_EQ(0, engine.lastError());
}

}  // namespace
}  // namespace vt::interop
