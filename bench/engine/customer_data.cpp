#include "customer_data.h"

#include <algorithm>
#include <span>

namespace vt::bench {

const std::array<Column, kColCount> kCust5 = {{
    {"CUNO", 'N', 6},
    {"TITLE", 'C', 3},
    {"FIRST", 'C', 13},
    {"LAST", 'C', 20},
    {"ADDR1", 'C', 34},
    {"ADDR2", 'C', 34},
    {"ADDR3", 'C', 34},
    {"ADDR4", 'C', 19},
    {"ZIP", 'C', 10},
    {"COMMENTS", 'M', 10},
    {"NGROUP", 'N', 2},
    {"NOTE", 'C', 34},
    {"PHONE", 'C', 20},
    {"FAX", 'C', 20},
    {"EMAIL", 'C', 60},
}};

namespace {

constexpr uint64_t kRowSeed = 0x5EED0C057500ull;
constexpr uint64_t kProbeSeed = 0x9E3779B97F4A7C15ull;

// Text below is Windows-1252; every \x escape ends its literal so that the
// letters after it are not read as more hex digits.
// clang-format off
constexpr const char* kFirstNames[] = {
    "James", "Mary", "John", "Patricia", "Robert", "Jennifer", "Michael", "Linda", "William",
    "Susan", "David", "Barbara", "Richard", "Karen", "Joseph", "Jessica", "Thomas", "Sarah",
    "Charles", "Nancy", "Daniel", "Lisa", "Matthew", "Betty", "Anthony", "Margaret", "Mark",
    "Sandra", "Donald", "Ashley", "Steven", "Emily", "Paul", "Donna", "Andrew", "Michelle",
    "Kenneth", "Carol", "Kevin", "Amanda", "Brian", "Melissa", "George", "Deborah", "Hans",
    "Ingrid", "Klaus", "Ursula", "Wolfgang", "Monika", "Pierre", "Sophie", "Luca", "Giulia",
    "Pedro", "Ana", "Lars", "Astrid", "Jan", "Eva", "Piotr", "Katarzyna", "Sean", "Siobhan",
    "J\xFC" "rgen", "Fran\xE7" "ois", "Jos\xE9", "Ren\xE9" "e", "Zo\xEB", "S\xF8" "ren",
    "\xC5" "sa", "Bj\xF6" "rn", "In\xE9" "s", "J\xF3" "zsef", "\xC9" "milie", "Jo\xE3" "o",
    "Chlo\xE9", "Ma\xEB" "l", "G\xFC" "nter", "Andr\xE9",
};

constexpr const char* kLastNames[] = {
    "Smith", "Johnson", "Williams", "Brown", "Jones", "Garcia", "Miller", "Davis", "Rodriguez",
    "Martinez", "Hernandez", "Lopez", "Gonzalez", "Wilson", "Anderson", "Thomas", "Taylor", "Moore",
    "Jackson", "Martin", "Lee", "Perez", "Thompson", "White", "Harris", "Sanchez", "Clark",
    "Ramirez", "Lewis", "Robinson", "Walker", "Young", "Allen", "King", "Wright", "Scott", "Torres",
    "Nguyen", "Hill", "Flores", "Green", "Adams", "Nelson", "Baker", "Hall", "Rivera", "Campbell",
    "Mitchell", "Carter", "Roberts", "Schmidt", "Schneider", "Fischer", "Weber", "Meyer", "Wagner",
    "Becker", "Hoffmann", "Koch", "Richter", "Klein", "Wolf", "Neumann", "Schwarz", "Zimmermann",
    "Braun", "Hartmann", "Lange", "Werner", "Krause", "Rossi", "Russo", "Ferrari", "Esposito",
    "Bianchi", "Romano", "Colombo", "Ricci", "Dubois", "Moreau", "Laurent", "Simon", "Michel",
    "Leroy", "Roux", "Fournier", "Girard", "Jansen", "de Vries", "van Dijk", "Bakker", "Visser",
    "Andersson", "Johansson", "Karlsson", "Nilsson", "Eriksson", "Larsson", "Olsen", "Hansen",
    "Pedersen", "Kowalski", "Nowak", "O'Brien", "O'Connor", "MacDonald", "Fitzgerald", "Kennedy",
    "Murphy", "Sullivan", "Peterson", "Gray", "M\xFC" "ller", "Sch\xE4" "fer", "J\xE4" "ger",
    "Wei\xDF", "G\xF3" "mez", "N\xFA\xF1" "ez", "\xD8" "stergaard", "\x8A" "imek", "Lef\xE8" "vre",
    "B\xF6" "hm", "Kr\xFC" "ger", "H\xF6" "fer", "Jim\xE9" "nez", "Mu\xF1" "oz", "Ib\xE1\xF1" "ez",
    "Gonz\xE1" "lez", "Fran\xE7" "ois", "S\xE9" "guin", "D\xFC" "rr", "L\xF6" "wenstein",
};

constexpr const char* kCompanyWords[] = {
    "Acme", "Summit", "Pioneer", "Atlas", "Keystone", "Northwind", "Bluewater", "Redwood",
    "Granite", "Harbor", "Lakeside", "Prairie", "Silverline", "Evergreen", "Ironbridge",
    "Maple Leaf", "Sunrise", "Westfield", "Bergmann", "Alpen", "Nordic", "Riviera", "Castello",
    "Z\xFC" "rich", "Br\xFC" "ckner", "M\xF6" "bel Stein", "Caf\xE9" " Lumi\xE8" "re",
    "Bo\xEE" "te",
};
constexpr const char* kCompanyTrades[] = {
    "Supply", "Trading", "Tools", "Foods", "Logistics", "Hardware", "Textiles", "Electric",
    "Builders", "Office", "Motors", "Bakery", "Print & Copy", "Dental Lab", "Garden", "Plumbing",
    "Catering", "Optics",
};
constexpr const char* kCompanySuffixes[] = {
    "Inc.", "LLC", "Ltd.", "GmbH", "& Co.", "S.A.", "Corp.", "KG", "",
};

constexpr const char* kStreets[] = {
    "Main St", "Oak Ave", "Maple Dr", "Cedar Ln", "Elm St", "Park Blvd", "Washington St", "Lake Rd",
    "Hill St", "Church Rd", "Market St", "High St", "Station Rd", "Bahnhofstr.",
    "Hauptstra\xDF" "e", "Rue de la Paix", "Avenue Foch", "Calle Mayor", "Kirchweg",
    "K\xF6" "nigsallee", "Chemin du Moulin", "Rue Saint-\xC9" "tienne", "Plaza Espa\xF1" "a",
};

constexpr const char* kNotes[] = {
    "", "", "", "", "Net 30", "Net 10, 2% discount", "Call before delivery",
    "Prefers invoices by e-mail", "Tax exempt - certificate on file", "Ask for purchasing dept.",
    "Closed Mondays", "Credit hold until paid", "Sch\xF6" "ne Gr\xFC\xDF" "e an Frau Weber",
    "Livraison le matin seulement", "Pedido m\xED" "nimo 50 \x80",
};

constexpr const char* kMailDomains[] = {
    "gmail.com", "web.de", "outlook.com", "yahoo.co.uk", "orange.fr", "t-online.de", "icloud.com",
    "gmx.net",
};
// clang-format on

struct City {
  const char* name;
  const char* zip;  // '#' a digit, '@' a letter
};

struct Country {
  const char* addr4;  // country line
  bool usStyle;       // "City, ST" on the city line, ZIP+4 sometimes
  const char* phone;  // '#' a digit
  std::span<const City> cities;
};

constexpr City kUsCities[] = {
    {"Springfield, IL", "627##"}, {"Portland, OR", "972##"},   {"Austin, TX", "787##"},
    {"Columbus, OH", "432##"},    {"Madison, WI", "537##"},    {"Boise, ID", "837##"},
    {"Albany, NY", "122##"},      {"Denver, CO", "802##"},     {"Raleigh, NC", "276##"},
    {"Tucson, AZ", "857##"},      {"Burlington, VT", "054##"}, {"Savannah, GA", "314##"},
};
constexpr City kDeCities[] = {
    {"M\xFC"
     "nchen",
     "80###"},
    {"K\xF6"
     "ln",
     "50###"},
    {"D\xFC"
     "sseldorf",
     "40###"},
    {"N\xFC"
     "rnberg",
     "90###"},
    {"Hamburg", "20###"},
    {"Berlin", "10###"},
    {"Stuttgart", "70###"},
    {"W\xFC"
     "rzburg",
     "97###"},
};
constexpr City kUkCities[] = {
    {"London", "SW1A #@@"}, {"Manchester", "M1 #@@"}, {"Leeds", "LS1 #@@"},
    {"Bristol", "BS1 #@@"}, {"Glasgow", "G2 #@@"},
};
constexpr City kFrCities[] = {
    {"Paris", "75###"},
    {"Lyon", "69###"},
    {"Orl\xE9"
     "ans",
     "45###"},
    {"Besan\xE7"
     "on",
     "25###"},
    {"Nantes", "44###"},
};
constexpr City kCaCities[] = {
    {"Montr\xE9"
     "al, QC",
     "H2X #@#"},
    {"Qu\xE9"
     "bec, QC",
     "G1R #@#"},
    {"Toronto, ON", "M5V #@#"},
    {"Ottawa, ON", "K1A #@#"},
};
constexpr City kEsCities[] = {
    {"M\xE1"
     "laga",
     "29###"},
    {"C\xF3"
     "rdoba",
     "14###"},
    {"Madrid", "28###"},
    {"Le\xF3"
     "n",
     "24###"},
};

// Weighted by how often each country appears: the United States most.
constexpr Country kCountries[] = {
    {"USA", true, "(###) ###-####", kUsCities},
    {"USA", true, "(###) ###-####", kUsCities},
    {"USA", true, "(###) ###-####", kUsCities},
    {"USA", true, "(###) ###-####", kUsCities},
    {"USA", true, "(###) ###-####", kUsCities},
    {"USA", true, "(###) ###-####", kUsCities},
    {"Germany", false, "+49 ## #######", kDeCities},
    {"Germany", false, "+49 ## #######", kDeCities},
    {"United Kingdom", false, "+44 20 #### ####", kUkCities},
    {"France", false, "+33 # ## ## ## ##", kFrCities},
    {"Canada", true, "+1 (###) ###-####", kCaCities},
    {"Espa\xF1"
     "a",
     false, "+34 ### ### ###", kEsCities},
};

template <class T, size_t N>
const T& pick(Rng& rng, const T (&items)[N]) {
  return items[rng.below(N)];
}

std::string fillPattern(Rng& rng, const char* pattern) {
  std::string out(pattern);
  for (char& c : out) {
    if (c == '#') c = static_cast<char>('0' + rng.below(10));
    if (c == '@') c = static_cast<char>('A' + rng.below(26));
  }
  return out;
}

uint64_t mix(uint64_t seed, uint64_t n) {
  return seed ^ (n * 0xD1B54A32D192ED03ull);
}

// Plain lower-case ASCII for e-mail addresses: accents dropped, blanks and
// apostrophes left out.
std::string mailPart(const std::string& text) {
  // Base letters of Windows-1252 0xC0..0xFF.
  static constexpr char kFold[] =
      "aaaaaaaceeeeiiii"   // 0xC0
      "dnooooo ouuuuy  "   // 0xD0
      "aaaaaaaceeeeiiii"   // 0xE0
      "dnooooo ouuuuy y";  // 0xF0
  static_assert(sizeof kFold == 65);
  std::string out;
  for (unsigned char c : text) {
    char folded = 0;
    if (c >= 0xC0)
      folded = kFold[c - 0xC0];
    else if (c == 0x8A || c == 0x9A)
      folded = 's';
    else if (c >= 'A' && c <= 'Z')
      folded = static_cast<char>(c - 'A' + 'a');
    else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')
      folded = static_cast<char>(c);
    if (folded != 0 && folded != ' ') out += folded;
  }
  return out;
}

std::string companyName(Rng& rng) {
  std::string name = pick(rng, kCompanyWords);
  name += ' ';
  name += pick(rng, kCompanyTrades);
  const char* suffix = pick(rng, kCompanySuffixes);
  if (*suffix != '\0') name += std::string(" ") + suffix;
  return name;
}

std::string streetLine(Rng& rng) {
  return std::to_string(1 + rng.below(9999)) + ' ' + pick(rng, kStreets);
}

std::string zipCode(Rng& rng, const Country& country, const City& city) {
  std::string zip = fillPattern(rng, city.zip);
  if (country.usStyle && zip.size() == 5 && rng.chance(20)) zip += fillPattern(rng, "-####");
  return zip;
}

void fitColumns(Customer& c) {
  for (int col = 0; col < kColCount; ++col) {
    auto width = static_cast<size_t>(kCust5[col].width);
    if (c.text[col].size() > width) c.text[col].resize(width);
  }
}

// The last name is always the first draw, so lastNameOf() stays cheap.
const char* drawLastName(Rng& rng) {
  return pick(rng, kLastNames);
}

}  // namespace

uint64_t Rng::next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

Customer makeCustomer(uint32_t recno) {
  Rng rng(mix(kRowSeed, recno));
  Customer c;
  c.cuno = recno % 1000000;
  c.text[kLast] = drawLastName(rng);
  std::string first = pick(rng, kFirstNames);
  c.text[kFirst] = first;
  if (rng.chance(30))
    c.text[kFirst] += std::string(" ") + static_cast<char>('A' + rng.below(26)) + '.';
  static constexpr const char* kTitles[] = {"Mr.", "Mrs", "Ms.", "Dr.", ""};
  c.text[kTitle] = pick(rng, kTitles);

  const Country& country = pick(rng, kCountries);
  const City& city = country.cities[rng.below(static_cast<uint32_t>(country.cities.size()))];
  bool business = rng.chance(75);
  std::string company = business ? companyName(rng) : std::string();
  if (business) {
    c.text[kAddr1] = company;
    c.text[kAddr2] = streetLine(rng);
  } else {
    c.text[kAddr1] = streetLine(rng);
    if (rng.chance(20)) c.text[kAddr2] = "Apt " + std::to_string(1 + rng.below(40));
  }
  c.text[kAddr3] = city.name;
  c.text[kAddr4] = country.addr4;
  c.text[kZip] = zipCode(rng, country, city);
  c.ngroup = static_cast<int>(1 + rng.below(12));
  c.text[kNote] = pick(rng, kNotes);
  c.text[kPhone] = fillPattern(rng, country.phone);
  if (business && rng.chance(40)) c.text[kFax] = fillPattern(rng, country.phone);
  std::string domain = business ? mailPart(company.substr(0, company.find(' '))) + ".com"
                                : std::string(pick(rng, kMailDomains));
  c.text[kEmail] = mailPart(first) + '.' + mailPart(c.text[kLast]) + '@' + domain;
  fitColumns(c);
  return c;
}

void makeCustomers(uint64_t first, uint32_t count, std::vector<Customer>* out) {
  out->clear();
  for (uint64_t recno = first; recno < first + count; ++recno) {
    out->push_back(makeCustomer(static_cast<uint32_t>(recno)));
  }
}

std::string lastNameOf(uint32_t recno) {
  Rng rng(mix(kRowSeed, recno));
  return drawLastName(rng);
}

uint32_t probeRecord(uint64_t probe, uint32_t recordCount) {
  Rng rng(mix(kProbeSeed, probe));
  return 1 + rng.below(std::min<uint32_t>(recordCount, 999999));
}

std::string probePrefix(uint64_t probe, uint32_t recordCount) {
  std::string last = lastNameOf(probeRecord(probe, recordCount));
  size_t length = 3 + probe % 3;
  return last.substr(0, length);
}

}  // namespace vt::bench
