// The printed invoice and bill: letterhead, title, the customer's address
// with the invoice's number and date, the boxed item table (continued on a
// new page under its headings when it runs over), the totals, and in an
// invoice the products' texts and the remarks.
#include <cstdio>

#include "base/text1252.h"
#include "invoicing/invoice_arithmetic.h"
#include "reports/customer_documents.h"
#include "reports/report_cells.h"
#include "reports/report_frame.h"

namespace vt::reports {

using data::ItemCol;

namespace {

constexpr int kInvoiceWidth = 73;
constexpr int kInvoiceCols = 12;

}  // namespace

std::string DocumentName(const std::string& kind, long number) {
  char digits[24];
  std::snprintf(digits, sizeof digits, "%06ld", number);
  return kind + "-" + digits;
}

CustomerDocuments::CustomerDocuments(data::DataSession& session, ReportDoc& doc,
                                     const PageMetrics& metrics, const invoicing::ViewTexts& texts)
    : session_(session), doc_(doc), metrics_(metrics), texts_(texts) {}

void CustomerDocuments::row(std::initializer_list<std::pair<int, std::string>> cells) {
  doc_.NewLine();
  for (const auto& [c, text] : cells) doc_.cell(c) = text;
}

std::string CustomerDocuments::amount(double value, int width) const {
  return AmountText(session_, value, width);
}

std::string CustomerDocuments::plainAmount(const base::MoneyTotal& value) const {
  return base::trim(session_.viewAmount(value.value(), 1, 2));
}

base::MoneyTotal CustomerDocuments::paidTotal() const {
  base::MoneyTotal paid;
  for (int i = 0; i <= session_.PmtCount; ++i) {
    paid += texts_.number(session_.PmtLines[static_cast<size_t>(i)][data::PmtCol::PAmt]);
  }
  return paid;
}

std::string CustomerDocuments::today() const {
  return session_.shortDateText(session_.now().date());
}

void CustomerDocuments::StartInvoiceReport() {
  doc_.ReportWidth = kInvoiceWidth;
  doc_.ReportCols = kInvoiceCols;
  doc_.BeginReport(metrics_.linesPerPage(), today());
  doc_.SetBoxedHeadings(
      {"V00", "L01", "V12", "L13", "V41", "R49", "V50", "R59", "V60", "R72", "V73"},
      {"", "Item Code", "", "Description", "", "Price", "", "Qty", "", "Total", ""});
}

// After another document: a page break, and page numbering begins again.
void CustomerDocuments::pageOfItsOwn(const std::string& kind, long number, int cuno,
                                     const std::string& date) {
  if (!doc_.empty()) {
    row({{0, "EJECT"}});
    doc_.PageLine = 0;
  }
  doc_.PageNo = 1;
  doc_.StartDocument(DocumentName(kind, number), {kind, number, cuno, date, "", ""});
}

void CustomerDocuments::addressBlock(bool invoiceLines) {
  const std::vector<std::string>& address = session_.AddressLines;
  auto line = [&address](size_t i) { return i < address.size() ? address[i] : std::string(); };
  const data::InvoiceRecord& invoice = session_.Invoice;
  doc_.NewLine();
  if (invoiceLines) {
    row({{0, "L00To:"},
         {1, "L10" + line(0)},
         {2, "R60Invoice No:"},
         {3, "L62" + std::to_string(invoice.IvNo)}});
    row({{1, "L10" + line(1)},
         {2, "R60Invoice Date:"},
         {3, "L62" + DateText(session_, invoice.IDate)}});
  } else {
    row({{0, "L00To:"}, {1, "L10" + line(0)}});
    if (address.size() > 1) row({{1, "L10" + line(1)}});
  }
  for (size_t i = 2; i < address.size(); ++i) row({{1, "L10" + address[i]}});
}

void CustomerDocuments::itemRows(base::MoneyTotal& subtotal) {
  const int cuno = session_.Invoice.CuNo;
  for (int i = 0; i <= session_.ItemCount; ++i) {
    const data::ItemRow& item = session_.ItemLines[static_cast<size_t>(i)];
    const double price = texts_.number(item[ItemCol::UPR]);
    const double quantity = texts_.number(item[ItemCol::Qty]);
    const double total = invoicing::LineTotal(quantity, price);
    doc_.CheckPage(doc_.PageLine + 3, true);
    row({{0, "V00"},
         {1, "L01" + base::trimRight(item[ItemCol::PrID])},
         {2, "V12"},
         {3, "L13" + base::trimRight(item[ItemCol::PDesc])},
         {4, "V41"},
         {5, "R49" + ValuedText(item[ItemCol::UPR], PlainNumber(price))},
         {6, "V50"},
         {7, "R59" + ValuedText(item[ItemCol::Qty], PlainNumber(quantity))},
         {8, "V60"},
         {9, "R72" + amount(total, 12)},
         {10, "V73"}});
    auto boxedText = [this](const std::string& text) {
      row({{0, "V00"},
           {2, "V12"},
           {3, "L13" + text},
           {4, "V41"},
           {6, "V50"},
           {8, "V60"},
           {10, "V73"}});
    };
    if (!item[ItemCol::IComm].empty()) boxedText(item[ItemCol::IComm]);
    if (!item[ItemCol::RCode].empty()) {
      boxedText("License No. " + item[ItemCol::RCode] + std::to_string(cuno));
    }
    subtotal += total;
  }
  doc_.style() = "U";
}

void CustomerDocuments::totalsBlock(const base::MoneyTotal& subtotal) {
  const data::InvoiceRecord& invoice = session_.Invoice;
  const data::Settings& settings = session_.settings;
  const base::MoneyTotal paid = paidTotal();
  const base::MoneyTotal ship(invoice.Ship), tax(invoice.Tax);
  const std::pair<std::string, base::MoneyTotal> lines[] = {
      {"SubTotal:", subtotal},
      {base::trim(settings.ShipLine) + ":", ship},
      {base::trim(settings.TaxLine) + ":", tax},
      {"Total:", subtotal + ship + tax},
      {"Amount Paid:", paid},
      {"Balance Due:", base::MoneyTotal(invoice.Due)}};
  doc_.lastDocumentFacts().total = plainAmount(lines[3].second);
  doc_.lastDocumentFacts().due = plainAmount(lines[5].second);
  doc_.CheckPage(doc_.PageLine + 6, true);
  for (const auto& [caption, value] : lines) {
    row({{7, "R59" + caption}, {8, "V60"}, {9, "R72" + amount(value, 12)}, {10, "V73"}});
    // The memo line stands beside the subtotal.
    if (caption == lines[0].first) doc_.cell(0) = "L01" + base::trimRight(invoice.IMemo);
  }
  row({{10, "H6073"}});
}

void CustomerDocuments::textLines(const std::string& text) {
  std::vector<std::string> lines;
  if (!SplitText(text, lines)) return;
  doc_.NewLine();
  for (const std::string& line : lines) {
    doc_.CheckPage(doc_.PageLine + 1, false);
    row({{0, "L00" + line}});
  }
}

void CustomerDocuments::PrintInvoiceDoc(bool invoiceMode) {
  const data::InvoiceRecord& invoice = session_.Invoice;
  const char* title = invoiceMode ? "Invoice" : invoice.Due > 0 ? "Bill" : "Statement";
  doc_.ReportTitles = {title};
  pageOfItsOwn(invoiceMode ? "invoice" : "bill", invoice.IvNo, invoice.CuNo,
               session_.shortDateText(invoice.IDate));
  Letterhead();
  doc_.PlaceTitles();
  addressBlock(true);
  doc_.PlaceHeadings();
  base::MoneyTotal subtotal;
  itemRows(subtotal);
  totalsBlock(subtotal);
  if (!invoiceMode) return;
  for (int i = 0; i <= session_.ItemCount; ++i) {
    textLines(session_.ItemLines[static_cast<size_t>(i)][ItemCol::PMemo]);
  }
  textLines(invoice.REM);
}

}  // namespace vt::reports
