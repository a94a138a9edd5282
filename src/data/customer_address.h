// The address block of a customer as the invoices and statements print it:
// five lines, the name and company in the order the customer list uses, and
// the postal code placed after the last line that holds anything.
#pragma once

#include <string>
#include <vector>

#include "data/records.h"

namespace vt::data {

// A last line longer than this takes the postal code on a line of its own.
constexpr size_t kZipSameLineLimit = 22;

// The title, first and last names, each trimmed, joined by single blanks.
std::string CustomerNameLine(const CustomerRecord& customer);

// The customer as a report lists them: `byName`, the name line; otherwise
// the company (addr1, trimmed). Either gives way to the other when blank.
std::string CustomerListName(const CustomerRecord& customer, bool byName);

// Lines 0-4. `byName`: the name line first, then the company (addr1);
// otherwise the company first. Lines that hold nothing come last, so the
// block has no gap.
std::vector<std::string> AddressBlock(const CustomerRecord& customer, bool byName);

}  // namespace vt::data
