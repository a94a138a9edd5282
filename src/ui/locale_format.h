// The conversions whose result depends on the system's locale: the short date
// format and decimal separator, amounts reformatted as they are typed, dates
// checked when a date field is left, and the edit masks built from them.
#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <stdexcept>

#include "base/dialogs.h"

namespace vt::ui {

// The system's short date format, QLocale().dateFormat(QLocale::ShortFormat).
QString shortDateFormat();
// The one short-date form the program shows and reads, in date fields,
// pickers, previews and printed pages alike: the system's order of day,
// month and year and its separator, the day and month in two digits and a
// two-digit year ("M/d/yy" becomes "MM/dd/yy", "dd.MM.yy" stays as it is,
// "d MMM yyyy" becomes "dd/MM/yy"), so a date field's mask shows no blank.
QString dateEntryFormat();
// The separator between day, month and year in dateEntryFormat().
QChar dateSeparator();
// The system's decimal separator.
QChar decimalSeparator();

// The standard conversion error of a text that is not a number.
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(const QString& text);
};

// A number as typed: an optional sign, digits with at most one system
// decimal separator (at least one digit), an optional exponent. Blanks
// around it are allowed, blanks inside it are not.
double ParseAmount(const QString& text);  // throws ConversionError

// An amount in a C-style format ("%8.2f": width and decimals) with "." as
// the decimal point, rounded on its decimal value with halves away from
// zero (FloatText), then shown with the system's separator.
QString FormatAmount(double value, const char* format);

// Blanks removed, the rest read as a number and formatted with `format`; a
// leading "-" typed before any non-zero digit is kept, with the result
// padded on the left to the length of `text`. Throws ConversionError.
QString ReformatAmount(const QString& text, const char* format);

// A date in the short date format, blanks removed first; a two-digit year is
// read in the current century. An invalid QDate when it is none.
QDate ParseShortDate(const QString& text);
// A date in dateEntryFormat() ("12/07/26"); empty for an invalid date.
QString FormatShortDate(const QDate& date);

// Reads *text as a short date. A valid date is written back into *text in
// the short date format and the result is true; otherwise the warning
// "Invalid Date Entered" is shown with an OK button and the result is false.
bool CheckDate(QString* text, vt::base::Dialogs& dialogs);

// "!" + "#" per integer digit + the system's decimal separator + "99;1;_".
QString amountMask(int integerDigits);

// Two-digit month, day and year.
constexpr const char* kDateMask = "!99/99/00;1;_";

}  // namespace vt::ui
