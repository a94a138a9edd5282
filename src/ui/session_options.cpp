#include "ui/session_options.h"

#include <QDate>

#include "base/convert.h"
#include "ui/locale_format.h"

namespace vt::ui {

namespace {

// The one short-date form of the windows, which ParseShortDate reads back:
// on printed pages and previews as in the invoice views.
std::string shortDateText(const base::DateTime& value) {
  return FormatShortDate(QDate(value.year, value.month, value.day)).toStdString();
}

// The data layer's number text with the system's decimal separator.
std::string amountText(double value, int width, int decimals) {
  QString text = QString::fromStdString(base::FloatText(value, width, decimals));
  return text.replace(QLatin1Char('.'), decimalSeparator()).toStdString();
}

}  // namespace

data::SessionOptions LocaleSessionOptions() {
  data::SessionOptions options;
  options.shortDate = shortDateText;
  options.viewDate = shortDateText;
  options.amountText = amountText;
  return options;
}

}  // namespace vt::ui
