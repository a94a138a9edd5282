// The table definitions: every tag compiles against its table with the key
// length the program seeks with, copied widths agree, and the widest value
// each editing window accepts is stored and read back unchanged.
#include "data/table_defs.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "data_test_support.h"
#include "engine/key_expr.h"

namespace vt::data {
namespace {

using testing::TempDir;

TEST(TableDefs, EveryTagCompilesWithTheKeyLengthItsSeeksUse) {
  const std::map<std::string, size_t> lengths = {
      {"CName", 33}, {"CCNO", 6}, {"CZip", 10}, {"cComp", 34}, {"NGroup", 2}, {"CGroup", 30},
      {"Prod", 10},  {"Pur", 18}, {"Inv", 6},   {"InvC", 6},   {"InvD", 8},   {"Itm", 6},
      {"ItmP", 16},  {"Pmt", 6},  {"PmtD", 8},  {"Labels", 40}};
  size_t seen = 0;
  for (const TableDef& def : tableDefs()) {
    for (const TagDef& tag : def.tags) {
      std::unique_ptr<engine::KeyExpr> expr;
      ASSERT_EQ(engine::KeyExpr::compile(tag.expression, def.fieldDescs(), &expr), 0)
          << def.name << " " << tag.name << ": " << tag.expression;
      ASSERT_TRUE(lengths.count(tag.name)) << tag.name;
      EXPECT_EQ(expr->length(), lengths.at(tag.name)) << def.name << " " << tag.name;
      ++seen;
    }
  }
  EXPECT_EQ(seen, lengths.size());
}

TEST(TableDefs, OpenTagIsOneOfTheTablesTags) {
  for (const TableDef& def : tableDefs()) {
    if (def.indexed()) {
      EXPECT_NE(def.findTag(def.openTag), nullptr) << def.name;
    } else {
      EXPECT_TRUE(def.openTag.empty()) << def.name;
    }
  }
}

TEST(TableDefs, CopiedProductFieldsHaveTheProductWidths) {
  const TableDef& prod = *findTableDef("prod5");
  auto width = [](const TableDef& def, const std::string& name) {
    for (const FieldDef& f : def.fields) {
      if (sameName(f.name, name)) return f.width;
    }
    return -1;
  };
  EXPECT_EQ(width(*findTableDef("ITM5"), "PrID"), width(prod, "PrID"));
  EXPECT_EQ(width(*findTableDef("ITM5"), "PDesc"), width(prod, "PDesc"));
  EXPECT_EQ(width(*findTableDef("ITM5"), "IComm"), width(prod, "IComm"));
  EXPECT_EQ(width(*findTableDef("Pur5"), "PURProd"), width(prod, "PrID"));
}

TEST(TableDefs, IndexFileListsAreThoseTheRebuildLooksFor) {
  std::vector<std::vector<std::string>> lists;
  std::vector<int> progress;
  for (const TableDef& def : tableDefs()) {
    if (!def.indexed()) continue;
    lists.push_back(def.indexFiles());
    progress.push_back(def.rebuildProgress);
  }
  const std::vector<std::vector<std::string>> expected = {
      {"cName.ntx", "ccno.ntx", "czip.ntx", "ccomp.ntx", "CUST5.cgp"},
      {"nGroup.ntx", "cGroup.ntx", "GROUPS.cgp"},
      {"Prod.ntx", "Prod5.cgp"},
      {"Pur.ntx", "Pur5.cgp"},
      {"inv.ntx", "invc.ntx", "invd.ntx", "INV5.cgp"},
      {"itm.ntx", "itmP.ntx", "ITM5.cgp"},
      {"Pmt.ntx", "PmtD.ntx", "PMT.cgp"},
      {"Labels.ntx", "LABELS.cgp"}};
  EXPECT_EQ(lists, expected);
  EXPECT_EQ(progress, (std::vector<int>{25, 30, 35, 40, 60, 80, 100, 100}));
}

// The widest values the windows accept survive a store and a read. The
// masks' '#' positions take a digit or a sign, so "!####.999" accepts 9999.999
// and -999.999.
TEST(TableDefs, WidestAcceptedValuesFit) {
  TempDir dir;
  ASSERT_NO_FATAL_FAILURE(testing::initDataDir(dir.path()));
  struct Case {
    const char* table;
    const char* field;
    double value;
  };
  const Case cases[] = {
      {"Prod5", "UPrice", 99999.99},     {"Prod5", "REORDER", 999999.99},
      {"Prod5", "ONHAND", -9999999.99},  {"PMT", "PAmt", 9999999.99},
      {"PMT", "PAmt", -9999999.99},      {"Pur5", "PURQty", 9999999.99},
      {"Pur5", "PURCost", 999999999.99}, {"Pur5", "PURCost", -999999999.99},
      {"INV5", "Due", -99999999.99},     {"ITM5", "Qty", -9999999.99},
      {"LABELS", "TopM", 9999.999},      {"LABELS", "VGap", -999.999},
      {"LABELS", "NAcross", 9},          {"VTR1", "TaxRate1", 99.99},
      {"VTR1", "LogoHeight", 9999.999},  {"GROUPS", "nGroup", 99},
  };
  engine::Engine engine(dir.path());
  engine.autoOpen = false;
  for (const Case& c : cases) {
    engine::Table* table = engine.open(c.table);
    ASSERT_NE(table, nullptr) << c.table;
    ASSERT_EQ(table->appendBlank(), 0);
    engine::Field* field = table->field(c.field);
    ASSERT_NE(field, nullptr) << c.field;
    field->assignDouble(c.value);
    EXPECT_DOUBLE_EQ(field->asDouble(), c.value) << c.table << " " << c.field;
    EXPECT_EQ(field->str().find('*'), std::string::npos) << c.table << " " << c.field;
    table->close();
  }
  // Every text the program writes is cut to 59 characters: the settings
  // texts hold that much, the long customer fields their entry widths.
  engine::Table* settings = engine.open("VTR1");
  ASSERT_NE(settings, nullptr);
  for (const char* name : {"Company", "Addr1", "CloLine", "SigLine", "LogoFile", "LabID"}) {
    EXPECT_EQ(settings->field(name)->length(), 59) << name;
  }
}

}  // namespace
}  // namespace vt::data
