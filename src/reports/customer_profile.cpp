// The customer profile: each customer's address block, closed by a line
// with the customer's number and group, beside every line item of the
// customer's invoices.
#include "reports/customer_profile.h"

#include <algorithm>

#include "base/text1252.h"
#include "data/live_records.h"
#include "reports/invoice_items.h"

namespace vt::reports {

using engine::Result;

namespace {

constexpr int kWidth = 72;
constexpr int kCols = 12;
// Cells of a block row.
enum Cell : int { kCustomer = 1, kDate = 3, kProduct = 5, kQty = 7, kPrice = 9 };

// One item bought: date, product, quantity and unit price as printed.
using Purchase = std::vector<std::string>;

// The address lines of the customer in the buffer (built already), blank
// fourth and fifth lines dropped, closed by the number and group line.
std::vector<std::string> BlockAddress(const data::DataSession& session) {
  std::vector<std::string> lines = session.AddressLines;
  if (lines.size() > 4 && base::trim(lines[3] + lines[4]).empty()) lines.resize(4);
  if (lines.empty() || !base::trim(lines.back()).empty()) lines.emplace_back();
  lines.back() = "Cust#: " + std::to_string(session.Customer.cuno) +
                 "  Group: " + base::trim(session.Group.cGroup);
  return lines;
}

// Every item of customer `cuno`'s invoices, in the order of the invoices'
// customer tag. 0 or a negative status.
int Purchases(data::DataSession& session, int cuno, std::vector<Purchase>& bought) {
  engine::Engine& engine = session.engine();
  engine.errorCode();
  engine::Table* invoices = session.invoices();
  if (!invoices) return engine::kErrOpen;
  if (const int status = SelectTag(*invoices, "InvC"); status < 0) return status;
  for (Result at = data::LiveSeek(*invoices, base::PadNumber(cuno, 6)); at == Result::Success;
       at = data::LiveNext(*invoices)) {
    if (const int status = session.LoadInvoice(); status < 0) return status;
    const data::InvoiceRecord invoice = session.Invoice;
    if (invoice.CuNo != cuno) break;
    const int status = ForEachInvoiceItem(session, invoice.IvNo, [&](const data::ItemRecord& item) {
      bought.push_back({DateText(session, invoice.IDate), base::trimRight(item.PrID),
                        AmountText(session, item.Qty, 8), AmountText(session, item.UPR, 8)});
      return 0;
    });
    if (status < 0) return status;
  }
  return engine.errorCode();
}

// Row `i` of a block: the rules, the address line and the item bought when
// there is one.
void BlockRow(ReportDoc& doc, const std::vector<std::string>& address,
              const std::vector<Purchase>& bought, size_t i) {
  doc.CheckPage(doc.PageLine + 1, true);
  doc.NewLine();
  // The rules "V00" to "V72" stand in every other column.
  for (int c = 0; c < kCols - 1; c += 2) doc.cell(c) = doc.ColumnCodes[static_cast<size_t>(c)];
  if (i < address.size()) doc.cell(kCustomer) = doc.coded(kCustomer, base::trimRight(address[i]));
  if (i < bought.size()) {
    const Purchase& item = bought[i];
    const int cells[] = {kDate, kProduct, kQty, kPrice};
    for (size_t n = 0; n < item.size(); ++n) doc.cell(cells[n]) = doc.coded(cells[n], item[n]);
  }
}

}  // namespace

CustomerProfile::CustomerProfile(ReportContext& context) : context_(context) {}

int CustomerProfile::Start() {
  data::DataSession& session = context_.session;
  for (auto open : {&data::DataSession::OpenCustomers, &data::DataSession::OpenGroups,
                    &data::DataSession::OpenInvoices, &data::DataSession::OpenItems,
                    &data::DataSession::OpenPayments, &data::DataSession::OpenProducts}) {
    if (!(session.*open)()) {
      session.CloseAll();
      return engine::kErrOpen;
    }
  }
  StartReport(context_, kWidth, kCols, {"Customer Profile"});
  context_.doc.SetBoxedHeadings(
      {"V00", "L01", "V35", "R43", "V45", "L46", "V57", "R61", "V63", "R71", "V72"},
      {"", "Customer", "", "Date", "", "Product", "", "Qty", "", "U-Price", ""});
  return 0;
}

int CustomerProfile::AddBlock() {
  data::DataSession& session = context_.session;
  engine::Table* customers = session.customers();
  if (!customers) return engine::kErrOpen;
  if (const int status = session.LoadCustomer(); status < 0) return status;
  session.CurCustomer = customers->recNo();
  session.CustomerAddress();
  if (const int status = session.FindCustomerGroup(); status < 0) return status;
  const std::vector<std::string> address = BlockAddress(session);
  std::vector<Purchase> bought;
  if (const int status = Purchases(session, session.Customer.cuno, bought); status < 0)
    return status;
  ReportDoc& doc = context_.doc;
  doc.CheckPage(doc.PageLine + 4, true);
  const size_t rows = std::max(address.size(), bought.size());
  for (size_t i = 0; i < rows; ++i) BlockRow(doc, address, bought, i);
  for (const Purchase& item : bought) dateWidth_ = std::max(dateWidth_, PrintedWidth(item[0]));
  doc.style() = "U";
  return 0;
}

int CustomerProfile::AddGroups(const std::vector<int>& groups) {
  data::DataSession& session = context_.session;
  engine::Engine& engine = session.engine();
  engine.errorCode();
  engine::Table* customers = session.customers();
  if (!customers) return engine::kErrOpen;
  // Held, the tables are read without a lock at every step (see RunReport).
  session.HoldReads();
  int status = 0;
  for (Result at = data::LiveTop(*customers); status == 0 && at == Result::Success;
       at = data::LiveNext(*customers)) {
    session.PaceReads();
    status = session.LoadCustomer();
    if (status < 0) break;
    if (std::find(groups.begin(), groups.end(), session.Customer.ngroup) == groups.end()) continue;
    status = AddBlock();
  }
  session.ReleaseReads();
  return status < 0 ? status : engine.errorCode();
}

int CustomerProfile::AddCustomers(const std::vector<int>& numbers, int& unknown) {
  data::DataSession& session = context_.session;
  engine::Engine& engine = session.engine();
  engine.errorCode();
  engine::Table* customers = session.customers();
  if (!customers) return engine::kErrOpen;
  engine::Tag* byName = customers->selectedTag();
  // Every number is found before any block is added.
  std::vector<uint32_t> records;
  int status = SelectTag(*customers, "CCNO");
  for (size_t n = 0; status == 0 && n < numbers.size(); ++n) {
    if (customers->seek(base::PadNumber(numbers[n], 6)) == Result::Success) {
      records.push_back(customers->recNo());
    } else {
      status = engine.errorCode();
      if (status == 0) {
        unknown = numbers[n];
        status = kCustomerUnknown;
      }
    }
  }
  customers->selectTag(byName);
  if (status != 0) return status;
  for (const uint32_t recno : records) {
    if (customers->go(recno) != Result::Success) {
      status = engine.errorCode();
      return status < 0 ? status : engine::kErrRecord;
    }
    if (status = AddBlock(); status < 0) return status;
  }
  return 0;
}

void CustomerProfile::Finish() {
  // The date column takes the widest date printed, however long the
  // locale's short date is.
  context_.doc.WidenColumn(kDate, dateWidth_);
  context_.session.CloseAll();
}

}  // namespace vt::reports
