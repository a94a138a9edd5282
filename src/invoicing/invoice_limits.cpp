// The amounts of an invoice checked against the widest its fields hold,
// before anything of it is stored.
#include <string>

#include "base/convert.h"
#include "invoicing/invoice_model.h"

namespace vt::invoicing {

using data::ItemCol;
using data::PmtCol;

namespace {

bool tooLarge(base::Cents cents) {
  return !InvoiceHolds(cents);
}

bool tooLarge(double amount) {
  return tooLarge(base::ToCents(amount));
}

}  // namespace

std::string AmountTooLargeMessage(const std::string& name) {
  return "The " + name + " is too large: an invoice holds amounts up to 999,999,999.99.";
}

std::optional<std::string> InvoiceModel::amountTooLarge() const {
  for (int i = 0; i <= session_.ItemCount; ++i) {
    if (tooLarge(lineTotal(session_.ItemLines[static_cast<size_t>(i)]))) {
      return "total of line " + std::to_string(i + 1);
    }
  }
  for (int i = 0; i <= session_.PmtCount; ++i) {
    if (tooLarge(texts_.number(session_.PmtLines[static_cast<size_t>(i)][PmtCol::PAmt]))) {
      return "payment " + std::to_string(i + 1);
    }
  }
  const data::InvoiceRecord& invoice = session_.Invoice;
  if (tooLarge(invoice.Ship)) return "Shipping";
  if (tooLarge(invoice.Tax)) return "Sales Tax";
  const base::Cents subtotal = subtotalCents(), total = totalCents(subtotal), paid = paidCents();
  if (tooLarge(subtotal)) return "Subtotal";
  if (tooLarge(total)) return "Total";
  if (tooLarge(paid)) return "Payments";
  if (tooLarge(total - paid) || tooLarge(invoice.Due)) return "Amount Due";
  return std::nullopt;
}

}  // namespace vt::invoicing
