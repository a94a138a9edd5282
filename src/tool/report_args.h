// The options of `vantrell-tool report`: which customer documents, from
// which data directory, in which file form, and the choices that take the
// place of the dialogs and pickers.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/convert.h"
#include "tool/commands.h"

namespace vt::tool {

enum class ReportFormat { Text, Tabbed, Pdf, Csv, Png };

struct ReportArgs {
  // invoices, bills, statements, sales-summary, product-summary,
  // product-buyers, income-summary, receivables, tax-summary, purchasing,
  // cost-of-goods, product-listing, stock-on-hand, inventory, profile, aging,
  // sales-chart
  std::string name;
  std::string product;  // product-buyers: the product ID
  std::string dir, out;
  // invoices, bills, statements as PDF: the directory each document's own
  // file goes into, in place of `out`.
  std::string each;
  ReportFormat format = ReportFormat::Text;
  // Either a span of dates...
  std::optional<base::DateTime> from, to;
  // ...or chosen invoice numbers (invoices, bills) or customer numbers
  // (statements, profile).
  std::vector<int> numbers;
  // inventory, aging: the one date.
  std::optional<base::DateTime> asOf;
  // aging: each customer's open invoices listed.
  bool detail = false;
  // profile: the customer groups chosen.
  std::vector<int> groups;
  // invoices, bills, statements: each document sent by e-mail...
  bool email = false;
  // ...or each message written as an .eml file into this directory.
  std::string emailFiles;

  bool mailing() const { return email || !emailFiles.empty(); }
};

// The reports over a span of dates only (sales-summary, product-summary,
// income-summary, tax-summary, purchasing, cost-of-goods, sales-chart).
bool IsSpanReport(const std::string& name);
// The reports that take no choice (receivables, product-listing,
// stock-on-hand, sent-mail).
bool IsPlainReport(const std::string& name);

// Empty when the arguments are good, else what is wrong.
std::string ParseReportArgs(const Args& args, ReportArgs* out);

}  // namespace vt::tool
