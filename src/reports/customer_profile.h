// The customer profile: for each chosen customer, the address block beside
// every line item the customer bought (date, product, quantity, unit
// price), one block per customer in one document.
#pragma once

#include <vector>

#include "reports/report_frame.h"

namespace vt::reports {

class CustomerProfile {
 public:
  explicit CustomerProfile(ReportContext& context);

  // Opens CUST5 (its name order selected), GROUPS, INV5, ITM5, PMT and
  // Prod5 and sets the document up. 0, or a negative status (kErrOpen when
  // a table could not be opened; every table is closed then).
  int Start();
  // The block of the customer current in CUST5. 0, or a negative status.
  int AddBlock();
  // The blocks of every customer, in CUST5's current order, whose group is
  // one of `groups`. 0, or a negative status.
  int AddGroups(const std::vector<int>& groups);
  // The blocks of the customers numbered `numbers`, in that order, each
  // found by its number. 0; kCustomerUnknown with `unknown` set to the first
  // number no customer has (no block is added for any); or a negative status.
  int AddCustomers(const std::vector<int>& numbers, int& unknown);
  // Widens the date column to the widest date printed, then closes every
  // table of the session.
  void Finish();

 private:
  ReportContext& context_;
  int dateWidth_ = 0;
};

}  // namespace vt::reports
