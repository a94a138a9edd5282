// CSV export: quoting read back by Python's csv module, the header from the
// column headings, amounts and dates in plain forms, page headers left out.
#include "reports/report_csv.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <memory>

#include "reports/report_cells.h"

namespace vt::reports {
namespace {

ReportDoc Sample() {
  ReportDoc doc;
  doc.ReportWidth = 40;
  doc.ReportCols = 8;
  doc.BeginReport(60, "01.04.2026");
  doc.ReportTitles = {"Sample"};
  doc.SetBoxedHeadings({"V00", "L01", "V20", "R30", "V31", "L32", "V40"},
                       {"", "Name", "", "Amount", "", "Date", ""});
  doc.CheckPage(1, true);
  // As a locale with a decimal comma and two-digit years shows them.
  const std::array<std::array<std::string, 3>, 2> rows = {{
      {"Smith, \"Jo\"\nJr", ValuedText("  -12,50", "-12.50"), ValuedText("01.04.26", "2026-04-01")},
      {"M\xC3\xBCller", ValuedText("3,00", "3.00"), "001065"},
  }};
  for (const auto& [name, amount, date] : rows) {
    doc.NewLine();
    doc.cell(1) = "L01" + name;
    doc.cell(3) = "R30" + amount;
    doc.cell(5) = "L32" + date;
  }
  return doc;
}

// What Python's csv module reads from `bytes`, as JSON.
std::string ReadByPython(const std::string& bytes) {
  char path[] = "/tmp/vt-csv-XXXXXX";
  const int fd = mkstemp(path);
  EXPECT_GE(fd, 0);
  close(fd);
  std::ofstream(path, std::ios::binary) << bytes;
  const std::string command =
      std::string(
          "/usr/bin/python3 -c 'import csv,json,sys;"
          "print(json.dumps(list(csv.reader(open(sys.argv[1],encoding=\"utf-8-sig\","
          "newline=\"\"))),ensure_ascii=False))' ") +
      path;
  std::string out;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  for (int c; pipe && (c = std::fgetc(pipe.get())) != EOF;) out += static_cast<char>(c);
  std::remove(path);
  return out;
}

TEST(ReportCsv, QuotedFieldsReadBackWithHeaderAndTheCellsValues) {
  const std::string bytes = CsvText(Sample());
  ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(ReadByPython(bytes),
            "[[\"Name\", \"Amount\", \"Date\"], "
            "[\"Smith, \\\"Jo\\\" Jr\", \"-12.50\", \"2026-04-01\"], "
            "[\"M\xC3\xBCller\", \"3.00\", \"001065\"]]\n");
}

TEST(ReportCsv, FieldsQuotedOnlyWhenTheyMustBe) {
  const std::pair<std::string, std::string> cases[] = {{"plain", "plain"},
                                                       {"a,b", "\"a,b\""},
                                                       {"say \"hi\"", "\"say \"\"hi\"\"\""},
                                                       {"two\r\nlines", "\"two\r\nlines\""}};
  for (const auto& [text, field] : cases) EXPECT_EQ(CsvField(text), field);
}

}  // namespace
}  // namespace vt::reports
