// The report document's page logic, its cells and its text export.
#include "reports/report_doc.h"

#include <gtest/gtest.h>

#include "reports/report_cells.h"
#include "reports/report_export.h"
#include "reports/report_sheets.h"

namespace vt::reports {
namespace {

// A document of `width` columns, three cells a row, one title and one
// heading row, `lines` rows to a page.
ReportDoc started(int width, int lines) {
  ReportDoc doc;
  doc.ReportWidth = width;
  doc.ReportCols = 3;
  doc.BeginReport(lines, "4/17/2026");
  doc.ReportTitles = {"Sales"};
  doc.ColumnHeads = {{"L00Item", "R40Total", "U"}};
  return doc;
}

void body(ReportDoc& doc, int rows) {
  for (int i = 0; i < rows; ++i) {
    doc.CheckPage(doc.PageLine + 1, true);
    doc.NewLine();
    doc.cell(0) = "L00row " + std::to_string(i);
  }
}

std::vector<std::string> firstCells(const ReportDoc& doc) {
  std::vector<std::string> cells;
  for (const ReportRow& row : doc.rows()) cells.push_back(row[0] + "|" + row.back());
  return cells;
}

TEST(ReportPages, ABodyThatFitsHasOnePageHeaderAndNoBreak) {
  ReportDoc doc = started(71, 60);
  body(doc, 3);
  EXPECT_EQ(firstCells(doc),
            (std::vector<std::string>{"L00Page 1|", "|", "C35Sales|B", "|", "L00|", "|",
                                      "L00Item|U", "L00row 0|", "L00row 1|", "L00row 2|"}));
  EXPECT_EQ(doc.rows()[0][1], "R714/17/2026");
}

TEST(ReportPages, ARowPastThePageBreaksBeforeItUnderTheHeadingsAgain) {
  ReportDoc doc = started(9, 9);  // the header takes 7 rows: two body rows a page
  body(doc, 3);
  EXPECT_EQ(firstCells(doc), (std::vector<std::string>{
                                 "L00Page 1|", "|", "C 4Sales|B", "|", "L00|", "|", "L00Item|U",
                                 "L00row 0|", "L00row 1|U", "EJECT|", "L00Page 2|", "|",
                                 "C 4Sales|B", "|", "L00|", "|", "L00Item|U", "L00row 2|"}));
  EXPECT_EQ(doc.rows()[0][1], "R 94/17/2026");
}

TEST(ReportPages, ARowAtThePageEndKeepsItsStyleUnderTheRule) {
  ReportDoc doc = started(9, 9);
  body(doc, 2);
  doc.style() = "B";
  body(doc, 1);
  EXPECT_EQ(doc.rows()[8][0] + "|" + doc.rows()[8].back(), "L00row 1|BU");
}

TEST(ReportDocuments, EachDocumentIsItsRowsWithoutTheBreakAndWithItsPageHeaders) {
  ReportDoc doc = started(9, 9);
  doc.StartDocument("invoice-000001");
  body(doc, 3);  // two pages
  doc.NewLine();
  doc.cell(0) = "EJECT";
  doc.PageNo = 0;
  doc.PageLine = 0;
  doc.StartDocument("invoice-000002");
  body(doc, 1);
  const std::vector<DocumentPart> parts = doc.documents();
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[0].name, "invoice-000001");
  EXPECT_EQ(parts[1].name, "invoice-000002");
  const ReportDoc first = doc.extract(parts[0].rows);
  const ReportDoc second = doc.extract(parts[1].rows);
  EXPECT_EQ(first.rows().back()[0], "L00row 2");
  EXPECT_EQ(first.pageHeaders().size(), 2u);
  EXPECT_EQ(firstCells(second), (std::vector<std::string>{"L00Page 1|", "|", "C 4Sales|B", "|",
                                                          "L00|", "|", "L00Item|U", "L00row 0|"}));
  EXPECT_EQ(second.pageHeaders().size(), 1u);
  EXPECT_EQ(second.pageHeaders()[0].first, 0);
  EXPECT_EQ(second.CurRow, 7);
}

// Paper that holds fewer rows than the page logic counted: the renderer's
// sheets lose no row and repeat the page header.
TEST(ReportSheets, ARowPastTheSheetStartsANewOneUnderThePageHeader) {
  ReportDoc doc = started(9, 12);  // a 7-row header and five body rows a page
  body(doc, 7);
  const std::vector<int> order = SheetOrder(doc, 10);
  std::vector<std::string> laid;
  for (const int r : order) {
    laid.push_back(r == kSheetBreak ? "break" : doc.rows()[static_cast<size_t>(r)][0]);
  }
  const std::vector<std::string> header = {"L00Page 1", "", "C 4Sales", "", "L00", "", "L00Item"};
  std::vector<std::string> want = header;
  for (const char* row : {"L00row 0", "L00row 1", "L00row 2", "break"}) want.push_back(row);
  want.insert(want.end(), header.begin(), header.end());
  for (const char* row : {"L00row 3", "L00row 4", "EJECT"}) want.push_back(row);
  std::vector<std::string> page2 = header;
  page2[0] = "L00Page 2";
  want.insert(want.end(), page2.begin(), page2.end());
  for (const char* row : {"L00row 5", "L00row 6"}) want.push_back(row);
  EXPECT_EQ(laid, want);
  // Sheets of the page's size lay the document as it is.
  std::vector<int> asBuilt(doc.rows().size());
  for (size_t r = 0; r < asBuilt.size(); ++r) asBuilt[r] = static_cast<int>(r);
  EXPECT_EQ(SheetOrder(doc, 12), asBuilt);
}

TEST(ReportCells, ColumnFieldsWithBlankOrZeroReadTheSame) {
  EXPECT_EQ(ParseCell("L 7x").column, ParseCell("L07x").column);
  const ReportCell rule = ParseCell("H6073");
  EXPECT_EQ(rule.kind, CellKind::HRule);
  EXPECT_EQ(rule.column, 60);
  EXPECT_EQ(rule.toColumn, 73);
  EXPECT_EQ(ParseCell("IC36 logo.png ").text, "logo.png");
  EXPECT_THROW(ParseCell("Lxxtext"), CellError);
  const RowStyle style = ParseStyle(PictureStyle(1.5, 2.25) + "BU");
  ASSERT_TRUE(style.picture);
  EXPECT_EQ(style.picture->height, 1.5);
  EXPECT_EQ(style.picture->width, 2.25);
  EXPECT_TRUE(style.bold && style.underline);
}

TEST(ReportExport, AlignedAndTabbedLinesKeepTheTextsAsWritten) {
  const ReportRow total = {"L00Total", "", "", "", "R71      12.50", "V73", "U"};
  const ReportRow overlapping = {"L00abcdef", "L03xyz", "C10mid", "R20café", ""};
  struct Case {
    ReportRow row;
    ExportForm form;
    std::string line;
  };
  const Case cases[] = {
      {total, ExportForm::TabDelimited, "Total\t      12.50"},
      {total, ExportForm::AlignedText, "Total" + std::string(55, ' ') + "      12.50"},
      {overlapping, ExportForm::AlignedText, "abcdefxyzmid    caf\xE9"},
      {{"EJECT", ""}, ExportForm::AlignedText, ""},
      // An empty first text keeps its field, so the next stays in its column.
      {{"L00", "L05x", ""}, ExportForm::TabDelimited, "\tx"},
      {{"L05x", "L10", "L12y", ""}, ExportForm::TabDelimited, "x\t\ty"},
      // A tab or line break stored in a customer's address.
      {{"L001 Main St\tRear", "L20Town\r\nNorth", ""},
       ExportForm::TabDelimited,
       "1 Main St Rear\tTown  North"},
      {{"L001 Main St\nRear", ""}, ExportForm::AlignedText, "1 Main St Rear"},
  };
  for (const Case& c : cases) EXPECT_EQ(ExportLine(c.row, c.form), c.line);
  ReportDoc doc = started(71, 60);
  body(doc, 1);
  const std::string text = ExportText(doc, ExportForm::AlignedText);
  EXPECT_EQ(text.substr(0, 8), "Page 1" + std::string(1, ' ') + ' ');
  EXPECT_NE(text.find("4/17/2026\r\n\r\n"), std::string::npos);
  EXPECT_EQ(text.find("4/17/2026\r\n"), 71 - 9);
}

}  // namespace
}  // namespace vt::reports
