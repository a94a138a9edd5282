// The open routines: each opens its table with the tag it starts in, and a
// table, tag or field list that cannot be had ends the program through
// OpenFailed with the name the user is shown.
#include <gtest/gtest.h>

#include <filesystem>

#include "access_test_support.h"
#include "data/datafiles.h"
#include "data/table_defs.h"

namespace vt::data {
namespace {

using testing::AccessTest;
namespace fs = std::filesystem;

struct OpenCase {
  TableId id;
  bool (DataSession::*open)();
  const char* tag;
  const char* dbfName;
  const char* tagFailName;
};

const OpenCase kCases[] = {
    {TableId::Customers, &DataSession::OpenCustomers, "CName", "CUST5.DBF", "AccTag.Ntx"},
    {TableId::Groups, &DataSession::OpenGroups, "NGroup", "GROUPS.DBF", "AccTag.Ntx"},
    {TableId::Invoices, &DataSession::OpenInvoices, "Inv", "INV5.DBF", "Inv.Ntx"},
    {TableId::Items, &DataSession::OpenItems, "Itm", "ITM5.DBF", "Itm.Ntx"},
    {TableId::Labels, &DataSession::OpenLabels, "Labels", "LABELS.DBF", "Labels.Ntx"},
    {TableId::Payments, &DataSession::OpenPayments, "Pmt", "PMT.DBF", "Pmt.Ntx"},
    {TableId::Products, &DataSession::OpenProducts, "Prod", "Prod5.DBF", "Prod.Ntx"},
    {TableId::Purchases, &DataSession::OpenPurchases, "Pur", "Pur5.DBF", "Pur.Ntx"},
};

std::string openFailedText(const std::string& name) {
  return "Unable to open file " + name + "\r\nProgram will now terminate.";
}

// The table definition a case's table is made from.
const TableDef& defOf(const OpenCase& c) {
  std::string name = c.dbfName;
  return *findTableDef(name.substr(0, name.size() - 4));
}

TEST_F(AccessTest, EachOpenSelectsItsTagAndMapsItsFields) {
  for (const OpenCase& c : kCases) {
    ASSERT_TRUE((session.get()->*c.open)()) << c.dbfName;
    engine::Table* table = session->table(c.id);
    ASSERT_NE(table, nullptr) << c.dbfName;
    ASSERT_NE(table->selectedTag(), nullptr) << c.dbfName;
    EXPECT_TRUE(sameName(defOf(c).findTag(table->selectedTag()->name())->name, c.tag)) << c.dbfName;
    EXPECT_EQ(session->EngineResult, engine::Result::Eof) << "empty table at the top";
  }
  EXPECT_TRUE(dialogs.shown().empty());
  session->CloseAll();
  for (const OpenCase& c : kCases) EXPECT_EQ(session->table(c.id), nullptr);
  EXPECT_TRUE(session->engine().openTables().empty());
}

TEST_F(AccessTest, MissingTableNamesItsDataFile) {
  for (const OpenCase& c : kCases) {
    testing::TempDir other;
    auto s = std::make_unique<DataSession>(other.path(), dialogs, exit);
    dialogs.clear();
    EXPECT_THROW((s.get()->*c.open)(), base::ProgramExited) << c.dbfName;
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text, openFailedText(c.dbfName));
    EXPECT_EQ(s->table(c.id), nullptr);
  }
}

TEST_F(AccessTest, MissingTagNamesItsIndexFile) {
  for (const OpenCase& c : kCases) {
    // Without its group file the table opens with no tags at all.
    fs::remove(dir.file(defOf(c).group + ".cgp"));
    dialogs.clear();
    EXPECT_THROW((session.get()->*c.open)(), base::ProgramExited) << c.dbfName;
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text, openFailedText(c.tagFailName));
    EXPECT_EQ(session->table(c.id), nullptr);
  }
  EXPECT_TRUE(session->engine().openTables().empty());
}

TEST_F(AccessTest, TableWithoutAMappedFieldNamesItsDataFile) {
  // A foreign CUST5 that lacks the e-mail field.
  for (const char* ext : {".dbf", ".dbt", ".cgp"}) fs::remove(dir.file(std::string("CUST5") + ext));
  std::vector<engine::FieldDesc> fields = findTableDef("CUST5")->fieldDescs();
  fields.pop_back();
  ASSERT_EQ(session->engine().create("CUST5", fields), 0);
  ASSERT_TRUE(RebuildIndexFiles(session->engine(), true, nullptr).ok());
  EXPECT_THROW(session->OpenCustomers(), base::ProgramExited);
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].text, openFailedText("CUST5.DBF"));
  EXPECT_EQ(session->customers(), nullptr);
}

TEST_F(AccessTest, OpeningAgainStartsAfreshAtTheTop) {
  ASSERT_TRUE(session->OpenGroups());
  testing::appendGroup(*session, 2, "Retail");
  testing::appendGroup(*session, 1, "Wholesale");
  session->groups()->selectTag(session->groups()->tag("CGroup"));
  ASSERT_TRUE(session->OpenGroups());
  EXPECT_EQ(session->engine().openTables().size(), 1u);
  EXPECT_EQ(session->EngineResult, engine::Result::Success);
  ASSERT_EQ(session->LoadGroup(), 0);
  EXPECT_EQ(session->Group.nGroup, 1);  // nGroup order again
}

TEST_F(AccessTest, TableClosedBehindTheSessionIsNoLongerOpen) {
  ASSERT_TRUE(session->OpenCustomers());
  session->engine().closeAll();
  EXPECT_EQ(session->customers(), nullptr);
  EXPECT_EQ(session->LoadCustomer(), engine::kErrOpen);
  EXPECT_EQ(session->StoreCustomer(), engine::kErrOpen);
}

}  // namespace
}  // namespace vt::data
