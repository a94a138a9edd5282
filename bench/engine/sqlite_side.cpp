#include "sqlite_side.h"

#include <sqlite3.h>

#include <stdexcept>
#include <vector>

#include "bench_timing.h"
#include "customer_data.h"

namespace vt::bench {

namespace {

// The engine writes without a journal and without fsync per record, so SQLite
// runs without a rollback journal and without syncs too (journal_mode=OFF,
// synchronous=OFF). locking_mode=EXCLUSIVE matches the engine's DenyWrite
// open: the file is locked once, not per transaction.
constexpr const char* kSettings =
    "PRAGMA journal_mode=OFF;"
    "PRAGMA synchronous=OFF;"
    "PRAGMA locking_mode=EXCLUSIVE;";

// The CName tag Upper(Last + First). SQLite keeps text unpadded, so the natural
// equivalent is an index on the expression over the trimmed columns; upper()
// changes only a-z, so accented letters keep their case there.
constexpr const char* kNameKey = "upper(last||first)";

[[noreturn]] void fail(sqlite3* db, const std::string& what) {
  throw std::runtime_error("sqlite " + what + ": " + (db ? sqlite3_errmsg(db) : "out of memory"));
}

class Statement {
 public:
  Statement(sqlite3* db, const std::string& sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr) != SQLITE_OK) fail(db, sql);
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  sqlite3_stmt* get() { return stmt_; }
  // True on a row, false when done.
  bool step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    fail(db_, "step");
  }
  void reset() { sqlite3_reset(stmt_); }
  int64_t columnInt(int col) { return sqlite3_column_int64(stmt_, col); }

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

std::string createTableSql() {
  std::string sql = "CREATE TABLE cust5(";
  for (const Column& c : kCust5) {
    sql += c.name;
    sql += c.type == 'N' ? " INTEGER" : " TEXT";
    sql += &c == &kCust5.back() ? ")" : ", ";
  }
  return sql;
}

std::string insertSql() {
  std::string sql = "INSERT INTO cust5 VALUES(";
  for (int col = 0; col < kColCount; ++col) sql += col + 1 < kColCount ? "?," : "?)";
  return sql;
}

void insertRow(Statement& insert, const Customer& c) {
  sqlite3_stmt* stmt = insert.get();
  for (int col = 0; col < kColCount; ++col) {
    switch (kCust5[col].type) {
      case 'N':
        sqlite3_bind_int64(stmt, col + 1, c.number(col));
        break;
      case 'C':
        sqlite3_bind_text(stmt, col + 1, c.text[col].data(), static_cast<int>(c.text[col].size()),
                          SQLITE_STATIC);
        break;
      default:  // the memo column stays empty
        sqlite3_bind_null(stmt, col + 1);
    }
  }
  insert.step();
  insert.reset();
}

// A prefix upper-cased as SQLite's upper() does: a-z only.
std::string upperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

}  // namespace

SqliteSide::SqliteSide(const std::string& dir, uint32_t n) : path_(dir + "/cust5.db"), n_(n) {}

SqliteSide::~SqliteSide() {
  sqlite3_close(db_);
}

void SqliteSide::exec(const std::string& sql) {
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) fail(db_, sql);
}

void SqliteSide::requireIndex(const std::string& sql, const std::string& index) {
  Statement plan(db_, "EXPLAIN QUERY PLAN " + sql);
  while (plan.step()) {
    auto detail = reinterpret_cast<const char*>(sqlite3_column_text(plan.get(), 3));
    if (detail && std::string(detail).find("INDEX " + index) != std::string::npos) return;
  }
  throw std::runtime_error("sqlite does not use index " + index + " for " + sql);
}

int64_t SqliteSide::countRows() {
  Statement count(db_, "SELECT count(*) FROM cust5");
  count.step();
  return count.columnInt(0);
}

double SqliteSide::append() {
  Stopwatch watch;
  watch.start();
  if (sqlite3_open(path_.c_str(), &db_) != SQLITE_OK) fail(db_, "open " + path_);
  exec(kSettings);
  exec(createTableSql());
  exec("BEGIN");
  Statement insert(db_, insertSql());
  watch.stop();
  std::vector<Customer> batch;
  forBatches(1, n_, [&](uint64_t first, uint32_t count) {
    makeCustomers(first, count, &batch);
    watch.start();
    for (const Customer& c : batch) insertRow(insert, c);
    watch.stop();
  });
  watch.start();
  exec("COMMIT");
  watch.stop();
  if (countRows() != n_) throw std::runtime_error("sqlite append: wrong row count");
  return watch.seconds();
}

