#include "ui/locale_format.h"

#include <QLocale>
#include <charconv>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "base/convert.h"

namespace vt::ui {

namespace {

bool isBlank(QChar c) {
  return c == QLatin1Char(' ');
}

QString withoutBlanks(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (QChar c : text) {
    if (!isBlank(c)) out += c;
  }
  return out;
}

// Reads a run of digits from `pos`; the count read.
int skipDigits(const QString& text, int& pos) {
  const int start = pos;
  while (pos < text.size() && text[pos].isDigit() && text[pos].unicode() < 128) ++pos;
  return pos - start;
}

// Sign, digits, separator, digits, exponent: the text with "." in place of
// the separator when it is a number, empty otherwise.
std::string numberInCLocale(const QString& text, QChar separator) {
  int pos = 0;
  std::string out;
  if (pos < text.size() && (text[pos] == QLatin1Char('+') || text[pos] == QLatin1Char('-'))) {
    if (text[pos] == QLatin1Char('-')) out += '-';
    ++pos;
  }
  int start = pos;
  int digits = skipDigits(text, pos);
  out += text.mid(start, pos - start).toStdString();
  if (pos < text.size() && text[pos] == separator) {
    ++pos;
    start = pos;
    int decimals = skipDigits(text, pos);
    digits += decimals;
    out += '.';
    out += text.mid(start, pos - start).toStdString();
  }
  if (digits == 0) return {};
  if (pos < text.size() && (text[pos] == QLatin1Char('e') || text[pos] == QLatin1Char('E'))) {
    ++pos;
    out += 'e';
    if (pos < text.size() && (text[pos] == QLatin1Char('+') || text[pos] == QLatin1Char('-'))) {
      out += static_cast<char>(text[pos].unicode());
      ++pos;
    }
    start = pos;
    if (skipDigits(text, pos) == 0) return {};
    out += text.mid(start, pos - start).toStdString();
  }
  if (pos != text.size()) return {};
  return out;
}

// Order of day, month and year in the short date format, as the letters
// 'd', 'M', 'y' (for example "Mdy").
QString fieldOrder() {
  QString order;
  for (QChar c : shortDateFormat()) {
    if ((c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y')) &&
        !order.contains(c)) {
      order += c;
    }
  }
  return order.size() == 3 ? order : QStringLiteral("dMy");
}

// Reads a day, month or year of at most `maxDigits` digits.
bool readNumber(const QString& text, int maxDigits, int* value) {
  if (text.isEmpty() || text.size() > maxDigits) return false;
  for (QChar c : text) {
    if (!c.isDigit() || c.unicode() >= 128) return false;
  }
  *value = text.toInt();
  return true;
}

// A year of one or two digits in the current century; four digits as typed.
bool readYear(const QString& text, int* year) {
  if (text.size() == 4) return readNumber(text, 4, year);
  if (!readNumber(text, 2, year)) return false;
  *year += QDate::currentDate().year() / 100 * 100;
  return true;
}

}  // namespace

QString shortDateFormat() {
  return QLocale().dateFormat(QLocale::ShortFormat);
}

QChar dateSeparator() {
  for (QChar c : shortDateFormat()) {
    if (!c.isLetter() && !c.isSpace() && c != QLatin1Char('\'')) return c;
  }
  return QLatin1Char('/');
}

QString dateEntryFormat() {
  QStringList parts;
  for (QChar letter : fieldOrder()) parts << QString(2, letter);
  return parts.join(dateSeparator());
}

QChar decimalSeparator() {
  const QString point = QLocale().decimalPoint();
  return point.isEmpty() ? QLatin1Char('.') : point.front();
}

ConversionError::ConversionError(const QString& text)
    : std::runtime_error("'" + text.toStdString() + "' is not a valid floating point value") {}

double ParseAmount(const QString& text) {
  const std::string number = numberInCLocale(text.trimmed(), decimalSeparator());
  double value = 0;
  const char* end = number.data() + number.size();
  auto [ptr, error] = std::from_chars(number.data(), end, value);
  if (number.empty() || error != std::errc() || ptr != end) throw ConversionError(text);
  return value;
}

QString FormatAmount(double value, const char* format) {
  int width = 0, decimals = 0;
  if (std::sscanf(format, "%%%d.%df", &width, &decimals) != 2) {
    throw std::invalid_argument(std::string("not an amount format: ") + format);
  }
  QString text = QString::fromStdString(base::FloatText(value, width, decimals));
  return text.replace(QLatin1Char('.'), decimalSeparator());
}

QString ReformatAmount(const QString& text, const char* format) {
  const QString cleaned = withoutBlanks(text);
  double value = ParseAmount(cleaned);
  if (value == 0) value = 0.0;  // no "-0.00": a typed sign is kept below
  const QString formatted = FormatAmount(value, format);
  if (!cleaned.startsWith(QLatin1Char('-')) || value < 0) return formatted;
  return (QLatin1Char('-') + formatted.trimmed()).rightJustified(text.size(), QLatin1Char(' '));
}

QDate ParseShortDate(const QString& text) {
  const QStringList parts = withoutBlanks(text).split(dateSeparator());
  const QString order = fieldOrder();
  if (parts.size() != 3) return {};
  int day = 0, month = 0, year = 0;
  for (int i = 0; i < 3; ++i) {
    const QChar letter = order[i];
    const bool ok = letter == QLatin1Char('y')   ? readYear(parts[i], &year)
                    : letter == QLatin1Char('M') ? readNumber(parts[i], 2, &month)
                                                 : readNumber(parts[i], 2, &day);
    if (!ok) return {};
  }
  return QDate(year, month, day);
}

QString FormatShortDate(const QDate& date) {
  return date.isValid() ? QLocale().toString(date, dateEntryFormat()) : QString();
}

bool CheckDate(QString* text, vt::base::Dialogs& dialogs) {
  const QDate date = ParseShortDate(*text);
  if (!date.isValid()) {
    dialogs.information("", "Invalid Date Entered");
    return false;
  }
  *text = FormatShortDate(date);
  return true;
}

QString amountMask(int integerDigits) {
  return QLatin1Char('!') + QString(integerDigits, QLatin1Char('#')) + decimalSeparator() +
         QStringLiteral("99;1;_");
}

}  // namespace vt::ui
