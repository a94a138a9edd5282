// The sample business's customer groups and its forty customers: people
// buying for themselves and businesses, schools and contractors, each with
// an address, telephone and e-mail made up from the lists below.
#include <string_view>

#include "tool/demo_sample.h"

namespace vt::tool::demo {
namespace {

struct Person {
  int group;
  const char* title;
  const char* first;
  const char* last;
  const char* company;   // empty for people buying for themselves
  const char* note;      // one-line note, or empty
  const char* comments;  // memo, or empty
};

// In the order the customers were taken on.
const Person kPeople[] = {
    {kRetail, "Mr.", "Thomas", "Becker", "", "",
     "Prefers a call on his mobile, (217) 555-0187.\r\n"
     "Asked about a second monitor for the home office."},
    {kWholesale, "Mr.", "Gary", "Fischer", "Prairie Business Center", "Net 30 terms",
     "Volume account; reviews prices every spring.\r\n"
     "Deliveries to the loading dock on the east side."},
    {kSchools, "Mrs", "Karen", "Mitchell", "Lakeview Elementary School",
     "Tax exempt - certificate on file",
     "Purchase orders come from the district office.\r\n"
     "Send invoices to the attention of the school secretary."},
    {kContractors, "Mr.", "Mike", "Sullivan", "Sullivan Electric Co.", "Call before delivery", ""},
    {kRetail, "Ms.", "Françoise", "Dubois", "", "Pays by credit card", ""},
    {kWholesale, "Ms.", "Janet", "Morrow", "Capitol Print & Copy", "PO number required", ""},
    {kRetail, "Dr.", "Anna", "Müller", "", "", "Sends print jobs for her practice by e-mail."},
    {kContractors, "Mr.", "Jürgen", "Keller", "Keller Construction", "Net 30 terms",
     "Job site deliveries: call the foreman first.\r\n"
     "Two office laptops serviced under the repair plan."},
    {kSchools, "Mr.", "Steven", "Grant", "Washington Middle School",
     "Tax exempt - certificate on file", ""},
    {kRetail, "Mrs", "Linda", "Harper", "", "", ""},
    {kWholesale, "Mr.", "Paul", "Schäfer", "Lincoln Land Office Outlet", "Net 30 terms", ""},
    {kContractors, "Mr.", "Tony", "Russo", "Prairie State Plumbing", "", ""},
    {kRetail, "Mr.", "José", "Alvarez", "", "", ""},
    {kSchools, "Ms.", "María", "González", "Central High School",
     "Tax exempt - certificate on file", ""},
    {kWholesale, "Ms.", "Carla", "Ortiz", "Heartland Medical Billing", "Prefers e-mail invoices",
     ""},
    {kContractors, "Ms.", "Priya", "Shah", "Brightline IT Consulting", "", ""},
    {kRetail, "Mr.", "Kevin", "O'Brien", "", "", ""},
    {kWholesale, "Mr.", "Brian", "Walsh", "Sangamon Valley Insurance", "", ""},
    {kSchools, "Sr.", "Margaret", "Doyle", "St. Agnes Academy", "Tax exempt - certificate on file",
     ""},
    {kContractors, "Mr.", "Ray", "Thompson", "Oakwood Builders", "Call before delivery", ""},
    {kRetail, "Ms.", "Renée", "Lindqvist", "", "", ""},
    {kWholesale, "Mrs", "Nancy", "Cole", "Twin Rivers Realty", "", ""},
    {kContractors, "Mr.", "Luis", "Herrera", "Summit Roofing & Siding", "", ""},
    {kSchools, "Ms.", "Ingrid", "Sjöberg", "Riverside Montessori",
     "Tax exempt - certificate on file", "Certificate copy in the filing cabinet, folder R."},
    {kRetail, "Mr.", "Marcus", "Reed", "", "", ""},
    {kWholesale, "Mr.", "Rajesh", "Patel", "Main Street Pharmacy", "Pays by credit card", ""},
    {kContractors, "Mrs", "Diane", "Foster", "Greenway Landscaping", "", ""},
    {kRetail, "Mrs", "Helen", "Park", "", "", ""},
    {kSchools, "Dr.", "Alan", "Price", "Lincoln Trail College", "Tax exempt - certificate on file",
     ""},
    {kWholesale, "Ms.", "Amélie", "Fournier", "Illini Legal Services", "PO number required", ""},
    {kContractors, "Mr.", "Carl", "Johansson", "Precision HVAC Services", "", ""},
    {kRetail, "Mr.", "Søren", "Jensen", "", "", ""},
    {kWholesale, "Mr.", "Dale", "Kowalski", "Route 66 Travel Agency", "", ""},
    {kSchools, "Mr.", "Héctor", "Ramírez", "Edison Technical Institute",
     "Tax exempt - certificate on file", ""},
    {kContractors, "Mr.", "André", "Dupré", "Metro Network Cabling", "Net 30 terms",
     "Subcontracts network setup to us on larger jobs."},
    {kRetail, "Ms.", "Zoë", "Hartley", "", "", ""},
    {kWholesale, "Dr.", "Ruth", "Brennan", "Green Acres Veterinary", "", ""},
    {kSchools, "Mrs", "Joan", "Adams", "Hilltop Preschool", "Tax exempt - certificate on file", ""},
    {kContractors, "Mr.", "Bill", "Evans", "Cornerstone Home Repair", "", ""},
    {kRetail, "Mr.", "David", "Nguyen", "", "", ""},
};

// Customer numbers that were given and later removed.
bool numberRemoved(int cuno) {
  return cuno == 14 || cuno == 29;
}

struct Town {
  const char* cityState;  // addr4 holds at most 19 characters
  const char* zip;
  const char* areaCode;
};

const Town kTowns[] = {
    {"Springfield, IL", "62702", "217"},  {"Springfield, IL", "62704", "217"},
    {"Springfield, IL", "62711", "217"},  {"Chatham, IL", "62629", "217"},
    {"Decatur, IL", "62521", "217"},      {"Champaign, IL", "61820", "217"},
    {"Bloomington, IL", "61701", "309"},  {"Peoria, IL", "61602", "309"},
    {"Jacksonville, IL", "62650", "217"}, {"Lincoln, IL", "62656", "217"},
    {"Taylorville, IL", "62568", "217"},
};

const char* const kStreets[] = {
    "Maple Avenue",      "W. Monroe Street", "Wabash Avenue",       "S. Grand Avenue",
    "Chatham Road",      "Stevenson Drive",  "Dirksen Parkway",     "N. Walnut Street",
    "Lawrence Avenue",   "Veterans Parkway", "Oak Ridge Drive",     "Cedar Lane",
    "E. Washington St.", "Prairie Crossing", "Old Jacksonville Rd", "Lake Shore Drive",
};

const char* const kGroups[] = {"Retail", "Wholesale", "Schools", "Contractors"};

// An e-mail name from a person's name: letters only, accents dropped.
std::string mailName(std::string_view utf8) {
  static const std::pair<std::string_view, const char*> kFolds[] = {
      {"ä", "ae"}, {"ö", "o"}, {"ü", "ue"}, {"ç", "c"}, {"é", "e"},
      {"è", "e"},  {"ë", "e"}, {"í", "i"},  {"ø", "o"}, {"á", "a"}};
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    bool folded = false;
    for (const auto& [from, to] : kFolds) {
      if (utf8.substr(i, from.size()) == from) {
        out += to;
        i += from.size();
        folded = true;
        break;
      }
    }
    if (folded) continue;
    const char c = utf8[i++];
    if (c >= 'A' && c <= 'Z') out += static_cast<char>(c - 'A' + 'a');
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) out += c;
  }
  return out;
}

