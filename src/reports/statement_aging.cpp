// The foot of an account statement: the Amount Due of its rows split by the
// age of their invoices on the statement's date, as Receivables Aging
// brackets them, so the four figures add up to the Amount Due above them.
#include "reports/customer_documents.h"

namespace vt::reports {

void CustomerDocuments::agingRows() {
  const base::DateTime day = session_.now().date();
  std::array<base::Cents, kAgingBrackets> brackets{};
  for (const StatementRow& line : statementRows_) {
    const auto bracket = static_cast<size_t>(AgingBracket(DaysBetween(line.date, day)));
    brackets[bracket] += line.amounts[2].cents();
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
