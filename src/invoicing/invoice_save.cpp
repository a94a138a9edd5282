// Storing the invoice being edited: its header, its items and payments
// rewritten in place, and its customer's note.
#include <vector>

#include "base/text1252.h"
#include "data/field_values.h"
#include "data/invoice_journal.h"
#include "invoicing/invoice_lines.h"
#include "invoicing/invoice_messages.h"
#include "invoicing/invoice_model.h"

namespace vt::invoicing {

using data::ItemCol;
using data::PmtCol;

namespace {

// The item records of the rows, without their invoice number.
std::vector<data::ItemRecord> itemRecords(const data::DataSession& s, const ViewTexts& texts) {
  std::vector<data::ItemRecord> items;
  for (int i = 0; i <= s.ItemCount; ++i) {
    const data::ItemRow& row = s.ItemLines[static_cast<size_t>(i)];
    data::ItemRecord item;
    item.PrID = row[ItemCol::PrID];
    item.Qty = texts.number(row[ItemCol::Qty]);
    item.UPR = texts.number(row[ItemCol::UPR]);
    item.LTax1 = row[ItemCol::LTax1] == "t";
    item.LTax2 = row[ItemCol::LTax2] == "t";
    item.PDesc = row[ItemCol::PDesc];
    item.IComm = row[ItemCol::IComm];
    items.push_back(item);
  }
  return items;
}

// The payment records of the rows, without their invoice number.
std::vector<data::PaymentRecord> paymentRecords(const data::DataSession& s, const ViewTexts& texts,
                                                int currentYear) {
  std::vector<data::PaymentRecord> payments;
  for (int i = 0; i <= s.PmtCount; ++i) {
    const data::PmtRow& row = s.PmtLines[static_cast<size_t>(i)];
    data::PaymentRecord payment;
    payment.PDate = base::FixCentury(texts.date(row[PmtCol::PDate]), currentYear);
    payment.PAmt = texts.number(row[PmtCol::PAmt]);
    payments.push_back(payment);
  }
  return payments;
}

}  // namespace

bool InvoiceModel::fail(const char* message) {
  dialogs_.information("", message);
  return false;
}

bool InvoiceModel::tablesOpen() {
  return session_.invoices() && session_.items() && session_.payments() && session_.customers();
}

void InvoiceModel::emptyViews() {
  session_.ItemLines.assign(1, data::ItemRow{});
  session_.ItemCount = -1;
  session_.PmtLines.assign(1, data::PmtRow{});
  session_.PmtCount = -1;
  session_.AddressLines.assign(1, std::string());
}

void InvoiceModel::pack(engine::Table& table) {
  if (table.pack() < 0) session_.NeedsPack = true;
  session_.engine().errorCode();
}

bool InvoiceModel::storeHeader() {
  engine::Table& invoices = *session_.invoices();
  if (session_.CurInvoice <= 0) {
    if (invoices.appendBlank() < 0) return false;
    session_.CurInvoice = static_cast<long>(invoices.recNo());
  } else if (invoices.go(static_cast<uint32_t>(session_.CurInvoice)) != engine::Result::Success) {
    return false;
  }
  return session_.StoreInvoice() == 0;
}

int InvoiceModel::storeCustomerNote() {
  engine::Table& customers = *session_.customers();
  engine::Engine& engine = session_.engine();
  engine.errorCode();
  engine::Tag* byNumber = customers.tag("CCNO");
  if (!byNumber) return engine::kErrTag;
  customers.selectTag(byNumber);
  int status = 0;
  if (customers.seek(base::PadNumber(session_.Invoice.CuNo, 6)) == engine::Result::Success) {
    data::WriteText(*customers.field("note"), base::trim(session_.Customer.note));
    status = customers.flush();
  }
  customers.selectTag(customers.tag("cname"));
  const int pending = engine.errorCode();
  return pending < 0 ? pending : status;
}

// Every record of the save, in order; the box of the first that fails, or
// nothing. Packs wait until the save is whole (record numbers stay put).
const char* InvoiceModel::writeInvoice(const std::vector<data::ItemRecord>& items,
                                       const std::vector<data::PaymentRecord>& payments,
                                       int& deletedItems, int& deletedPayments) {
  if (!storeHeader()) return messages::kHeaderFailed;
  const int ivNo = session_.Invoice.IvNo;
  const LinesRewritten itemsDone =
      RewriteInvoiceLines(*session_.items(), "Itm", ivNo, items.size(), [&](size_t i) {
        session_.Item = items[i];
        session_.Item.IvNo = ivNo;
        return session_.StoreItem();
      });
  deletedItems = itemsDone.deleted;
  if (itemsDone.status < 0) return messages::kItemsFailed;
  const LinesRewritten paymentsDone =
      RewriteInvoiceLines(*session_.payments(), "Pmt", ivNo, payments.size(), [&](size_t i) {
        session_.Payment = payments[i];
        session_.Payment.IvNo = ivNo;
        return session_.StorePayment();
      });
  deletedPayments = paymentsDone.deleted;
  if (paymentsDone.status < 0) return messages::kPaymentsFailed;
  if (storeCustomerNote() < 0) return messages::kNoteFailed;
  return nullptr;
}

bool InvoiceModel::SaveInvoice() {
  const std::vector<data::ItemRecord> items = itemRecords(session_, texts_);
  const std::vector<data::PaymentRecord> payments =
      paymentRecords(session_, texts_, session_.now().year);
  if (const std::optional<std::string> name = amountTooLarge()) {
    return fail(AmountTooLargeMessage(*name).c_str());
  }
  if (!tablesOpen() || data::RecoverInvoiceWork(session_) < 0) {
    return fail(messages::kHeaderFailed);
  }
  const long recordBefore = session_.CurInvoice;
  const int numberBefore = session_.Invoice.IvNo;
  if (recordBefore <= 0) {
    const std::optional<int> number = newInvoiceNumber();
    if (!number) return false;
    session_.Invoice.IvNo = *number;
  }
  data::InvoiceJournal journal(session_, session_.Invoice.IvNo);
  const char* failure = messages::kHeaderFailed;
  int deletedItems = 0, deletedPayments = 0;
  if (journal.Begin(recordBefore, session_.Invoice.CuNo) == 0) {
    failure = writeInvoice(items, payments, deletedItems, deletedPayments);
    if (!failure && journal.Finish() < 0) failure = messages::kNoteFailed;
    if (failure) journal.RollBack();
  }
  session_.engine().errorCode();
  if (failure) {
    // Nothing of the save stands: the invoice is what it was before it.
    session_.CurInvoice = recordBefore;
    session_.Invoice.IvNo = numberBefore;
    return fail(failure);
  }
  if (deletedItems > 0) pack(*session_.items());
  if (deletedPayments > 0) pack(*session_.payments());
  emptyViews();
  return true;
}

}  // namespace vt::invoicing
