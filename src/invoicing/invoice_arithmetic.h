// The arithmetic of an invoice, shared by the invoice editor, the printed
// invoices and the command-line tool's sample invoices: line totals rounded
// to cents, and the two computed charges, Tax 1 (stored in Ship, labelled by
// the settings' ShipLine) and Tax 2 (stored in Tax, labelled by TaxLine),
// each a percentage of the lines flagged for it, with Tax 2 charged on Tax 1
// or not and the charges rounded by the chosen rule.
#pragma once

#include <optional>
#include <vector>

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

// Quantity times unit price, rounded to cents (halves away from zero).
double LineTotal(double quantity, double unitPrice);

// A computed charge to cents, by `taxRound`, in extended precision with the
// fraction dropped toward zero: Normal adds half a cent first, Up adds
// 0.0099 (an amount less than 0.0001 above a whole cent stays at that cent),
// Down adds nothing. Negative amounts are not mirrored.
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

// Tax 1 and Tax 2 of `lines` by the rates, the tax-on-tax choice and the
// rounding rule of `settings`. Nothing when both rates are 0 or there is no
// line: the invoice's charges then stay as they are (typed by hand, or as
// last computed).
std::optional<Charges> ComputeCharges(const data::Settings& settings,
                                      const std::vector<TaxedLine>& lines);

}  // namespace vt::invoicing
