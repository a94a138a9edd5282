#include "data/import_older.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "access_test_support.h"
#include "base/text1252.h"
#include "data/table_defs.h"
#include "older_tables.h"

namespace vt::data::testing {
namespace {

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
  ASSERT_TRUE(import()) << dialogs.shown().back().text;
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
  ASSERT_TRUE(import()) << dialogs.shown().back().text;
  for (auto opener : {&DataSession::OpenProducts, &DataSession::OpenCustomers,
                      &DataSession::OpenInvoices, &DataSession::OpenItems}) {
    EXPECT_EQ(open(opener).recCount(), 0u);
  }
}

// Each refusal returns false and changes nothing in the data directory.
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
    EXPECT_FALSE(ImportOlderData(*session, from.path(), dialogs, &progress));
    EXPECT_EQ(contents(dir.path()), before);
    EXPECT_EQ(dialogs.shown().back().text.rfind(c.message, 0), 0u) << dialogs.shown().back().text;
  }
}

TEST_F(ImportOlder, AFailureOnTheWayChangesNothing) {
  writeAll(olderTables());
  // The invoice's remark points past the end of a cut memo file.
  std::filesystem::resize_file(old.file("Inv.dbt"), 512);
  const auto before = contents(dir.path());
  dialogs.queueChoice(true);
  EXPECT_FALSE(import());
  EXPECT_EQ(dialogs.shown().back().text.rfind("The import stopped at ", 0), 0u);
  EXPECT_NE(dialogs.shown().back().text.find("Nothing was imported."), std::string::npos);
  EXPECT_EQ(contents(dir.path()), before);
}

TEST_F(ImportOlder, TheWorkingDirectoryItselfIsRefused) {
  const auto before = contents(dir.path());
  EXPECT_FALSE(ImportOlderData(*session, dir.path() + "/", dialogs, &progress));
  EXPECT_EQ(dialogs.shown().back().text, "Import must be from a different drive and/or directory");
  EXPECT_EQ(contents(dir.path()), before);
}

// Beside the older tables lie current ones of the same names in other case
// (GROUPS.dbf, PMT.dbf): the older ones are the ones taken over.
TEST_F(ImportOlder, OlderGroupsAndPaymentsWinOverCurrentOnesBesideThem) {
  std::vector<Older> tables = olderTables();
  tables[4].name = "Groups";
  writeAll(tables);
  TempDir current;
  for (const char* table : {"GROUPS", "PMT"}) {
    engine::Engine e(current.path());
    ASSERT_EQ(e.create(table, findTableDef(table)->fieldDescs()), 0);
    std::filesystem::copy_file(current.file(std::string(table) + ".dbf"),
                               old.file(std::string(table) + ".dbf"));
  }
  dialogs.queueChoice(true);
  ASSERT_TRUE(import()) << dialogs.shown().back().text;
  EXPECT_EQ(open(&DataSession::OpenGroups).recCount(), 2u);
  EXPECT_EQ(open(&DataSession::OpenPayments).recCount(), 1u);
}

// Soft returns become line breaks, deleted older records stay out of every
// table, payment dates get the invoices' century window, and an invoice
// without a date is dated the day of the import.
TEST_F(ImportOlder, OlderRecordsArriveAsTheBusinessKeptThem) {
  std::vector<Older> tables = olderTables();
  tables[1].rows[0][10] = "line one\x8D\nline two";
  tables[2].rows.push_back({"18", "8", "", "", "", "0", "0", "0"});
  tables[6].rows[0][1] = "19250621";
  for (Older& t : tables) {
    if (t.name != "LABELS") t.rows.push_back(t.rows.front());  // deleted below
  }
  writeAll(tables);
  for (const Older& t : tables) {
    if (t.name == "LABELS") continue;
    engine::Engine e(old.path());
    engine::Table* table = e.open(t.name);
    ASSERT_EQ(table->go(table->recCount()), engine::Result::Success);
    table->deleteRecord();
    ASSERT_EQ(table->flush(), 0);
  }
  dialogs.queueChoice(true);
  ASSERT_TRUE(import()) << dialogs.shown().back().text;
  const std::pair<bool (DataSession::*)(), uint32_t> counts[] = {
      {&DataSession::OpenProducts, 1}, {&DataSession::OpenCustomers, 2},
      {&DataSession::OpenInvoices, 2}, {&DataSession::OpenItems, 2},
      {&DataSession::OpenGroups, 2},   {&DataSession::OpenPayments, 1}};
  for (const auto& [opener, count] : counts) EXPECT_EQ(open(opener).recCount(), count);

  open(&DataSession::OpenCustomers).go(1);
  ASSERT_EQ(session->LoadCustomer(), 0);
  EXPECT_EQ(session->Customer.comments, "line one\r\nline two");
  open(&DataSession::OpenPayments).go(1);
  ASSERT_EQ(session->LoadPayment(), 0);
  EXPECT_EQ(session->Payment.PDate, base::MakeDate(2025, 6, 21));
  open(&DataSession::OpenInvoices).go(2);
  ASSERT_EQ(session->LoadInvoice(), 0);
  const base::DateTime today = session->now();
  EXPECT_EQ(session->Invoice.IDate, base::MakeDate(today.year, today.month, today.day));
}

}  // namespace
}  // namespace vt::data::testing