double SqliteSide::indexName() {
  return timed([&] { exec(std::string("CREATE INDEX cname ON cust5(") + kNameKey + ")"); });
}

double SqliteSide::indexAll() {
  exec("DROP INDEX cname");
  return timed([&] {
    exec(std::string("CREATE INDEX cname ON cust5(") + kNameKey + ")");
    exec("CREATE INDEX ccno ON cust5(cuno)");
    exec("CREATE INDEX czip ON cust5(zip)");
    exec("CREATE INDEX ccomp ON cust5(addr1)");
  });
}

double SqliteSide::seekExact() {
  const std::string sql = "SELECT rowid FROM cust5 WHERE cuno = ?1";
  requireIndex(sql, "ccno");
  Statement seek(db_, sql);
  std::vector<uint32_t> records;
  uint64_t misses = 0;
  Stopwatch watch;
  forBatches(0, n_, [&](uint64_t first, uint32_t count) {
    records.clear();
    for (uint64_t p = first; p < first + count; ++p) records.push_back(probeRecord(p, n_));
    watch.start();
    for (uint32_t record : records) {
      sqlite3_bind_int64(seek.get(), 1, record);
      if (!seek.step() || seek.columnInt(0) != record) ++misses;
      seek.reset();
    }
    watch.stop();
  });
  if (misses) throw std::runtime_error("sqlite seek_exact: " + std::to_string(misses) + " misses");
  return watch.seconds();
}

double SqliteSide::seekPrefix() {
  const std::string sql = std::string("SELECT rowid FROM cust5 WHERE ") + kNameKey +
                          " >= ?1 ORDER BY " + kNameKey + " LIMIT 1";
  requireIndex(sql, "cname");
  Statement seek(db_, sql);
  std::vector<std::string> prefixes;
  uint64_t misses = 0;
  Stopwatch watch;
  forBatches(0, n_, [&](uint64_t first, uint32_t count) {
    prefixes.clear();
    for (uint64_t p = first; p < first + count; ++p) {
      prefixes.push_back(upperAscii(probePrefix(p, n_)));
    }
    watch.start();
    for (const std::string& prefix : prefixes) {
      sqlite3_bind_text(seek.get(), 1, prefix.data(), static_cast<int>(prefix.size()),
                        SQLITE_STATIC);
      if (!seek.step() || seek.columnInt(0) < 1) ++misses;
      seek.reset();
    }
    watch.stop();
  });
  if (misses) throw std::runtime_error("sqlite seek_prefix: " + std::to_string(misses) + " misses");
  return watch.seconds();
}

double SqliteSide::walkRecno() {
  const std::string sql = std::string("SELECT rowid FROM cust5 ORDER BY ") + kNameKey;
  requireIndex(sql, "cname");
  Statement walk(db_, sql);
  uint32_t rows = 0, bad = 0;
  double seconds = timed([&] {
    while (walk.step()) {
      int64_t rowid = walk.columnInt(0);
      if (rowid < 1 || rowid > n_) ++bad;
      ++rows;
    }
  });
  if (rows != n_ || bad) throw std::runtime_error("sqlite walk_recno: wrong rows");
  return seconds;
}

double SqliteSide::walkField() {
  const std::string sql = std::string("SELECT zip FROM cust5 ORDER BY ") + kNameKey;
  requireIndex(sql, "cname");
  Statement walk(db_, sql);
  uint32_t rows = 0;
  uint64_t bytes = 0;
  double seconds = timed([&] {
    while (walk.step()) {
      sqlite3_column_text(walk.get(), 0);
      bytes += static_cast<uint64_t>(sqlite3_column_bytes(walk.get(), 0));
      ++rows;
    }
  });
  if (rows != n_ || bytes == 0) throw std::runtime_error("sqlite walk_field: wrong rows");
  return seconds;
}

// The engine marks records deleted and pack() removes them and rebuilds the
// indexes; the closest SQLite equivalent is deleting the same rows (which
// maintains the indexes) and VACUUM (which rewrites the file without the free
// space), both timed.
double SqliteSide::pack() {
  double seconds = timed([&] {
    exec("BEGIN");
    exec("DELETE FROM cust5 WHERE rowid % 10 = 0");
    exec("COMMIT");
    exec("VACUUM");
  });
  if (countRows() != n_ - n_ / 10) throw std::runtime_error("sqlite pack: wrong row count");
  return seconds;
}

}  // namespace vt::bench
