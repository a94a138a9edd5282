// The report document every printed output except labels is built in: rows
// of short coded text cells that say where each piece of text goes on the
// line, how it is aligned, and where rules, page breaks and pictures go. The
// last cell of every row is its style cell. A generator sets the width and
// the number of cells, starts the document, fills titles, column codes and
// headings, and adds rows; the page logic places page headers and page
// breaks. The document is shown, printed and exported by the report window.
//
// Cell codes (column numbers are two-character fields, " 7" or "07"):
//   "L" col text   text starting at the column
//   "R" col text   text ending at the column
//   "C" col text   text centred on the column
//   "H" from to    rule along the top of the row, from column to column
//   "V" col        rule at the left edge of the column, the row's height
//   "EJECT"        page break (only the E is examined)
//   "I" align col file   a picture (align L, C or R), sized by the style cell
//   "G" rows figures     a bar chart across the report's width, `rows` rows
//                        tall from the top of its row (bar_chart.h)
// Style cell flags: "B" bold, "U" rule under the row, "S" + height + width
// (inches, each five characters with two decimals) for a picture row.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vt::reports {

using ReportRow = std::vector<std::string>;

// The column codes of a report and the width of its line.
struct ColumnLayout {
  std::vector<std::string> codes;
  int width = 0;
};

// `layout` with column `cell` given room for `needed` characters. The room a
// right-aligned column has reaches back to the code before it, a left-aligned
// column's forward to the code after it; what is missing moves every later
// code (a right-aligned column's own too) and the width to the right.
ColumnLayout WidenColumn(ColumnLayout layout, size_t cell, int needed);

// Rows `first` to `last` of a document, both included.
struct RowSpan {
  int first = 0;
  int last = 0;
};

// What a customer document is about, for the message that sends it: the
// kind ("invoice", "bill", "statement"), its number (a statement's is the
// customer number), the customer, its date and amounts as printed.
struct DocumentFacts {
  std::string kind;
  long number = 0;
  int cuno = 0;
  std::string date;
  std::string total;
  std::string due;
};

// One of several documents a report holds (the invoices of a run, say): its
// rows, without the page break that ends it, the name its file takes
// ("invoice-001065") and what it is about.
struct DocumentPart {
  RowSpan rows;
  std::string name;
  DocumentFacts facts;
};

class ReportDoc {
 public:
  // Set by the generator before BeginReport.
  int ReportWidth = 0;  // character columns, 1..99
  int ReportCols = 0;   // cells per row, the last the style cell
  // Filled by the generator after BeginReport.
  std::vector<std::string> ReportTitles;
  std::vector<ReportRow> ColumnHeads;
  std::vector<std::string> ColumnCodes;  // ReportCols - 1 prefixes ("L00", "R47")

  int CurRow = -1;    // index of the last row; -1 when empty
  int PageLine = -1;  // rows placed on the current page
  int PageNo = 0;     // 0 until the first page header
  int LinesPerPage = 60;

  // Starts an empty document: `linesPerPage` rows to a page (60 without a
  // printer), `today` the date text page headers carry. Heading rows and
  // column codes are made empty, one heading row.
  void BeginReport(int linesPerPage, std::string today);
  // Appends a row of empty cells (CurRow and PageLine up by one).
  void NewLine();
  // Before adding rows: `needed` = PageLine + the rows about to be added.
  // On a started page with room, nothing and false. Otherwise an EJECT row
  // (after the first page; with `headings` the last row underlined first,
  // keeping its other flags), the page header (page number and date,
  // titles, with `headings` the column headings) and true.
  bool CheckPage(int needed, bool headings);
  // The titles centred and bold, one row each.
  void PlaceTitles();
  // A blank row, then the heading rows copied with their style cells.
  void PlaceHeadings();
  // Releases the rows, headings and codes.
  void EndReport();
  // The rows from the next one on are a document of their own named `name`,
  // up to the next such start.
  void StartDocument(std::string name, DocumentFacts facts = {});
  // The facts of the document started last (its amounts are known once its
  // rows are placed); StartDocument must have been called.
  DocumentFacts& lastDocumentFacts() { return documentStarts_.back().facts; }
  // The documents started, in order; empty when none was.
  std::vector<DocumentPart> documents() const;
  // The rows of `span` as a document of their own, with the page headers
  // among them, the layout and the titles.
  ReportDoc extract(RowSpan span) const;

  bool empty() const { return CurRow < 0; }
  const std::vector<ReportRow>& rows() const { return rows_; }
  // The rows of every page header CheckPage placed, in document order.
  const std::vector<RowSpan>& pageHeaders() const { return pageHeaders_; }
  // Cell `c` of the last row; the style cell is cell ReportCols - 1.
  std::string& cell(int c);
  std::string& style() { return cell(ReportCols - 1); }
  // Sets the column codes and two heading rows: an empty one underlined (a
  // rule above the headings) and one of each code followed by its title,
  // underlined.
  void SetBoxedHeadings(std::vector<std::string> codes, const std::vector<std::string>& titles);
  // The column code of column cell `c` followed by `text`.
  std::string coded(int c, const std::string& text) const;
  // Gives column cell `c` room for `needed` characters (see WidenColumn).
  // The rows placed so far and the headings follow: a cell on a moved
  // column's code, at the centre or the right edge of the line, and the ends
  // of a rule on a moved column move with it.
  void WidenColumn(size_t c, int needed);

 private:
  void relayout(const ColumnLayout& wider);

  std::vector<ReportRow> rows_;
  std::vector<RowSpan> pageHeaders_;
  struct DocumentStart {
    int first;
    std::string name;
    DocumentFacts facts;
  };
  std::vector<DocumentStart> documentStarts_;
  std::string today_;
};

// The codes of boxed columns side by side from column 0, each `width`
// characters between its rules and aligned 'L' or 'R': "V00", "L01", "V31",
// "R42", "V43"... (column numbers in two digits). The last rule stands at
// the line's width.
struct BoxedColumn {
  char align;
  int width;
};
std::vector<std::string> BoxedCodes(const std::vector<BoxedColumn>& columns);

// A column number as a two-character field: right-aligned with a leading
// blank (" 7", "36").
std::string ColumnField(int column);

}  // namespace vt::reports
