// The invoice views' texts as the windows show them: numbers with the
// system's decimal separator, payment dates in the short date format.
#pragma once

#include "invoicing/view_texts.h"

namespace vt::invoicing {

class LocaleViewTexts final : public ViewTexts {
 public:
  double number(const std::string& text) const override;
  base::DateTime date(const std::string& text) const override;
  std::string amount(double value) const override;
};

}  // namespace vt::invoicing
