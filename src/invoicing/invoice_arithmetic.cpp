#include "invoicing/invoice_arithmetic.h"

namespace vt::invoicing {

namespace {

base::CentRounding RoundingOf(int taxRound) {
  if (taxRound == kRoundNormal) return base::CentRounding::HalfAway;
  if (taxRound == kRoundUp) return base::CentRounding::UpFromBit;
  return base::CentRounding::Truncate;
}

// The lines' totals flagged for Tax 1 and for Tax 2, in cents.
struct TaxBases {
  base::Cents tax1 = 0;
  base::Cents tax2 = 0;
};

TaxBases BasesOf(const std::vector<TaxedLine>& lines) {
  TaxBases bases;
  for (const TaxedLine& line : lines) {
    const base::Cents total = base::ToCents(line.total);
    if (line.tax1) bases.tax1 += total;
    if (line.tax2) bases.tax2 += total;
  }
  return bases;
}

bool TaxOnShip(const data::Settings& settings, const TaxBases& bases) {
  return settings.ShipTax == kTaxOnTaxYes ||
         (settings.ShipTax == kTaxOnTaxWhenTaxed && bases.tax2 != 0);
}

double Percent(double rate, base::Cents amount, int taxRound) {
  return base::FromCents(base::PercentOf(rate, amount, RoundingOf(taxRound)));
}

double Tax2(const data::Settings& settings, const TaxBases& bases, double ship) {
  const base::Cents onShip = TaxOnShip(settings, bases) ? base::ToCents(ship) : 0;
  return Percent(settings.TaxRate2, bases.tax2 + onShip, settings.TaxRound);
}

}  // namespace

double LineTotal(double quantity, double unitPrice) {
  return base::FromCents(base::LineCents(quantity, unitPrice));
}

double RoundTax(double amount, int taxRound) {
  return base::FromCents(base::RoundToCents(amount, RoundingOf(taxRound)));
}

base::Cents InvoiceTotalCents(const std::vector<TaxedLine>& lines, const Charges& charges) {
  base::Cents total = base::ToCents(charges.Ship) + base::ToCents(charges.Tax);
  for (const TaxedLine& line : lines) total += base::ToCents(line.total);
  return total;
}

Charges ComputeCharges(const data::Settings& settings, const std::vector<TaxedLine>& lines,
                       const Charges& current) {
  const TaxBases bases = BasesOf(lines);
  Charges charges = current;
  if (settings.TaxRate1 != 0)
    charges.Ship = Percent(settings.TaxRate1, bases.tax1, settings.TaxRound);
  if (settings.TaxRate2 != 0) charges.Tax = Tax2(settings, bases, charges.Ship);
  return charges;
}

double TaxOnTypedShip(const data::Settings& settings, const std::vector<TaxedLine>& lines,
                      const Charges& current) {
  const TaxBases bases = BasesOf(lines);
  if (settings.TaxRate2 == 0 || !TaxOnShip(settings, bases)) return current.Tax;
  return Tax2(settings, bases, current.Ship);
}

}  // namespace vt::invoicing
