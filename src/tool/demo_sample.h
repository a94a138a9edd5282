// The sample business of `vantrell-tool demo`: what each step has written,
// for the steps after it, a fixed-seed random source, and the days of the
// year the sample covers. Every record goes in through the table access
// layer, as the program's windows write them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/convert.h"
#include "data/data_session.h"

namespace vt::tool::demo {

// The same numbers on every machine (splitmix64), whatever the standard
// library's distributions do.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t next();
  // A whole number from `low` to `high`, both included.
  int between(int low, int high);
  bool chance(int percent);
  size_t index(size_t size) { return static_cast<size_t>(between(0, static_cast<int>(size) - 1)); }
  // An index drawn in proportion to the weights.
  size_t weighted(const std::vector<int>& weights);

 private:
  uint64_t state_;
};

// The sample covers the days 0 to kLastDay, day kLastDay being today.
constexpr int kLastDay = 364;

// The customer groups, numbered as GROUPS holds them.
enum GroupNumber { kRetail = 1, kWholesale, kSchools, kContractors };

struct SampleCustomer {
  int cuno = 0;
  int group = 0;
  bool taxExempt = false;
};

struct SampleProduct {
  data::ProductRecord record;
  int weight = 1;   // how often it sells, relative to the others
  int saleMin = 1;  // quantity of one sale
  int saleMax = 1;
  bool hourly = false;  // sold by the half hour
  double unitCost = 0;  // stocked items: a unit's cost at the start of the year
  int buyMin = 0;       // stocked items: quantity of one purchase
  int buyMax = 0;
};

// Stock of a product arriving on a day.
struct Arrival {
  size_t product = 0;
  int day = 0;
  double qty = 0;
};

struct Sample {
  explicit Sample(const base::DateTime& today) : today(today.date()) {}
  // The date of a day of the covered year.
  base::DateTime date(int day) const;

  base::DateTime today;
  Random random{20240611};
  std::vector<std::string> groups;  // group names, numbered from 1
  std::vector<SampleCustomer> customers;
  std::vector<SampleProduct> products;
  std::vector<Arrival> arrivals;  // in date order
  int labels = 0;
  int invoices = 0;
  int items = 0;
  int payments = 0;
};

// The steps, in the order they run. Each writes its tables (which the
// caller has opened, the settings table excepted) and returns 0 or the
// engine's negative status.
int WriteSettings(data::DataSession& session, Sample& sample);
int WriteLabelStocks(data::DataSession& session, Sample& sample);
int WriteGroups(data::DataSession& session, Sample& sample);
int WriteCustomers(data::DataSession& session, Sample& sample);
int WriteProducts(data::DataSession& session, Sample& sample);
int WritePurchases(data::DataSession& session, Sample& sample);
int WriteInvoices(data::DataSession& session, Sample& sample);

// Appends a blank record to `table` and stores the session's buffer into it
// with `store`. 0 or a negative status.
int AppendRecord(engine::Table* table, data::DataSession& session,
                 int (data::DataSession::*store)());

}  // namespace vt::tool::demo