std::string phoneNumber(const Town& town, Random& random) {
  return std::string("(") + town.areaCode + ") 555-01" + std::to_string(random.between(10, 99));
}

void setAddress(data::CustomerRecord& c, const Person& p, Random& random) {
  const Town& town = kTowns[random.index(std::size(kTowns))];
  const std::string street =
      std::to_string(random.between(12, 4850)) + " " + kStreets[random.index(std::size(kStreets))];
  if (*p.company) {
    c.addr1 = p.company;
    c.addr2 = street;
    if (random.chance(30)) c.addr3 = "Suite " + std::to_string(random.between(1, 4) * 100 + 10);
  } else {
    c.addr1 = street;
  }
  c.addr4 = town.cityState;
  c.zip = town.zip;
  c.phone = phoneNumber(town, random);
  if (*p.company && random.chance(60)) c.fax = phoneNumber(town, random);
}

std::string email(const Person& p) {
  if (!*p.company) return mailName(p.first) + "." + mailName(p.last) + "@example.com";
  const char* domain = p.group == kSchools ? "@example.org" : "@example.net";
  return mailName(std::string_view(p.first).substr(0, 1)) + mailName(p.last) + domain;
}

data::CustomerRecord customer(int cuno, const Person& p, Random& random) {
  data::CustomerRecord c;
  c.cuno = cuno;
  c.title = p.title;
  c.first = p.first;
  c.last = p.last;
  setAddress(c, p, random);
  c.comments = p.comments;
  c.ngroup = p.group;
  c.note = p.note;
  c.email = email(p);
  return c;
}

}  // namespace

int WriteGroups(data::DataSession& session, Sample& sample) {
  for (const char* name : kGroups) {
    sample.groups.push_back(name);
    session.Group = {static_cast<int>(sample.groups.size()), name};
    const int status = AppendRecord(session.groups(), session, &data::DataSession::StoreGroup);
    if (status < 0) return status;
  }
  return 0;
}

int WriteCustomers(data::DataSession& session, Sample& sample) {
  int cuno = 0;
  for (const Person& person : kPeople) {
    do ++cuno;
    while (numberRemoved(cuno));
    session.Customer = customer(cuno, person, sample.random);
    const int status =
        AppendRecord(session.customers(), session, &data::DataSession::StoreCustomer);
    if (status < 0) return status;
    sample.customers.push_back({cuno, person.group, person.group == kSchools});
  }
  return 0;
}

}  // namespace vt::tool::demo
