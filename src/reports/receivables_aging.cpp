// Receivables Aging: one row per customer owing something on the day, the
// balance split by the age of its invoices, then the totals and each
// bracket's share of them.
#include "reports/receivables_aging.h"

#include <cmath>
#include <set>

#include "base/text1252.h"
#include "data/customer_address.h"
#include "reports/aging_balances.h"

namespace vt::reports {

using engine::Result;

namespace {

constexpr int kWidth = 91;
constexpr int kCols = 14;
constexpr int kNameCol = 1;

class AgingDocument {
 public:
  AgingDocument(ReportContext& context, const base::DateTime& asOf, bool detail)
      : context_(context), session_(context.session), asOf_(asOf), detail_(detail) {}

  void Start() {
    StartReport(context_, kWidth, kCols,
                {"Receivables Aging as of " + session_.shortDateText(asOf_)});
    context_.doc.SetBoxedHeadings(
        {"V00", "L01", "V31", "R42", "V43", "R54", "V55", "R66", "V67", "R78", "V79", "R90", "V91"},
        {"", "Customer", "", "0-30 Days", "", "31-60 Days", "", "61-90 Days", "", "Over 90", "",
         "Total", ""});
  }

  void Customer(const std::string& name, const CustomerAging& aging) {
    std::vector<std::string> texts{"", name};
    for (const base::Cents cents : aging.brackets) {
      texts.insert(texts.end(), {"", amount(cents)});
    }
    base::Cents sum = 0;
    for (size_t b = 0; b < aging.brackets.size(); ++b) {
      sum += aging.brackets[b];
      totals_[b] += aging.brackets[b];
    }
    texts.insert(texts.end(), {"", amount(sum)});
    BodyRow(context_.doc, texts);
    if (!detail_) return;
    context_.doc.style() = "B";
    for (const AgedInvoice& invoice : aging.invoices) Invoice(invoice);
  }

  void Finish() {
    ReportDoc& doc = context_.doc;
    doc.style() = "U";
    base::Cents sum = 0;
    for (const base::Cents cents : totals_) sum += cents;
    std::vector<std::string> total{"", "Totals"}, share{"", "Percent of Total"};
    for (const base::Cents cents : totals_) {
      total.insert(total.end(), {"", amount(cents)});
      share.insert(share.end(), {"", Percent(cents, sum)});
    }
    total.insert(total.end(), {"", amount(sum)});
    share.insert(share.end(), {"", Percent(sum, sum)});
    BodyRow(doc, total, 2);
    doc.style() = "BU";
    BodyRow(doc, share);
    doc.style() = "U";
  }

 private:
  void Invoice(const AgedInvoice& invoice) {
    std::vector<std::string> texts{"", "  " + base::PadNumber(invoice.ivNo, 6) + "  " +
                                           session_.shortDateText(invoice.date) + "  " +
                                           std::to_string(invoice.age) + " days"};
    const auto bracket = static_cast<size_t>(AgingBracket(invoice.age));
    for (size_t b = 0; b < kAgingBrackets; ++b) {
      texts.insert(texts.end(), {"", b == bracket ? amount(invoice.balance) : ""});
    }
    BodyRow(context_.doc, texts);
  }

  std::string amount(base::Cents cents) const {
    return session_.viewAmount(base::FromCents(cents), 10, 2);
  }

  // `part` of `whole` in percent with two decimals; empty when the whole is
  // nothing.
  std::string Percent(base::Cents part, base::Cents whole) const {
    if (whole == 0) return "";
    const long double hundredths = static_cast<long double>(part) * 10000.0L / whole;
    return session_.viewAmount(base::FromCents(std::llround(hundredths)), 7, 2) + "%";
  }

  ReportContext& context_;
  data::DataSession& session_;
  base::DateTime asOf_;
  bool detail_;
  std::array<base::Cents, kAgingBrackets> totals_{};
};

// The customers' rows in the order of the settings' customer tag, then the
// numbers no customer has.
int ListCustomers(data::DataSession& session, const AgingByCustomer& owing, AgingDocument& out) {
  engine::Engine& engine = session.engine();
  engine.errorCode();
  engine::Table* customers = session.customers();
  if (!customers) return engine::kErrOpen;
  engine::Tag* order = customers->tag(session.settings.ByCust ? "CName" : "cComp");
  if (!order) return engine::kErrTag;
  customers->selectTag(order);
  std::set<int> listed;
  for (Result at = customers->top(); at == Result::Success; at = customers->skip(1)) {
    if (const int status = session.LoadCustomer(); status < 0) return status;
    const data::CustomerRecord& customer = session.Customer;
    const auto found = owing.find(customer.cuno);
    if (found == owing.end() || !listed.insert(customer.cuno).second) continue;
    out.Customer(
        session.settings.ByCust ? data::CustomerNameLine(customer) : base::trim(customer.addr1),
        found->second);
  }
  if (const int status = engine.errorCode(); status < 0) return status;
  for (const auto& [cuno, aging] : owing) {
    if (!listed.contains(cuno)) out.Customer("UNKNOWN", aging);
  }
  return 0;
}

int OpenAgingTables(data::DataSession& session) {
  const bool opened = session.OpenInvoices() && session.OpenItems() && session.OpenPayments() &&
                      session.OpenCustomers();
  if (!opened) return engine::kErrOpen;
  session.HoldReads();
  return 0;
}

}  // namespace

int ReceivablesAging(ReportContext& context, const base::DateTime& asOf, bool detail) {
  data::DataSession& session = context.session;
  const std::string caption = "Processing Receivables";
  if (context.progress) context.progress->show(true, caption);
  AgingByCustomer owing;
  int status = OpenAgingTables(session);
  if (status == 0) status = CollectAging(session, asOf, owing);
  if (status == 0 && owing.empty()) status = kNoInvoices;
  if (status == 0) {
    AgingDocument document(context, asOf.date(), detail);
    document.Start();
    status = ListCustomers(session, owing, document);
    if (status == 0) document.Finish();
  }
  if (context.progress) context.progress->show(false, caption);
  session.ReleaseReads();
  session.CloseAll();
  return status;
}

}  // namespace vt::reports
