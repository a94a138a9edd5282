#include "tool/report_args.h"

#include "tool/options.h"

namespace vt::tool {

namespace {

// YYYY-MM-DD.
std::optional<base::DateTime> isoDate(const std::string& text) {
  int year = 0, month = 0, day = 0;
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' ||
      !WholeNumber(std::string_view(text).substr(0, 4), &year) ||
      !WholeNumber(std::string_view(text).substr(5, 2), &month) ||
      !WholeNumber(std::string_view(text).substr(8, 2), &day)) {
    return std::nullopt;
  }
  const base::DateTime date{year, month, day};
  if (!date.isValidDate()) return std::nullopt;
  return date;
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
         name == "product-summary" || name == "purchasing" || name == "cost-of-goods" ||
         name == "sales-chart";
}

bool IsPlainReport(const std::string& name) {
  return name == "receivables" || name == "product-listing" || name == "stock-on-hand" ||
         name == "sent-mail";
}

std::string ParseReportArgs(const Args& args, ReportArgs* out) {
  std::string error, format, from, to, invoices, customers, asOf, groups;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size() && error.empty(); ++i) {
    if (takeOption(args, &i, "--data", &out->dir, &error) ||
        takeOption(args, &i, "--out", &out->out, &error) ||
        takeOption(args, &i, "--each", &out->each, &error) ||
        takeOption(args, &i, "--format", &format, &error) ||
        takeOption(args, &i, "--from", &from, &error) ||
        takeOption(args, &i, "--to", &to, &error) ||
        takeOption(args, &i, "--invoices", &invoices, &error) ||
        takeOption(args, &i, "--customers", &customers, &error) ||
        takeOption(args, &i, "--product", &out->product, &error) ||
        takeOption(args, &i, "--as-of", &asOf, &error) ||
        takeOption(args, &i, "--groups", &groups, &error) ||
        takeOption(args, &i, "--email-to-files", &out->emailFiles, &error)) {
      continue;
    }
    if (args[i] == "--detail" || args[i] == "--email") {
      (args[i] == "--detail" ? out->detail : out->email) = true;
      continue;
    }
    if (args[i].rfind("--", 0) == 0) return "unknown option " + args[i];
    positional.push_back(args[i]);
  }
  if (!error.empty()) return error;
  if (positional.size() != 1) return "report takes one report name";
  out->name = positional[0];
  if (out->dir.empty()) return "report needs --data DIR";
  const bool documents =
      out->name == "invoices" || out->name == "bills" || out->name == "statements";
  if (out->mailing()) {
    if (!documents) return "--email and --email-to-files go with invoices, bills and statements";
    if (out->email && !out->emailFiles.empty()) return "give either --email or --email-to-files";
    if (!out->out.empty()) return "--email and --email-to-files take no --out";
    // The documents travel as their PDF files.
    if (format.empty()) format = "pdf";
  } else if (out->out.empty() == out->each.empty()) {
    return "report needs either --out FILE or --each DIR";
  }
  if (format == "txt")
    out->format = ReportFormat::Text;
  else if (format == "tsv")
    out->format = ReportFormat::Tabbed;
  else if (format == "pdf")
    out->format = ReportFormat::Pdf;
  else if (format == "csv")
    out->format = ReportFormat::Csv;
  else if (format == "png")
    out->format = ReportFormat::Png;
  else
    return "--format must be txt, tsv, pdf, csv or png";
  if (out->format == ReportFormat::Png && out->name != "sales-chart")
    return "--format png goes with sales-chart only";
  if (out->mailing() && out->format != ReportFormat::Pdf) return "e-mail sends PDF files only";
  if (!out->each.empty() && (!documents || out->format != ReportFormat::Pdf))
    return "--each goes with invoices, bills and statements in --format pdf only";
  if (!from.empty() && !(out->from = isoDate(from)))
    return "--from " + from + " is not a date (YYYY-MM-DD)";
  if (!to.empty() && !(out->to = isoDate(to))) return "--to " + to + " is not a date (YYYY-MM-DD)";
  if (!asOf.empty() && !(out->asOf = isoDate(asOf)))
    return "--as-of " + asOf + " is not a date (YYYY-MM-DD)";
  const bool dated = out->name == "inventory" || out->name == "aging";
  if (out->asOf.has_value() != dated) {
    return out->asOf ? "--as-of goes with inventory and aging only"
                     : out->name + " needs --as-of D";
  }
  if (out->detail && out->name != "aging") return "--detail goes with aging only";
  if (!groups.empty() && out->name != "profile") return "--groups goes with profile only";
  const bool span = out->from || out->to;
  if (dated) {
    const bool other = span || !invoices.empty() || !customers.empty() || !out->product.empty();
    return other ? out->name + " takes --as-of D only" : "";
  }
  if (out->name == "profile") {
    if (span || !invoices.empty() || !out->product.empty() || customers.empty() == groups.empty())
      return "profile takes either --customers N,N or --groups N,N";
    const bool listed =
        groups.empty() ? NumberList(customers, &out->numbers) : NumberList(groups, &out->groups);
    return listed ? "" : "--customers/--groups: numbers above 0, separated by commas";
  }
  const bool forCustomers = out->name == "statements";
  if (out->name == "product-buyers") {
    if (out->product.empty()) return "product-buyers needs --product ID";
    if (!invoices.empty() || !customers.empty()) return "product-buyers takes --from D --to D";
    if (!out->from || !out->to) return "product-buyers needs --from D --to D";
    return *out->from > *out->to ? "--from must not be after --to" : "";
  }
  if (!out->product.empty()) return "--product goes with product-buyers only";
  if (IsPlainReport(out->name)) {
    const bool choices = span || !invoices.empty() || !customers.empty();
    return choices ? out->name + " takes no choices" : "";
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
  if (!list.empty() && !NumberList(list, &out->numbers))
    return listOption + ": numbers above 0, separated by commas";
  return checkChoices(*out, listOption);
}

}  // namespace vt::tool
