#include "interop/interop_index_model.h"

#include <algorithm>
#include <cstdio>

namespace vt::interop {

std::vector<engine::FieldDesc> contactFields() {
  return {{"NAME", 'C', 20, 0},
          {"CITY", 'C', 15, 0},
          {"NUM", 'N', 6, 0},
          {"AMOUNT", 'N', 10, 2},
          {"DAY", 'D', 8, 0}};
}

std::vector<engine::TagSpec> contactTags() {
  return {{"BYNAME", "Upper(Name)"},
          {"BYNUM", "Str(Num, 8)"},
          {"BYAMOUNT", "Str(Amount, 10, 2)"},
          {"BYDAY", "DTOS(Day) + Upper(Name)"},
          {"BYCITY", "City + Str(Num, 6)"}};
}

namespace {

std::string padded(std::string text, size_t width) {
  text.resize(width, ' ');
  return text;
}

// Upper case in Windows-1252: a-z, š œ ž ÿ and the accented letters
// à-þ except ÷; everything else (ß, µ, digits) stays.
std::string upper(std::string text) {
  for (char& ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) c -= 0x20;
    if (c == 0x9A || c == 0x9C || c == 0x9E) c -= 0x10;
    if (c == 0xFF) c = 0x9F;
    ch = static_cast<char>(c);
  }
  return text;
}

std::string str(double value, int width, int decimals) {
  char text[64];
  int n = std::snprintf(text, sizeof text, "%*.*f", width, decimals, value);
  return n > width ? std::string(width, '*') : std::string(text);
}

std::string dtos(const std::string& day) {
  return day.empty() ? std::string(8, ' ') : day;
}

const char* const kNames[] = {"Acme",
                              "acme",
                              "M\xFCller",
                              "m\xFCller",
                              "Baker",
                              "O'Neil",
                              "van Dam",
                              "Zeta",
                              "\xDFmith",
                              "\xC6r\xF8",
                              "Smith",
                              "SMITH",
                              "\xE9tienne",
                              "\xFF"
                              "de",
                              "\x9A"
                              "ilar",
                              "Zoe",
                              "",
                              "Walker & Sons Ltd"};
const char* const kCities[] = {"Springfield", "Berlin", "K\xF6ln",   "koeln",
                               "Paris",       "",       "Z\xFCrich", "Oslo"};

template <size_t N>
const char* pick(ContactMaker& m, const char* const (&list)[N]) {
  return list[m.below(N)];
}

}  // namespace

std::string contactKey(const std::string& tag, const Contact& c) {
  if (tag == "BYNAME") return upper(padded(c.name, 20));
  if (tag == "BYNUM") return str(double(c.num), 8, 0);
  if (tag == "BYAMOUNT") return str(c.amount, 10, 2);
  if (tag == "BYDAY") return dtos(c.day) + upper(padded(c.name, 20));
  if (tag == "BYCITY") return padded(c.city, 15) + str(double(c.num), 6, 0);
  return "no such tag: " + tag;
}

uint32_t ContactMaker::below(uint32_t n) {
  state_ = state_ * 1664525u + 1013904223u;
  return (state_ >> 8) % n;
}

Contact ContactMaker::next() {
  Contact c;
  c.name = pick(*this, kNames);
  if (below(3) == 0) c.name += " " + std::to_string(below(4));
  c.city = pick(*this, kCities);
  // Few distinct numbers and amounts, so every order has runs of equal keys.
  c.num = long(below(60)) - 20;
  c.amount = (double(below(80)) - 20.0) * 1.25;
  if (below(6) != 0) {
    char day[16];
    std::snprintf(day, sizeof day, "%04u%02u%02u", 1995 + below(40), 1 + below(12), 1 + below(28));
    c.day = day;
  }
  return c;
}

void ExpectedIndex::insert(uint32_t recno, const Contact& c) {
  std::string key = contactKey(tag_, c);
  auto after =
      std::upper_bound(entries_.begin(), entries_.end(), key,
                       [](const std::string& k, const KeyEntry& e) { return k < e.first; });
  entries_.insert(after, {std::move(key), recno});
}

void ExpectedIndex::update(uint32_t recno, const Contact& before, const Contact& after) {
  if (contactKey(tag_, before) == contactKey(tag_, after)) return;
  auto old = std::find_if(entries_.begin(), entries_.end(),
                          [&](const KeyEntry& e) { return e.second == recno; });
  if (old != entries_.end()) entries_.erase(old);
  insert(recno, after);
}

void assignContact(engine::Table& t, const Contact& c) {
  t.field("NAME")->assign(c.name);
  t.field("CITY")->assign(c.city);
  t.field("NUM")->assignLong(c.num);
  t.field("AMOUNT")->assignDouble(c.amount);
  t.field("DAY")->assign(c.day);
}

}  // namespace vt::interop
