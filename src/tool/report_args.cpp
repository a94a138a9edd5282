#include "tool/report_args.h"

#include <charconv>

#include "tool/options.h"

namespace vt::tool {

namespace {

bool wholeNumber(std::string_view text, int* value) {
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, *value);
  return !text.empty() && error == std::errc() && ptr == end;
}

// YYYY-MM-DD.
std::optional<base::DateTime> isoDate(const std::string& text) {
  int year = 0, month = 0, day = 0;
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' ||
      !wholeNumber(std::string_view(text).substr(0, 4), &year) ||
      !wholeNumber(std::string_view(text).substr(5, 2), &month) ||
      !wholeNumber(std::string_view(text).substr(8, 2), &day)) {
    return std::nullopt;
  }
  const base::DateTime date{year, month, day};
  if (!date.isValidDate()) return std::nullopt;
  return date;
}

// "12,15,40": numbers above 0.
bool numberList(const std::string& text, std::vector<int>* numbers) {
  size_t start = 0;
  for (;;) {
    const size_t comma = text.find(',', start);
    int value = 0;
    if (!wholeNumber(std::string_view(text).substr(start, comma - start), &value) || value < 1) {
      return false;
    }
    numbers->push_back(value);
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

std::string checkChoices(const ReportArgs& a, const std::string& listOption) {
  const bool span = a.from || a.to;
  if (span && !a.numbers.empty()) return "give either --from/--to or " + listOption;
  if (span && !(a.from && a.to)) return "--from and --to go together";
  if (!span && a.numbers.empty()) return a.name + " needs --from and --to, or " + listOption;
  if (span && *a.from > *a.to) return "--from must not be after --to";
  return "";
}

}  // namespace

bool IsSpanReport(const std::string& name) {
  return name == "sales-summary" || name == "tax-summary" || name == "income-summary" ||
         name == "product-summary";
}

std::string ParseReportArgs(const Args& args, ReportArgs* out) {
  std::string error, format, from, to, invoices, customers;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size() && error.empty(); ++i) {
    if (takeOption(args, &i, "--data", &out->dir, &error) ||
        takeOption(args, &i, "--out", &out->out, &error) ||
        takeOption(args, &i, "--format", &format, &error) ||
        takeOption(args, &i, "--from", &from, &error) ||
        takeOption(args, &i, "--to", &to, &error) ||
        takeOption(args, &i, "--invoices", &invoices, &error) ||
        takeOption(args, &i, "--customers", &customers, &error) ||
        takeOption(args, &i, "--product", &out->product, &error)) {
      continue;
    }
    if (args[i].rfind("--", 0) == 0) return "unknown option " + args[i];
    positional.push_back(args[i]);
  }
  if (!error.empty()) return error;
  if (positional.size() != 1) return "report takes one report name";
  out->name = positional[0];
  if (out->dir.empty()) return "report needs --data DIR";
  if (out->out.empty()) return "report needs --out FILE";
  if (format == "txt")
    out->format = ReportFormat::Text;
  else if (format == "tsv")
    out->format = ReportFormat::Tabbed;
  else if (format == "pdf")
    out->format = ReportFormat::Pdf;
  else
    return "--format must be txt, tsv or pdf";
  if (!from.empty() && !(out->from = isoDate(from)))
    return "--from " + from + " is not a date (YYYY-MM-DD)";
  if (!to.empty() && !(out->to = isoDate(to))) return "--to " + to + " is not a date (YYYY-MM-DD)";
  const bool forCustomers = out->name == "statements";
  if (out->name == "product-buyers") {
    if (out->product.empty()) return "product-buyers needs --product ID";
    if (!invoices.empty() || !customers.empty()) return "product-buyers takes --from D --to D";
    if (!out->from || !out->to) return "product-buyers needs --from D --to D";
    return *out->from > *out->to ? "--from must not be after --to" : "";
  }
  if (!out->product.empty()) return "--product goes with product-buyers only";
  if (out->name == "receivables") {
    const bool choices = out->from || out->to || !invoices.empty() || !customers.empty();
    return choices ? "receivables takes no choices" : "";
  }
  if (IsSpanReport(out->name)) {
    if (!invoices.empty() || !customers.empty()) return out->name + " takes --from D --to D only";
    if (!out->from || !out->to) return out->name + " needs --from D --to D";
    return *out->from > *out->to ? "--from must not be after --to" : "";
  }
  if (out->name != "invoices" && out->name != "bills" && !forCustomers) {
    return "unknown report \"" + out->name + "\"";
  }
  const std::string& list = forCustomers ? customers : invoices;
  const std::string listOption = forCustomers ? "--customers N,N" : "--invoices N,N";
  if (!(forCustomers ? invoices : customers).empty()) return out->name + " takes " + listOption;
  if (!list.empty() && !numberList(list, &out->numbers))
    return listOption + ": numbers above 0, separated by commas";
  return checkChoices(*out, listOption);
}

}  // namespace vt::tool
