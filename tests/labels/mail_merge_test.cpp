// The mail-merge file byte for byte, and what a file that cannot be
// written leaves behind.
#include "labels/mail_merge.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "access_test_support.h"
#include "engine/fault_fs.h"

namespace vt::labels {
namespace {

using data::CustomerRecord;
using data::testing::AccessTest;

class MailMergeTest : public AccessTest {
 protected:
  void SetUp() override {
    AccessTest::SetUp();
    ASSERT_TRUE(session->OpenCustomers());
    struct Row {
      std::string title, first, last, addr1, addr2, addr4, zip;
      int group;
      bool deleted;
    };
    const std::vector<Row> rows = {
        {"", "", "Adams", "Acme", " 1 Main St", "", "30301", 1, false},
        {"Dr", "Bo", "Baker", "", "", "", "20202", 2, false},
        {"Ms", "C\u00e9", "Clark", "", "", "Town", "30301", 1, false},
        {"", "", "Dunn", "", "", "", "10001", 3, true},
    };
    for (const Row& row : rows) {
      CustomerRecord customer;
      customer.title = row.title;
      customer.first = row.first;
      customer.last = row.last;
      customer.addr1 = row.addr1;
      customer.addr2 = row.addr2;
      customer.addr4 = row.addr4;
      customer.zip = row.zip;
      customer.ngroup = row.group;
      data::testing::appendCustomer(*session, customer);
      if (row.deleted) session->customers()->deleteRecord();
    }
    session->CloseAll();
  }

  std::string out = dir.file("merge.doc");
};

// Header; postal code order with equal codes in record order; the deleted
// customer gets no letter; group 2 left out; empty title and first name as
// two tabs; trimmed fields; Windows-1252 bytes.
TEST_F(MailMergeTest, WritesChosenGroupsOverAnExistingFile) {
  {
    std::ofstream old(out, std::ios::binary);
    old << std::string(500, 'x');
  }
  const MailMergeOutcome outcome = WriteMailMerge(*session, {1, 3}, out, &progress);
  EXPECT_TRUE(outcome.saved);
  EXPECT_EQ(outcome.written, 2);
  EXPECT_EQ(data::testing::readFile(out),
            "Title\tFirstName\tLastName\tCompany\tAddr1\tAddr2\tAddr3\tPostalCode\r\n"
            "\t\tAdams\tAcme\t1 Main St\t\t\t30301\r\n"
            "Ms\tC\xE9\tClark\t\t\t\tTown\t30301\r\n");
  EXPECT_EQ(progress.events, (std::vector<std::string>{"show Exporting Mail Merge File", "set 25",
                                                       "set 50", "set 75", "set 100", "hide"}));
}

// Tabs and line breaks stored in an address (older data can bring them)
// split neither the customer's line nor its fields.
TEST_F(MailMergeTest, ATabOrLineBreakInAFieldBecomesABlank) {
  ASSERT_TRUE(session->OpenCustomers());
  CustomerRecord customer;
  customer.last = "Evans";
  customer.addr2 = "1 Main St\tRear";
  customer.addr3 = "Suite 4\r\nFloor 2";
  customer.zip = "40404";
  customer.ngroup = 4;
  data::testing::appendCustomer(*session, customer);
  session->CloseAll();
  ASSERT_TRUE(WriteMailMerge(*session, {4}, out, nullptr).saved);
  EXPECT_EQ(data::testing::readFile(out),
            "Title\tFirstName\tLastName\tCompany\tAddr1\tAddr2\tAddr3\tPostalCode\r\n"
            "\t\tEvans\t\t1 Main St Rear\tSuite 4  Floor 2\t\t40404\r\n");
}

TEST_F(MailMergeTest, AFileThatCannotBeWrittenLeavesTheOldOneAlone) {
  struct Case {
    const char* what;
    std::string path;
    std::function<void(engine::FaultFileSystem&)> fault;
  };
  const std::vector<Case> cases = {
      {"no such directory", dir.file("missing/merge.doc"), [](engine::FaultFileSystem&) {}},
      {"short write", out, [](engine::FaultFileSystem& fs) { fs.shortWriteAt(1); }},
      {"rename refused", out, [](engine::FaultFileSystem& fs) { fs.failRenameAt(1); }},
  };
  {
    std::ofstream old(out, std::ios::binary);
    old << "old";
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    engine::FaultFileSystem fs(engine::realFileSystem());
    c.fault(fs);
    const MailMergeOutcome outcome = WriteMailMerge(*session, {1}, c.path, nullptr, fs);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_FALSE(outcome.saved);
    EXPECT_EQ(std::filesystem::exists(c.path), c.path == out);
    EXPECT_FALSE(std::filesystem::exists(c.path + ".tmp"));
  }
  EXPECT_EQ(data::testing::readFile(out), "old");
}

}  // namespace
}  // namespace vt::labels
