#include "invoicing/locale_view_texts.h"

#include <QDate>
#include <QString>

#include "base/convert.h"
#include "ui/locale_format.h"

namespace vt::invoicing {

double LocaleViewTexts::number(const std::string& text) const {
  return vt::ui::ParseAmount(QString::fromStdString(text));
}

base::DateTime LocaleViewTexts::date(const std::string& text) const {
  const QDate date = vt::ui::ParseShortDate(QString::fromStdString(text));
  if (!date.isValid()) throw ConversionError("'" + text + "' is not a valid date");
  return base::MakeDate(date.year(), date.month(), date.day());
}

std::string LocaleViewTexts::amount(double value) const {
  // The data layer's rounding (half a cent away from zero), shown with the
  // system's separator.
  QString text = QString::fromStdString(base::FloatText(value, 10, 2));
  return text.replace(QLatin1Char('.'), vt::ui::decimalSeparator()).toStdString();
}

}  // namespace vt::invoicing
