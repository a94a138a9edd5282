// The foot of an account statement: what the customer owes on the
// statement's date split by the age of the invoices, figured as Receivables
// Aging figures it.
#include "reports/customer_documents.h"

namespace vt::reports {

int CustomerDocuments::agingOfToday() {
  if (aging_) return 0;
  AgingByCustomer aging;
  if (const int status = CollectAging(session_, session_.now().date(), aging); status < 0)
    return status;
  aging_ = std::move(aging);
  return 0;
}

void CustomerDocuments::agingRows(int cuno) {
  std::array<base::Cents, kAgingBrackets> brackets{};
  if (const auto found = aging_->find(cuno); found != aging_->end()) {
    brackets = found->second.brackets;
  }
  doc_.CheckPage(doc_.PageLine + 4, false);
  doc_.NewLine();
  row({{1, "L01Amount due by age on " + today() + ":"}});
  row({{3, doc_.coded(3, "0-30 Days")},
       {5, doc_.coded(5, "31-60 Days")},
       {7, doc_.coded(7, "61-90 Days")},
       {9, doc_.coded(9, "Over 90 Days")}});
  row({{3, doc_.coded(3, amount(base::FromCents(brackets[0]), 11))},
       {5, doc_.coded(5, amount(base::FromCents(brackets[1]), 11))},
       {7, doc_.coded(7, amount(base::FromCents(brackets[2]), 11))},
       {9, doc_.coded(9, amount(base::FromCents(brackets[3]), 11))}});
}

}  // namespace vt::reports
