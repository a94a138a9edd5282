// The views of the current invoice (its items, payments, customer and
// address) and the customer's group.
#include "base/convert.h"
#include "base/text1252.h"
#include "data/data_session.h"
#include "data/view_rows.h"

namespace vt::data {

namespace {

// Selects `tagName` and seeks `key`; Success only on an exact match.
engine::Result seekIn(engine::Table& table, const char* tagName, const std::string& key) {
  engine::Tag* tag = table.tag(tagName);
  if (!tag) {
    table.engine().setError(engine::kErrTag);
    return engine::Result::Eof;
  }
  table.selectTag(tag);
  return table.seek(key);
}

std::string tf(bool value) {
  return value ? "t" : "f";
}

}  // namespace

int DataSession::FindCustomerGroup() {
  engine::Table* groups = this->groups();
  if (!groups) return engine::kErrOpen;
  engine_.errorCode();
  EngineResult = seekIn(*groups, "nGroup", base::PadNumber(Customer.ngroup, 2));
  if (EngineResult == engine::Result::Success) return LoadGroup();
  Group = GroupRecord{};
  return engine_.errorCode();
}

std::string DataSession::shortDateText(const base::DateTime& date) const {
  return options_.shortDate ? options_.shortDate(date) : base::IsoDate(date);
}

std::string DataSession::viewDateText(const base::DateTime& date) const {
  return options_.viewDate ? options_.viewDate(date) : base::IsoDate(date);
}

std::string DataSession::viewAmount(double value, int width, int decimals) const {
  return options_.amountText ? options_.amountText(value, width, decimals)
                             : base::FloatText(value, width, decimals);
}

int DataSession::appendItemRow() {
  ItemRow& row = AppendViewRow(ItemLines, ItemCount);
  row[ItemCol::PrID] = Item.PrID;
  row[ItemCol::Qty] = viewAmount(Item.Qty, 9, 2);
  row[ItemCol::UPR] = viewAmount(Item.UPR, 8, 2);
  row[ItemCol::LTax1] = tf(Item.LTax1);
  row[ItemCol::LTax2] = tf(Item.LTax2);
  row[ItemCol::PDesc] = Item.PDesc;
  row[ItemCol::IComm] = base::trim(Item.IComm);
  // The product is sought by the ID as stored, not upper-cased.
  engine::Table& prod = *products();
  EngineResult = seekIn(prod, "Prod", base::fromUtf8(Item.PrID));
  if (EngineResult == engine::Result::Success) {
    row[ItemCol::RCode] = base::trim(ReadText(*prod.field("RCode")));
    row[ItemCol::PMemo] = base::trim(ReadMemo(*prod.field("PMemo")));
  }
  return engine_.errorCode();
}

int DataSession::appendPaymentRow() {
  PmtRow& row = AppendViewRow(PmtLines, PmtCount);
  row[PmtCol::PDate] = viewDateText(Payment.PDate);
  row[PmtCol::PAmt] = viewAmount(Payment.PAmt, 10, 2);
  return 0;
}

int DataSession::forEachInvoiceLine(engine::Table& lines, const char* tagName,
                                    int (DataSession::*load)(), const int& lineIvNo,
                                    int (DataSession::*append)()) {
  engine_.errorCode();
  // The key is the invoice number field's own text: six characters,
  // right-aligned.
  EngineResult = seekIn(lines, tagName, invoices()->field("IvNo")->str());
  if (EngineResult != engine::Result::Success) return engine_.errorCode();
  for (;;) {
    int status = (this->*load)();
    if (status < 0) return status;
    if (lineIvNo != Invoice.IvNo) return 0;
    // A line removed while its table could not be packed stays removed.
    if (!lines.deleted() && (status = (this->*append)()) < 0) return status;
    EngineResult = lines.skip(1);
    if (EngineResult == engine::Result::Eof) return engine_.errorCode();
  }
}

int DataSession::LoadInvoiceItems() {
  ItemLines.assign(1, ItemRow{});
  ItemCount = -1;
  engine::Table* items = this->items();
  if (!items || !invoices() || !products()) return engine::kErrOpen;
  return forEachInvoiceLine(*items, "Itm", &DataSession::LoadItem, Item.IvNo,
                            &DataSession::appendItemRow);
}

int DataSession::LoadInvoicePayments() {
  PmtLines.assign(1, PmtRow{});
  PmtCount = -1;
  engine::Table* payments = this->payments();
  if (!payments || !invoices()) return engine::kErrOpen;
  return forEachInvoiceLine(*payments, "Pmt", &DataSession::LoadPayment, Payment.IvNo,
                            &DataSession::appendPaymentRow);
}

int DataSession::LoadFullInvoice() {
  AddressLines.assign(1, std::string());
  engine::Table* invoices = this->invoices();
  engine::Table* customers = this->customers();
  if (!invoices || !customers) return engine::kErrOpen;
  engine_.errorCode();
  if (CurInvoice < 1 ||
      (EngineResult = invoices->go(static_cast<uint32_t>(CurInvoice))) != engine::Result::Success) {
    const int status = engine_.errorCode();
    return status < 0 ? status : engine::kErrRecord;
  }
  int status = LoadInvoice();
  if (status == 0) status = LoadInvoiceItems();
  if (status == 0) status = LoadInvoicePayments();
  if (status < 0) return status;
  engine::Tag* byNumber = customers->tag("CCNO");
  if (!byNumber) return engine::kErrTag;
  customers->selectTag(byNumber);
  customers->top();
  EngineResult = customers->seek(base::PadNumber(Invoice.CuNo, 6));
  if (EngineResult != engine::Result::Success) return engine_.errorCode();
  if ((status = LoadCustomer()) < 0) return status;
  CurCustomer = static_cast<long>(customers->recNo());
  CustomerAddress();
  return 0;
}

}  // namespace vt::data
