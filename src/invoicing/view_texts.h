// How the invoice model reads the texts of the invoice views (quantities,
// unit prices and payment amounts in ItemLines and PmtLines, payment dates)
// and writes the amounts the editor shows ("%10.2f"). The windows read and
// write them in the system's locale; PlainViewTexts reads and writes them as
// the data layer does without a locale ("." and yyyy-mm-dd).
#pragma once

#include <stdexcept>
#include <string>

#include "base/convert.h"

namespace vt::invoicing {

// The standard conversion error of a text that is not a number or a date.
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ViewTexts {
 public:
  virtual ~ViewTexts() = default;
  // The number a quantity or amount text holds; throws (a std::runtime_error,
  // the standard conversion error) when it is none.
  virtual double number(const std::string& text) const = 0;
  // The date a payment's date text holds; throws when it is none.
  virtual base::DateTime date(const std::string& text) const = 0;
  // An amount as the editor shows it: the C format "%10.2f".
  virtual std::string amount(double value) const = 0;
};

// "." as the decimal point, dates as yyyy-mm-dd (IsoDate), blanks around a
// number or date allowed.
class PlainViewTexts final : public ViewTexts {
 public:
  double number(const std::string& text) const override;
  base::DateTime date(const std::string& text) const override;
  std::string amount(double value) const override;
};

// One shared PlainViewTexts (it holds no state).
const ViewTexts& plainViewTexts();

}  // namespace vt::invoicing
