// Helpers shared by the table tests: a scratch directory, a small customer
// table and an independent check that every index matches the records.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/key_expr.h"

namespace vt::engine::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::vector<FieldDesc>
customerFields();                     // CUNO N6, LAST C20, FIRST C13, ZIP C10, AMT N10.2, NOTES M
std::vector<TagSpec> customerTags();  // CName, CCNO, CZip

struct Customer {
  Customer(long n, std::string l, std::string f, std::string z, double a = 0, std::string m = {})
      : cuno(n), last(std::move(l)), first(std::move(f)), zip(std::move(z)), amount(a),
        notes(std::move(m)) {}
  long cuno;
  std::string last, first, zip;
  double amount;
  std::string notes;
};

// Creates CUST in `dir` with the given customers and the customer tags.
void makeCustomers(const std::string& dir, const std::vector<Customer>& rows,
                   FileSystem* fs = nullptr);
void appendCustomer(Table* t, const Customer& c);

// Record numbers of a tag walked top to bottom with skip(1).
std::vector<uint32_t> walk(Table* t, const std::string& tag);
std::vector<uint32_t> walkBackwards(Table* t, const std::string& tag);

// Reads the table's files directly and checks every open tag: one entry per
// record, keys ascending, each key what its expression gives for the record.
// Returns an empty string or a description of the first problem.
std::string indexProblems(const std::string& dir, const std::string& table);

}  // namespace vt::engine::testing
