// The sample business's year of sales: two hundred invoices of one to five
// items each, their Shipping and Sales Tax charges computed from the
// settings as the invoice editor computes them, and the payments received,
// which settle most invoices in full, some in part and leave a few open.
#include <algorithm>
#include <cmath>
#include <optional>
#include <set>

#include "invoicing/invoice_arithmetic.h"
#include "tool/demo_sample.h"

namespace vt::tool::demo {
namespace {

constexpr int kInvoices = 200;
constexpr int kFirstInvoice = 1001;
constexpr int kMaxItems = 5;
// Businesses buying in volume pay this share of the list price for goods.
constexpr double kWholesalePrice = 0.90;

// What is left of each stocked item on a day, after the sales so far.
class Stock {
 public:
  explicit Stock(const Sample& sample) : sample_(sample), sold_(sample.products.size(), 0.0) {}
  double available(size_t product, int day) const {
    double arrived = 0;
    for (const Arrival& a : sample_.arrivals) {
      if (a.product == product && a.day <= day) arrived += a.qty;
    }
    return arrived - sold_[product];
  }
  void take(size_t product, double qty) { sold_[product] += qty; }

 private:
  const Sample& sample_;
  std::vector<double> sold_;
};

double saleQuantity(const SampleProduct& p, Random& random) {
  if (p.hourly) return random.between(p.saleMin * 2, p.saleMax * 2) / 2.0;
  return random.between(p.saleMin, p.saleMax);
}

data::ItemRecord item(const SampleProduct& p, const SampleCustomer& customer, double qty) {
  data::ItemRecord r;
  r.PrID = p.record.PrID;
  r.Qty = qty;
  r.UPR = p.record.UPrice;
  if (customer.group == kWholesale && p.record.LTax1) {
    r.UPR = invoicing::LineTotal(p.record.UPrice, kWholesalePrice);
  }
  r.LTax1 = p.record.LTax1;
  r.LTax2 = p.record.LTax2 && !customer.taxExempt;
  r.PDesc = p.record.PDesc;
  r.IComm = p.record.IComm;
  return r;
}

// One to five different products; stocked items no more than is on hand.
std::vector<data::ItemRecord> items(Sample& sample, Stock& stock, const SampleCustomer& customer,
                                    int day) {
  std::vector<int> weights;
  for (const SampleProduct& p : sample.products) weights.push_back(p.weight);
  Random& random = sample.random;
  const int wanted = random.between(1, 3) + (random.chance(35) ? random.between(1, 2) : 0);
  std::set<size_t> taken;
  std::vector<data::ItemRecord> lines;
  for (int attempt = 0; attempt < 4 * kMaxItems && static_cast<int>(lines.size()) < wanted;
       ++attempt) {
    const size_t i = random.weighted(weights);
    const SampleProduct& p = sample.products[i];
    double qty = saleQuantity(p, random);
    if (p.record.lInven) qty = std::min(qty, std::floor(stock.available(i, day)));
    if (qty <= 0 || !taken.insert(i).second) continue;
    if (p.record.lInven) stock.take(i, qty);
    lines.push_back(item(p, customer, qty));
  }
  // Nothing in stock of what was asked for: a rental instead.
  if (lines.empty()) lines.push_back(item(sample.products.back(), customer, 1));
  return lines;
}

std::vector<invoicing::TaxedLine> taxedLines(const std::vector<data::ItemRecord>& lines) {
  std::vector<invoicing::TaxedLine> taxed;
  for (const data::ItemRecord& line : lines) {
    taxed.push_back({invoicing::LineTotal(line.Qty, line.UPR), line.LTax1, line.LTax2});
  }
  return taxed;
}

// The invoice's Ship and Tax as the invoice editor computes them.
void computeCharges(const data::Settings& s, const std::vector<data::ItemRecord>& lines,
                    data::InvoiceRecord& header) {
  const invoicing::Charges charges =
      invoicing::ComputeCharges(s, taxedLines(lines), {header.Ship, header.Tax});
  header.Ship = charges.Ship;
  header.Tax = charges.Tax;
}

base::Cents invoiceTotal(const std::vector<data::ItemRecord>& lines,
                         const data::InvoiceRecord& header) {
  return invoicing::InvoiceTotalCents(taxedLines(lines), {header.Ship, header.Tax});
}

// How the customer paid, for the header's "Check/Credit Card" line.
std::string paymentMemo(const SampleCustomer& customer, Random& random) {
  const std::string last4 = std::to_string(random.between(1000, 9999));
  if (customer.group == kRetail) {
    const char* const kinds[] = {"Visa x", "MC x", "Cash"};
    const std::string kind = kinds[random.index(std::size(kinds))];
    return kind == "Cash" ? kind : kind + last4;
  }
  return "Check " + last4;
}

enum class Settled { Full, Part, Open };

Settled howSettled(int day, Random& random) {
  const bool recent = kLastDay - day < 30;
  const int draw = random.between(0, 99);
  if (draw < (recent ? 45 : 84)) return Settled::Full;
  if (draw < (recent ? 60 : 92)) return Settled::Part;
  return Settled::Open;
}

data::PaymentRecord payment(const Sample& sample, int invoice, int day, double amount) {
  data::PaymentRecord r;
  r.IvNo = invoice;
  r.PDate = sample.date(std::min(day, kLastDay));
  r.PAmt = base::RoundCents(amount);
  return r;
}

// The payments of an invoice of `total`, and the header's memo line.
std::vector<data::PaymentRecord> payments(Sample& sample, const SampleCustomer& customer,
                                          data::InvoiceRecord& header, int day, double total) {
  Random& random = sample.random;
  const int n = header.IvNo;
  if (customer.group == kRetail && random.chance(75)) {  // paid at the counter
    header.IMemo = paymentMemo(customer, random);
    return {payment(sample, n, day, total)};
  }
  const Settled settled = howSettled(day, random);
  const double part = std::floor(total * random.between(25, 75) / 100);
  if (settled == Settled::Open || (settled == Settled::Part && part < 1)) return {};
  header.IMemo = paymentMemo(customer, random);
  const int first = day + random.between(5, 35);
  if (settled == Settled::Part) return {payment(sample, n, first, part)};
  if (total < 100 || !random.chance(15)) return {payment(sample, n, first, total)};
  const int second = first + random.between(10, 30);  // in two instalments
  return {payment(sample, n, first, part), payment(sample, n, second, total - part)};
}

const char* const kSchoolDepts[] = {"Main Office", "Library", "Science Dept.", "Athletics",
                                    "Art Room"};
const char* const kBusinessDepts[] = {"Accounting", "Front Office", "Shop", "Warehouse"};
const char* const kRemarks[] = {
    "Delivered to the back entrance.", "Customer picked up at the counter.",
    "Quote accepted by phone.", "Installation scheduled with the office manager.",
    "Second toner cartridge to follow when it arrives.\r\nNo charge for the delivery."};

data::InvoiceRecord header(Sample& sample, const SampleCustomer& customer, int number, int day) {
  Random& random = sample.random;
  data::InvoiceRecord r;
  r.IvNo = number;
  r.CuNo = customer.cuno;
  r.IDate = sample.date(day);
  if (customer.group == kSchools && random.chance(60)) {
    r.Dept = kSchoolDepts[random.index(std::size(kSchoolDepts))];
  } else if (customer.group != kRetail && random.chance(30)) {
    r.Dept = kBusinessDepts[random.index(std::size(kBusinessDepts))];
  }
  if (random.chance(8)) r.REM = kRemarks[random.index(std::size(kRemarks))];
  return r;
}

// Regular customers buy three times as often as the others.
std::vector<int> customerWeights(const Sample& sample) {
  std::vector<int> weights;
  for (size_t i = 0; i < sample.customers.size(); ++i) weights.push_back(i % 3 == 0 ? 3 : 1);
  return weights;
}

int writeInvoice(data::DataSession& session, Sample& sample, const data::InvoiceRecord& header,
                 const std::vector<data::ItemRecord>& lines,
                 const std::vector<data::PaymentRecord>& paid) {
  using S = data::DataSession;
  session.Invoice = header;
  int status = AppendRecord(session.invoices(), session, &S::StoreInvoice);
  for (size_t i = 0; i < lines.size() && status >= 0; ++i) {
    session.Item = lines[i];
    session.Item.IvNo = header.IvNo;
    status = AppendRecord(session.items(), session, &S::StoreItem);
  }
  for (size_t i = 0; i < paid.size() && status >= 0; ++i) {
    session.Payment = paid[i];
    status = AppendRecord(session.payments(), session, &S::StorePayment);
  }
  if (status < 0) return status;
  ++sample.invoices;
  sample.items += static_cast<int>(lines.size());
  sample.payments += static_cast<int>(paid.size());
  return 0;
}

}  // namespace

int WriteInvoices(data::DataSession& session, Sample& sample) {
  Random& random = sample.random;
  std::vector<int> days;
  for (int i = 0; i < kInvoices; ++i) days.push_back(random.between(0, kLastDay));
  std::sort(days.begin(), days.end());
  const std::vector<int> weights = customerWeights(sample);
  Stock stock(sample);
  for (int i = 0; i < kInvoices; ++i) {
    const SampleCustomer& customer = sample.customers[random.weighted(weights)];
    data::InvoiceRecord h = header(sample, customer, kFirstInvoice + i, days[i]);
    const std::vector<data::ItemRecord> lines = items(sample, stock, customer, days[i]);
    computeCharges(session.settings, lines, h);
    const base::Cents total = invoiceTotal(lines, h);
    const std::vector<data::PaymentRecord> paid =
        payments(sample, customer, h, days[i], base::FromCents(total));
    base::Cents paidTotal = 0;
    for (const data::PaymentRecord& p : paid) paidTotal += base::ToCents(p.PAmt);
    h.Due = base::FromCents(total - paidTotal);
    if (const int status = writeInvoice(session, sample, h, lines, paid); status < 0) {
      return status;
    }
  }
  return 0;
}

}  // namespace vt::tool::demo
