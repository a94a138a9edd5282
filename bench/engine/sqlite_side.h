// The SQLite half of the engine benchmark: the same customer rows and the same
// work as EngineSide, done the way an SQLite program naturally would.
#pragma once

#include <cstdint>
#include <string>

struct sqlite3;

namespace vt::bench {

class SqliteSide {
 public:
  // Works on `dir`/cust5.db with `n` records. Each operation returns its
  // seconds and throws std::runtime_error on any failure.
  SqliteSide(const std::string& dir, uint32_t n);
  ~SqliteSide();
  SqliteSide(const SqliteSide&) = delete;
  SqliteSide& operator=(const SqliteSide&) = delete;

  double append();
  double indexName();
  double indexAll();
  double seekExact();
  double seekPrefix();
  double walkRecno();
  double walkField();
  double pack();

 private:
  void exec(const std::string& sql);
  // Fails unless the query plan of `sql` goes through `index`.
  void requireIndex(const std::string& sql, const std::string& index);
  int64_t countRows();

  std::string path_;
  uint32_t n_;
  sqlite3* db_ = nullptr;
};

}  // namespace vt::bench
