#include "invoicing/view_texts.h"

#include <charconv>

#include "base/text1252.h"

namespace vt::invoicing {

namespace {

// The whole of `text` read as a number of type T; false when it is none.
template <class T>
bool readWhole(std::string_view text, T& value) {
  if (text.empty() || text.front() == '+') return false;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && ptr == end;
}

}  // namespace

double PlainViewTexts::number(const std::string& text) const {
  double value = 0;
  if (!readWhole(base::trim(text), value)) {
    throw ConversionError("'" + text + "' is not a valid floating point value");
  }
  return value;
}

base::DateTime PlainViewTexts::date(const std::string& text) const {
  const std::string iso = base::trim(text);
  int year = 0, month = 0, day = 0;
  const bool shaped = iso.size() == 10 && iso[4] == '-' && iso[7] == '-' &&
                      readWhole(std::string_view(iso).substr(0, 4), year) &&
                      readWhole(std::string_view(iso).substr(5, 2), month) &&
                      readWhole(std::string_view(iso).substr(8, 2), day);
  const base::DateTime value{year, month, day};
  if (!shaped || !value.isValidDate()) throw ConversionError("'" + text + "' is not a valid date");
  return value;
}

std::string PlainViewTexts::amount(double value) const {
  return base::FloatText(value, 10, 2);
}

const ViewTexts& plainViewTexts() {
  static const PlainViewTexts texts;
  return texts;
}

}  // namespace vt::invoicing
