// Invoice numbers: the next one after the highest stored, the first one
// chosen by the user, and a new invoice in the buffer.
#include <charconv>

#include "base/text1252.h"
#include "invoicing/invoice_messages.h"
#include "invoicing/invoice_model.h"

namespace vt::invoicing {

namespace {

constexpr const char* kFirstCaption = "FIRST INVOICE";
constexpr const char* kFirstPrompt = "What invoice number would you like to start with?";
constexpr const char* kFirstRefused =
    "The first invoice number must be a whole number from 1 to 999998.";
// The first number leaves at least one more for the next invoice.
constexpr int kMaxFirstNumber = kMaxInvoiceNumber - 1;

// An answer that is a whole number fitting the invoice number field with
// room left for the invoice after it.
std::optional<int> invoiceNumber(const std::string& answer) {
  const std::string digits = base::trim(answer);
  long value = 0;
  const char* end = digits.data() + digits.size();
  const auto [ptr, error] = std::from_chars(digits.data(), end, value);
  if (digits.empty() || error != std::errc() || ptr != end) return std::nullopt;
  if (value < 1 || value > kMaxFirstNumber) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

int InvoiceModel::NextInvoiceNumber() {
  engine::Table* invoices = session_.invoices();
  if (!invoices) return engine::kErrOpen;
  engine::Engine& engine = session_.engine();
  engine.errorCode();
  engine::Tag* byNumber = invoices->tag("Inv");
  if (!byNumber) return engine::kErrTag;
  invoices->selectTag(byNumber);
  // Records marked deleted (a save taken back, an invoice deleted but not
  // yet packed away) hold no number.
  session_.EngineResult = invoices->bottom();
  while (session_.EngineResult == engine::Result::Success && invoices->deleted()) {
    session_.EngineResult = invoices->skip(-1);
  }
  if (const int status = engine.errorCode(); status < 0) return status;
  if (session_.EngineResult != engine::Result::Success) return 1;
  return static_cast<int>(invoices->field("IvNo")->asLong()) + 1;
}

int InvoiceModel::ClearInvoice() {
  const int next = NextInvoiceNumber();
  data::InvoiceRecord& invoice = session_.Invoice;
  invoice = data::InvoiceRecord{};
  invoice.IvNo = next > 0 ? next : 0;
  invoice.IDate = session_.now().date();
  session_.CurInvoice = 0;
  emptyViews();
  return next < 0 ? next : 0;
}

int InvoiceModel::askFirstNumber() {
  for (;;) {
    const std::optional<std::string> answer = dialogs_.inputBox(kFirstCaption, kFirstPrompt, "1");
    if (!answer) return 1;
    if (const std::optional<int> number = invoiceNumber(*answer)) return *number;
    dialogs_.information(kFirstCaption, kFirstRefused);
  }
}

std::optional<int> InvoiceModel::newInvoiceNumber() {
  const int next = NextInvoiceNumber();
  if (next < 0) {
    fail(messages::kHeaderFailed);
    return std::nullopt;
  }
  if (next > kMaxInvoiceNumber) {
    fail(messages::kNumbersUsedUp);
    return std::nullopt;
  }
  return next == 1 ? askFirstNumber() : next;
}

}  // namespace vt::invoicing
