// Customer rows in the CUST5 layout for the engine benchmark. Every row is
// derived from its customer number alone, so the engine and the SQLite
// processes generate identical data without sharing anything.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vt::bench {

enum Col : int {
  kCuNo,
  kTitle,
  kFirst,
  kLast,
  kAddr1,
  kAddr2,
  kAddr3,
  kAddr4,
  kZip,
  kComments,
  kNGroup,
  kNote,
  kPhone,
  kFax,
  kEmail,
  kColCount
};

struct Column {
  const char* name;
  char type;  // C, N or M as in the .dbf
  int width;
};

// The CUST5 columns in table order, indexed by Col.
extern const std::array<Column, kColCount> kCust5;

// One customer; text in Windows-1252, unpadded, never wider than its column.
struct Customer {
  long cuno = 0;
  int ngroup = 0;
  std::array<std::string, kColCount> text;  // the C columns; N and M stay empty

  // The value of an N column.
  long number(int col) const { return col == kCuNo ? cuno : ngroup; }
};

// Record `recno` (from 1) of the data set. Customers are numbered in record
// order; the number is six digits wide, so record 1,000,000 gets number 0.
Customer makeCustomer(uint32_t recno);
// Its last name alone, as makeCustomer gives it.
std::string lastNameOf(uint32_t recno);
// Records first .. first + count - 1, replacing the contents of *out.
void makeCustomers(uint64_t first, uint32_t count, std::vector<Customer>* out);

// The seek probes, the same in both processes: probe i aims at one existing
// record among the first 999,999 (whose customer number equals the record
// number), and a prefix probe uses the first 3 to 5 characters of its last
// name.
uint32_t probeRecord(uint64_t probe, uint32_t recordCount);
std::string probePrefix(uint64_t probe, uint32_t recordCount);

// A small, fast and portable random source (splitmix64).
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed) {}
  uint64_t next();
  uint32_t below(uint32_t n) { return static_cast<uint32_t>(next() % n); }
  bool chance(int percent) { return below(100) < static_cast<uint32_t>(percent); }

 private:
  uint64_t state_;
};

}  // namespace vt::bench
