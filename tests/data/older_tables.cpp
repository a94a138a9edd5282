#include "older_tables.h"

#include <gtest/gtest.h>

#include "data/table_defs.h"
#include "data_test_support.h"

namespace vt::data::testing {

namespace {

using engine::FieldDesc;

FieldDesc C(const char* n, uint8_t w) {
  return {n, 'C', w, 0, 0};
}
FieldDesc N(const char* n, uint8_t w, uint8_t d = 0) {
  return {n, 'N', w, d, 0};
}
FieldDesc L(const char* n) {
  return {n, 'L', 1, 0, 0};
}
FieldDesc D(const char* n) {
  return {n, 'D', 8, 0, 0};
}
FieldDesc M(const char* n) {
  return {n, 'M', 10, 0, 0};
}

}  // namespace

std::vector<Older> olderTables() {
  return {
      {"prod4",
       0x02,
       {C("PRID", 10), C("RCODE", 8), C("PDESC", 30), N("UPRICE", 10, 2), L("LTAX1"), L("LTAX2"),
        C("ICOMM", 20), M("PMEMO")},
       {{"ab-1", "R1",
         "Sm\x9B"
         "rrebr\x9B"
         "d",
         "12.50", "T", "F", "each", "fresh"}}},
      {"CUST2",
       0x01,
       {N("CUNO", 6), N("NGROUP", 2), C("TITLE", 10), C("FIRST", 15), C("LAST", 20), C("ADDR1", 30),
        C("ADDR2", 30), C("ADDR3", 30), C("ADDR4", 30), C("ZIP", 10), M("COMMENTS"), C("NOTE", 20)},
       {{"7", "3", "Herr", "J\x81rgen", "M\x81ller", "Hauptstr. 1", "", "", "", "10115",
         "Gr\x81\xE1"
         "e",
         "vip"},
        {"8", "0", "", "Ann", "Lee", "", "", "", "", "", "", ""}}},
      {"Inv",
       0x03,
       {N("IVNO", 6), N("CUNO", 6), D("IDATE"), C("IMEMO", 30), M("REM"), N("SHIP", 10, 2),
        N("TAX", 10, 2), N("DUE", 10, 2)},
       {{"17", "7", "19250612", "net 30", "  paid by cheque  ", "1.25", "2.50", "40.00"}}},
      {"itm4",
       0x03,
       {N("IVNO", 6), C("PRID", 10), C("ICOMM", 20), N("QTY", 9, 2), N("UPR", 10, 2), L("LTAX1"),
        L("LTAX2")},
       {{"17", "ab-1", "", "2", "12.50", "T", "F"}, {"17", "zz-9", "gone", "1", "3", "F", "T"}}},
      {"groups", 0x01, findTableDef("GROUPS")->fieldDescs(), {{"3", "Kr\x81ger"}, {"4", "Old"}}},
      {"LABELS", 0x03, findTableDef("LABELS")->fieldDescs(), {}},
      {"pmt", 0x03, findTableDef("PMT")->fieldDescs(), {{"17", "20250620", "40.00"}}},
  };
}

void writeOlder(const std::string& dir, const Older& t) {
  engine::Engine e(dir);
  ASSERT_EQ(e.create(t.name, t.fields), 0) << t.name;
  engine::Table* table = e.open(t.name);
  ASSERT_NE(table, nullptr);
  for (const auto& row : t.rows) {
    ASSERT_EQ(table->appendBlank(), 0);
    for (size_t i = 0; i < row.size(); ++i) {
      engine::Field& f = *table->fields()[i];
      f.type() == 'M' ? f.assignMemo(row[i]) : f.assign(row[i]);
    }
    ASSERT_EQ(table->flush(), 0);
  }
  table->close();
  patchFile(dir + "/" + t.name + ".dbf", 29, std::string(1, static_cast<char>(t.driver)));
}

}  // namespace vt::data::testing
