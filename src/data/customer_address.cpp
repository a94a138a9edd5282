#include "data/customer_address.h"

#include <algorithm>

#include "base/convert.h"
#include "base/text1252.h"
#include "data/data_session.h"

namespace vt::data {

namespace {

// The last of lines 1-4 that holds anything, or 0.
size_t lastFilledLine(const std::vector<std::string>& lines) {
  for (size_t n = 4; n >= 1; --n) {
    if (!lines[n].empty()) return n;
  }
  return 0;
}

}  // namespace

std::string CustomerNameLine(const CustomerRecord& c) {
  std::string line;
  for (const std::string* part : {&c.title, &c.first, &c.last}) {
    const std::string word = base::trim(*part);
    if (word.empty()) continue;
    if (!line.empty()) line += ' ';
    line += word;
  }
  return line;
}

std::string CustomerListName(const CustomerRecord& customer, bool byName) {
  const std::string company = base::trim(customer.addr1);
  const std::string name = CustomerNameLine(customer);
  if (byName) return name.empty() ? company : name;
  return company.empty() ? name : company;
}

std::vector<std::string> AddressBlock(const CustomerRecord& customer, bool byName) {
  std::vector<std::string> lines(5);
  const std::string company = base::trim(customer.addr1);
  lines[0] = byName ? CustomerNameLine(customer) : company;
  lines[1] = byName ? company : CustomerNameLine(customer);
  lines[2] = base::trim(customer.addr2);
  lines[3] = base::trim(customer.addr3);
  lines[4] = base::trim(customer.addr4);
  // A line left empty leaves no gap: the lines below move up.
  std::stable_partition(lines.begin(), lines.end(),
                        [](const std::string& line) { return !line.empty(); });
  const std::string zip = base::trim(customer.zip);
  const size_t n = lastFilledLine(lines);
  // addr4 holds at most 19 characters, so after line 4 the code always
  // follows on the same line; a wider foreign field keeps it there too.
  if (base::Utf8Length(lines[n]) > kZipSameLineLimit && n < 4) {
    lines[n + 1] = base::Spaces(20) + zip;
  } else {
    lines[n] += "  " + zip;
  }
  return lines;
}

void DataSession::CustomerAddress() {
  AddressLines = AddressBlock(Customer, settings.ByCust);
}

}  // namespace vt::data
