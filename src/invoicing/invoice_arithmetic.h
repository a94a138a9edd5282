// The arithmetic of an invoice, shared by the invoice editor, the printed
// invoices, the reports and the command-line tool's sample invoices: line
// totals to the cent, and the two computed charges, Tax 1 (stored in Ship,
// labelled by the settings' ShipLine) and Tax 2 (stored in Tax, labelled by
// TaxLine), each a percentage of the lines flagged for it, with Tax 2
// charged on Tax 1 or not and the charges rounded by the chosen rule. All of
// it on the exact decimal values (base/money.h), never on binary fractions.
#pragma once

#include <vector>

#include "base/money.h"
#include "data/settings_record.h"

namespace vt::invoicing {

// The settings' ShipTax: whether Tax 2 is charged on Tax 1.
constexpr int kTaxOnTaxNo = 1;
constexpr int kTaxOnTaxYes = 2;
constexpr int kTaxOnTaxWhenTaxed = 3;  // only when some item bears Tax 2

// The settings' TaxRound: how a computed charge is rounded to cents. Any
// other value rounds down.
constexpr int kRoundNormal = 1;
constexpr int kRoundUp = 2;
constexpr int kRoundDown = 3;

// The largest amount an invoice keeps: its amount fields are N(12,2).
constexpr base::Cents kMaxInvoiceCents = 99'999'999'999;  // 999,999,999.99

// Whether an amount of so many cents fits the invoice's amount fields.
inline bool InvoiceHolds(base::Cents cents) {
  return cents <= kMaxInvoiceCents && cents >= -kMaxInvoiceCents;
}

// Quantity times unit price, to the cent, halves away from zero.
double LineTotal(double quantity, double unitPrice);

// A computed charge to cents, by `taxRound`, on the amount's magnitude:
// Normal to the nearest cent with halves away from zero, Up away from zero
// when at least 0.0001 past a whole cent (an amount less than that above a
// whole cent stays at that cent), Down toward zero.
double RoundTax(double amount, int taxRound);

// One line of an invoice as the charges see it.
struct TaxedLine {
  double total = 0;  // LineTotal of the line
  bool tax1 = false;
  bool tax2 = false;
};

struct Charges {
  double Ship = 0;  // Tax 1
  double Tax = 0;   // Tax 2
};

// The lines' totals plus Ship and Tax, to the cent.
base::Cents InvoiceTotalCents(const std::vector<TaxedLine>& lines, const Charges& charges);

// Tax 1 and Tax 2 of `lines` by the rates, the tax-on-tax choice and the
// rounding rule of `settings`. A charge whose rate is 0 is not computed: it
// keeps its amount in `current` (typed by hand, or as stored). With no line,
// the computed charges are 0.00.
Charges ComputeCharges(const data::Settings& settings, const std::vector<TaxedLine>& lines,
                       const Charges& current);

// Tax 2 again after Ship (Tax 1) was typed by hand: when Tax 2 is computed
// and charged on Tax 1 for these lines, from their items and the typed Ship;
// otherwise `current.Tax` as it is.
double TaxOnTypedShip(const data::Settings& settings, const std::vector<TaxedLine>& lines,
                      const Charges& current);

}  // namespace vt::invoicing
