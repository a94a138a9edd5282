// CSV export: RFC 4180 quoting, deleted records included, tag or physical
// order, UTF-8 from the tables' Windows-1252.
#include <gtest/gtest.h>

#include <sstream>

#include "data/export.h"
#include "data_test_support.h"

namespace vt::data {
namespace {

using testing::TempDir;

const char kHeader[] =
    "recno,deleted,CUNO,TITLE,FIRST,LAST,ADDR1,ADDR2,ADDR3,ADDR4,ZIP,COMMENTS,NGROUP,NOTE,PHONE,"
    "FAX,EMAIL\r\n";
const char kRow1[] =
    "1,0,42,,Hans,Müller,\"Acme, \"\"Best\"\" Tools\",,,,62701,\"Line one\r\nLine two, "
    "end\",1,,,,\r\n";
const char kRow2[] = "2,1,7,,Zoe,Zed,Zed Co,,,,10001,,1,,,,\r\n";
const char kRow3[] = "3,0,9,,Ann,Adams,,,,,  123,,1,,,,\r\n";

class ExportCsvTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(testing::initDataDir(dir.path()));
    ASSERT_NO_FATAL_FAILURE(testing::addCustomers(
        dir.path(),
        {{42, "M\xFCller", "Hans", "62701", "Acme, \"Best\" Tools", "Line one\r\nLine two, end"},
         {7, "Zed", "Zoe", "10001", "Zed Co", "", true},
         {9, "Adams", "Ann", "  123", ""}}));
  }

  ExportOutcome run(const std::string& table, const std::string& tag) {
    engine::Engine engine(dir.path());
    return ExportCsv(engine, table, tag, out);
  }

  TempDir dir;
  std::ostringstream out;
};

TEST_F(ExportCsvTest, PhysicalOrderWithQuotingDeletedRecordsAndUtf8) {
  const ExportOutcome outcome = run("CUST5", "");
  ASSERT_TRUE(outcome.ok) << outcome.message;
  EXPECT_EQ(outcome.records, 3u);
  EXPECT_EQ(out.str(), std::string(kHeader) + kRow1 + kRow2 + kRow3);
}

TEST_F(ExportCsvTest, TagOrder) {
  const ExportOutcome outcome = run("cust5", "cname");
  ASSERT_TRUE(outcome.ok) << outcome.message;
  EXPECT_EQ(out.str(), std::string(kHeader) + kRow3 + kRow1 + kRow2);
}

TEST_F(ExportCsvTest, NumbersDatesAndLogicals) {
  engine::Engine engine(dir.path());
  engine::Table* pmt = engine.open("PMT");
  ASSERT_NE(pmt, nullptr);
  ASSERT_EQ(pmt->appendBlank(), 0);
  pmt->field("IvNo")->assignLong(1001);
  pmt->field("PDate")->assign("20260115");
  pmt->field("PAmt")->assignDouble(-12.5);
  ASSERT_EQ(pmt->appendBlank(), 0);  // all blank
  ASSERT_EQ(pmt->flush(), 0);
  engine.closeAll();
  ASSERT_TRUE(ExportCsv(engine, "PMT", "PmtD", out).ok);
  EXPECT_EQ(out.str(), "recno,deleted,IVNO,PDATE,PAMT\r\n2,0,,,\r\n1,0,1001,20260115,-12.50\r\n");
}

TEST_F(ExportCsvTest, UnknownTagNamesTheTagsThereAre) {
  const ExportOutcome outcome = run("CUST5", "byphone");
  EXPECT_FALSE(outcome.ok);
  EXPECT_NE(outcome.message.find("byphone"), std::string::npos) << outcome.message;
  EXPECT_NE(outcome.message.find("czip"), std::string::npos) << outcome.message;
  EXPECT_TRUE(out.str().empty());
}

TEST_F(ExportCsvTest, MissingTableIsAnError) {
  const ExportOutcome outcome = run("NOSUCH", "");
  EXPECT_FALSE(outcome.ok);
  EXPECT_NE(outcome.message.find("NOSUCH"), std::string::npos) << outcome.message;
}

TEST(CsvField, QuotesOnlyWhenNeeded) {
  EXPECT_EQ(csvField("plain text"), "plain text");
  EXPECT_EQ(csvField(""), "");
  EXPECT_EQ(csvField("a,b"), "\"a,b\"");
  EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(csvField("two\nlines"), "\"two\nlines\"");
  EXPECT_EQ(csvField("cr\r"), "\"cr\r\"");
}

}  // namespace
}  // namespace vt::data
