// vantrell-tool's init: the nine tables, three memo files, the settings
// record and every index, in a directory that held no data files.
#include "data/init.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/text1252.h"
#include "data/table_defs.h"
#include "data_test_support.h"

namespace vt::data {
namespace {

using testing::TempDir;

TEST(Init, TablesReopenWithTheirFieldsAndIndexes) {
  TempDir dir;
  ASSERT_NO_FATAL_FAILURE(testing::initDataDir(dir.path()));
  engine::Engine engine(dir.path());
  for (const TableDef& def : tableDefs()) {
    engine::Table* table = engine.open(def.name);
    ASSERT_NE(table, nullptr) << def.name << ": " << engine::statusText(engine.errorCode());
    ASSERT_EQ(table->fields().size(), def.fields.size()) << def.name;
    for (size_t i = 0; i < def.fields.size(); ++i) {
      const engine::Field& field = *table->fields()[i];
      EXPECT_TRUE(sameName(field.name(), def.fields[i].name)) << def.name;
      EXPECT_EQ(field.type(), def.fields[i].type) << def.fields[i].name;
      EXPECT_EQ(field.length(), def.fields[i].width) << def.fields[i].name;
      EXPECT_EQ(field.decimals(), def.fields[i].decimals) << def.fields[i].name;
    }
    EXPECT_EQ(table->recCount(), def.name == "VTR1" ? 1u : 0u) << def.name;
    EXPECT_EQ(table->tags().size(), def.tags.size()) << def.name;
    for (const TagDef& tag : def.tags) EXPECT_NE(table->tag(tag.name), nullptr) << tag.name;
    table->close();
  }
  for (const char* memo : {"CUST5.dbt", "INV5.dbt", "Prod5.dbt"}) {
    EXPECT_TRUE(std::filesystem::exists(dir.file(memo))) << memo;
  }
}

TEST(Init, SettingsRecordHoldsTheInstalledValues) {
  TempDir dir;
  ASSERT_NO_FATAL_FAILURE(testing::initDataDir(dir.path()));
  engine::Engine engine(dir.path());
  engine::Table* vtr = engine.open("VTR1");
  ASSERT_NE(vtr, nullptr);
  ASSERT_EQ(vtr->top(), engine::Result::Success);
  auto text = [&](const char* name) { return base::trimRight(vtr->field(name)->str()); };
  EXPECT_EQ(text("ShipLine"), "Shipping");
  EXPECT_EQ(text("TaxLine"), "Sales Tax");
  EXPECT_EQ(text("Company"), "");
  EXPECT_EQ(text("FontName"), "");
  EXPECT_EQ(vtr->field("TaxRate1")->asDouble(), 0.0);
  EXPECT_EQ(vtr->field("TaxRate2")->asDouble(), 0.0);
  EXPECT_EQ(vtr->field("ShipTax")->asInt(), 1);
  EXPECT_EQ(vtr->field("TaxRound")->asInt(), 1);
  EXPECT_EQ(vtr->field("LHJustify")->asInt(), 1);
  EXPECT_EQ(vtr->field("FontSize")->asInt(), 0);
  EXPECT_TRUE(vtr->field("ByCust")->isTrue());
  EXPECT_TRUE(vtr->field("fifo")->isTrue());
  EXPECT_FALSE(vtr->deleted());
}

TEST(Init, RefusesADirectoryHoldingATable) {
  TempDir dir;
  std::ofstream(dir.file("cust5.DBF")) << "old data";
  const InitOutcome outcome = InitDataDir(dir.path());
  EXPECT_FALSE(outcome.ok);
  EXPECT_NE(outcome.message.find("cust5.DBF"), std::string::npos) << outcome.message;
  EXPECT_EQ(testing::fileNames(dir.path()), std::vector<std::string>{"cust5.DBF"});
  EXPECT_EQ(testing::readFile(dir.file("cust5.DBF")), "old data");
}

TEST(Init, RefusesADirectoryHoldingAMemoFile) {
  TempDir dir;
  std::ofstream(dir.file("INV5.dbt")) << "";
  EXPECT_FALSE(InitDataDir(dir.path()).ok);
  EXPECT_EQ(testing::fileNames(dir.path()), std::vector<std::string>{"INV5.dbt"});
}

}  // namespace
}  // namespace vt::data
