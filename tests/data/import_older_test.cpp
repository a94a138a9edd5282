#include "data/import_older.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "access_test_support.h"
#include "base/text1252.h"
#include "data/table_defs.h"

namespace vt::data::testing {
namespace {

using engine::FieldDesc;
using Rows = std::vector<std::vector<std::string>>;

// An older table as the test writes it: file base name (in the case the
// older program may have used), language driver byte, fields and records.
struct Older {
  std::string name;
  uint8_t driver;
  std::vector<FieldDesc> fields;
  Rows rows;
};

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

// The older program's seven tables: customers and groups in DOS code page
// 437, products in 850, the rest in Windows-1252.
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

std::map<std::string, std::string> contents(const std::string& dir) {
  std::map<std::string, std::string> out;
  for (const auto& name : fileNames(dir)) out[name] = readFile(dir + "/" + name);
  return out;
}

class ImportOlder : public AccessTest {
 protected:
  void writeAll(const std::vector<Older>& tables) {
    for (const Older& t : tables) writeOlder(old.path(), t);
  }
  bool import() { return ImportOlderData(*session, old.path(), dialogs, &progress); }
  engine::Table& open(bool (DataSession::*opener)()) {
    EXPECT_TRUE(((*session).*opener)());
    return *session->engine().openTables().back();
  }
  TempDir old;
};

TEST_F(ImportOlder, ConvertsCopiesAndFillsDescriptions) {
  writeAll(olderTables());
  const auto olderBefore = contents(old.path());
  const auto workBefore = contents(dir.path());
  dialogs.queueChoice(true);
  ASSERT_TRUE(import());
  EXPECT_EQ(contents(old.path()), olderBefore);
  for (const char* kept : {"Pur5.dbf", "VTR1.dbf"})
    EXPECT_EQ(readFile(dir.file(kept)), workBefore.at(kept));
  EXPECT_EQ(readFile(dir.file("Prod4.dbf")), olderBefore.at("prod4.dbf"));

  engine::Table& cust = open(&DataSession::OpenCustomers);
  EXPECT_EQ(cust.recCount(), 2u);
  cust.go(1);
  ASSERT_EQ(session->LoadCustomer(), 0);
  EXPECT_EQ(base::trim(session->Customer.last), "Müller");
  EXPECT_EQ(session->Customer.comments, "Grüße");
  EXPECT_EQ(session->Customer.ngroup, 3);
  EXPECT_EQ(base::trim(session->Customer.phone), "");

  open(&DataSession::OpenInvoices).go(1);
  ASSERT_EQ(session->LoadInvoice(), 0);
  EXPECT_EQ(session->Invoice.IDate, base::MakeDate(2025, 6, 12));
  EXPECT_EQ(session->Invoice.REM, "paid by cheque");
  EXPECT_DOUBLE_EQ(session->Invoice.Due, 40.0);

  engine::Table& items = open(&DataSession::OpenItems);
  const char* descriptions[] = {"Smørrebrød", ""};
  for (uint32_t n = 1; n <= 2; ++n) {
    items.go(n);
    ASSERT_EQ(session->LoadItem(), 0);
    EXPECT_EQ(base::trim(session->Item.PDesc), descriptions[n - 1]);
  }
  open(&DataSession::OpenGroups).go(1);
  ASSERT_EQ(session->LoadGroup(), 0);
  EXPECT_EQ(base::trim(session->Group.cGroup), "Krüger");
  EXPECT_EQ(open(&DataSession::OpenPayments).recCount(), 1u);
  EXPECT_EQ(open(&DataSession::OpenLabels).recCount(), 0u);
  EXPECT_EQ(progress.events.front(), "show Converting Data Files");
  EXPECT_NE(std::find(progress.events.begin(), progress.events.end(),
                      "show Transferring Item Descriptions"),
            progress.events.end());
}

TEST_F(ImportOlder, EmptyOlderTablesLeaveEmptyTables) {
  std::vector<Older> tables = olderTables();
  for (Older& t : tables) t.rows.clear();
  writeAll(tables);
  dialogs.queueChoice(true);
  ASSERT_TRUE(import());
  for (auto opener : {&DataSession::OpenProducts, &DataSession::OpenCustomers,
                      &DataSession::OpenInvoices, &DataSession::OpenItems}) {
    EXPECT_EQ(open(opener).recCount(), 0u);
  }
}

// Each refusal returns true and changes nothing in the data directory.
TEST_F(ImportOlder, RefusesWithoutChangingAnything) {
  const struct {
    const char* missing;  // older file removed, or ""
    bool answer;          // to the warning
    bool holdTable;       // another user has INV5 open
    const char* message;  // beginning of the last message shown
  } cases[] = {
      {"itm4.dbf", true, false, "Data files not found in "},
      {"", false, false, "Warning: All previously entered data will be overwritten"},
      {"", true, true, "Unable to use INV5.dbf (file is in use by another program)"},
  };
  writeAll(olderTables());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    TempDir from;
    std::filesystem::copy(old.path(), from.path());
    if (*c.missing) std::filesystem::remove(from.file(c.missing));
    engine::Engine other(dir.path());
    if (c.holdTable) {
      ASSERT_NE(other.open("INV5"), nullptr);
    }
    if (!*c.missing) dialogs.queueChoice(c.answer);
    const auto before = contents(dir.path());
    EXPECT_TRUE(ImportOlderData(*session, from.path(), dialogs, &progress));
    EXPECT_EQ(contents(dir.path()), before);
    EXPECT_EQ(dialogs.shown().back().text.rfind(c.message, 0), 0u) << dialogs.shown().back().text;
  }
}

TEST_F(ImportOlder, StoppedPartWayIsFinishedByRebuildAndPack) {
  writeAll(olderTables());
  {
    engine::Engine e(old.path());
    engine::Table* groups = e.open("groups");
    groups->go(2);
    groups->deleteRecord();
    groups->close();
  }
  // The invoice's remark points past the end of a cut memo file.
  std::filesystem::resize_file(old.file("Inv.dbt"), 512);
  dialogs.queueChoice(true);
  EXPECT_FALSE(import());
  EXPECT_EQ(dialogs.shown().back().text.rfind("The import stopped at ", 0), 0u);

  progress.events.clear();
  EXPECT_EQ(FinishImport(*session, false, dialogs, exit, &progress), 0);
  const auto shown = [&](const char* event) {
    return std::find(progress.events.begin(), progress.events.end(), event);
  };
  EXPECT_LT(shown("show Rebuilding Indexes"), shown("show Packing Data Files"));
  EXPECT_EQ(open(&DataSession::OpenGroups).recCount(), 1u);
  engine::Table& pmt = open(&DataSession::OpenPayments);
  EXPECT_EQ(pmt.seek("    17"), engine::Result::Success);
}

}  // namespace
}  // namespace vt::data::testing
