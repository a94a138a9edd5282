// Receivables Aging: one row per customer owing something on the day, the
// balance split by the age of its invoices, then the totals and each
// bracket's share of them.
#include "reports/receivables_aging.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "base/text1252.h"
#include "data/customer_address.h"
#include "reports/aging_balances.h"
#include "reports/report_cells.h"

namespace vt::reports {

using engine::Result;

namespace {

constexpr int kNameCol = 1;
constexpr int kDateColumns = 8;  // a short date as "12/31/26"

class AgingDocument {
 public:
  AgingDocument(ReportContext& context, const base::DateTime& asOf, bool detail,
                const AgingByCustomer& owing)
      : context_(context), session_(context.session), asOf_(asOf), detail_(detail) {
    if (!detail) return;
    for (const auto& [cuno, customer] : owing) {
      for (const AgedInvoice& invoice : customer.invoices) {
        dateWidth_ = std::max(dateWidth_, PrintedWidth(session_.shortDateText(invoice.date)));
      }
    }
  }

  // With detail, each invoice has its number, date and age in columns of
  // their own between the customer and the brackets; the customer's name
  // on its own row runs across them.
  void Start() {
    std::vector<BoxedColumn> columns;
    std::vector<std::string> titles{"", "Customer"};
    if (detail_) {
      const int nameWidth = std::max(8, 20 - (dateWidth_ - kDateColumns));
      columns = {{'L', nameWidth}, {'R', 7}, {'L', dateWidth_}, {'R', 5}};
      titles.insert(titles.end(), {"", "Invoice", "", "Date", "", "Days"});
    } else {
      columns = {{'L', 30}};
    }
    amountWidth_ = detail_ ? 10 : 11;
    firstAmount_ = static_cast<int>(2 * columns.size() + 1);
    for (const char* title : {"0-30 Days", "31-60 Days", "61-90 Days", "Over 90", "Total"}) {
      columns.push_back({'R', amountWidth_});
      titles.insert(titles.end(), {"", title});
    }
    titles.emplace_back("");
    std::vector<std::string> codes = BoxedCodes(columns);
    const int width = ParseCell(codes.back()).column;
    StartReport(context_, width, static_cast<int>(codes.size()) + 1,
                {"Receivables Aging as of " + session_.shortDateText(asOf_)});
    context_.doc.SetBoxedHeadings(std::move(codes), titles);
  }

  void Customer(const std::string& name, const CustomerAging& aging) {
    std::vector<std::string> texts = leading(name);
    base::Cents sum = 0;
    for (size_t b = 0; b < aging.brackets.size(); ++b) {
      texts.insert(texts.end(), {"", amount(aging.brackets[b])});
      sum += aging.brackets[b];
      totals_[b] += aging.brackets[b];
    }
    texts.insert(texts.end(), {"", amount(sum)});
    BodyRow(context_.doc, texts);
    if (!detail_) return;
    for (int c = kNameCol + 1; c < firstAmount_ - 1; ++c) context_.doc.cell(c).clear();
    context_.doc.style() = "B";
    for (const AgedInvoice& invoice : aging.invoices) Invoice(invoice);
  }

  void Finish() {
    ReportDoc& doc = context_.doc;
    doc.style() = "U";
    base::Cents sum = 0;
    for (const base::Cents cents : totals_) sum += cents;
    std::vector<std::string> total = leading("Totals"), share = leading("Percent of Total");
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
  // The texts of a row's cells up to the first bracket, `name` in the
  // customer column.
  std::vector<std::string> leading(const std::string& name) const {
    std::vector<std::string> texts(static_cast<size_t>(firstAmount_ - 1));
    texts[kNameCol] = name;
    return texts;
  }

  void Invoice(const AgedInvoice& invoice) {
    std::vector<std::string> texts = leading("");
    texts[3] = std::to_string(invoice.ivNo);
    texts[5] = DateText(session_, invoice.date);
    texts[7] = invoice.date.isValidDate() ? std::to_string(invoice.age) : "";
    const auto bracket = static_cast<size_t>(AgingBracket(invoice.age));
    for (size_t b = 0; b < kAgingBrackets; ++b) {
      texts.insert(texts.end(), {"", b == bracket ? amount(invoice.balance) : ""});
    }
    BodyRow(context_.doc, texts);
  }

  std::string amount(base::Cents cents) const {
    return AmountText(session_, base::FromCents(cents), amountWidth_ - 1);
  }

  // `part` of `whole` in percent with two decimals; empty when the whole is
  // nothing.
  std::string Percent(base::Cents part, base::Cents whole) const {
    if (whole == 0) return "";
    const long double hundredths = static_cast<long double>(part) * 10000.0L / whole;
    const double percent = base::FromCents(std::llround(hundredths));
    return ValuedText(session_.viewAmount(percent, 7, 2) + "%", PlainNumber(percent));
  }

  ReportContext& context_;
  data::DataSession& session_;
  base::DateTime asOf_;
  bool detail_;
  int dateWidth_ = kDateColumns;
  int amountWidth_ = 11;
  int firstAmount_ = 3;
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
  // Every customer record, those marked deleted too: what is owed on live
  // invoices is listed under the name of whoever owes it, as Receivables
  // names them.
  for (Result at = customers->top(); at == Result::Success; at = customers->skip(1)) {
    if (const int status = session.LoadCustomer(); status < 0) return status;
    const data::CustomerRecord& customer = session.Customer;
    const auto found = owing.find(customer.cuno);
    if (found == owing.end() || !listed.insert(customer.cuno).second) continue;
    out.Customer(data::CustomerListName(customer, session.settings.ByCust), found->second);
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
    AgingDocument document(context, asOf.date(), detail, owing);
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
