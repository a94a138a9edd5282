#include "invoicing/invoice_arithmetic.h"

#include <cmath>

#include "base/convert.h"

namespace vt::invoicing {

double LineTotal(double quantity, double unitPrice) {
  return base::RoundCents(quantity * unitPrice);
}

double RoundTax(double amount, int taxRound) {
  // long double is the x87 extended format here, as the rounding rules ask.
  const long double x = amount;
  const long double added = taxRound == kRoundNormal ? 0.005L
                            : taxRound == kRoundUp   ? 0.0099L
                                                     : 0.0L;
  const double result = static_cast<double>(std::trunc((x + added) * 100.0L) * 0.01L);
  return result == 0.0 ? 0.0 : result;
}

std::optional<Charges> ComputeCharges(const data::Settings& settings,
                                      const std::vector<TaxedLine>& lines) {
  if ((settings.TaxRate1 == 0 && settings.TaxRate2 == 0) || lines.empty()) return std::nullopt;
  double base1 = 0, base2 = 0;
  for (const TaxedLine& line : lines) {
    if (line.tax1) base1 += line.total;
    if (line.tax2) base2 += line.total;
  }
  Charges charges;
  charges.Ship =
      RoundTax(static_cast<double>(settings.TaxRate1 * 0.01L * base1), settings.TaxRound);
  if (settings.ShipTax == kTaxOnTaxYes || (settings.ShipTax == kTaxOnTaxWhenTaxed && base2 != 0)) {
    base2 += charges.Ship;
  }
  charges.Tax = RoundTax(static_cast<double>(settings.TaxRate2 * 0.01L * base2), settings.TaxRound);
  return charges;
}

}  // namespace vt::invoicing
