#include "table_support.h"

#include <unistd.h>

#include <algorithm>
#include <set>

#include "engine/cgp_file.h"
#include "engine/dbf_file.h"
#include "engine/ntx_index.h"

namespace vt::engine::testing {

TempDir::TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "vt-table-XXXXXX").string();
  path_ = mkdtemp(tmpl.data());
}

TempDir::~TempDir() {
  std::filesystem::remove_all(path_);
}

std::vector<FieldDesc> customerFields() {
  return {{"CUNO", 'N', 6, 0}, {"LAST", 'C', 20, 0}, {"FIRST", 'C', 13, 0},
          {"ZIP", 'C', 10, 0}, {"AMT", 'N', 10, 2},  {"NOTES", 'M', 10, 0}};
}

std::vector<TagSpec> customerTags() {
  return {{"CName", "Upper(Last + First)"}, {"CCNO", "Str(CuNo, 6)"}, {"CZip", "Zip"}};
}

void appendCustomer(Table* t, const Customer& c) {
  ASSERT_EQ(t->appendBlank(), 0);
  t->field("cuno")->assignLong(c.cuno);
  t->field("last")->assign(c.last);
  t->field("first")->assign(c.first);
  t->field("zip")->assign(c.zip);
  t->field("amt")->assignDouble(c.amount);
  if (!c.notes.empty()) t->field("notes")->assignMemo(c.notes);
  ASSERT_EQ(t->flush(), 0);
}

void makeCustomers(const std::string& dir, const std::vector<Customer>& rows, FileSystem* fs) {
  Engine engine(dir, fs);
  ASSERT_EQ(engine.create("CUST", customerFields()), 0);
  Table* t = engine.open("CUST");
  ASSERT_NE(t, nullptr);
  for (const Customer& c : rows) appendCustomer(t, c);
  ASSERT_EQ(t->createIndexGroup("CUST", customerTags()), 0);
  engine.closeAll();
  ASSERT_EQ(engine.errorCode(), 0);
}

std::vector<uint32_t> walk(Table* t, const std::string& tag) {
  t->selectTag(t->tag(tag));
  std::vector<uint32_t> out;
  for (Result r = t->top(); r == Result::Success; r = t->skip(1)) out.push_back(t->recNo());
  return out;
}

std::vector<uint32_t> walkBackwards(Table* t, const std::string& tag) {
  t->selectTag(t->tag(tag));
  std::vector<uint32_t> out;
  for (Result r = t->bottom(); r == Result::Success; r = t->skip(-1)) out.push_back(t->recNo());
  return out;
}

namespace {

std::string checkTag(FileSystem& fs, DbfFile& dbf, const std::string& path) {
  std::unique_ptr<NtxIndex> ntx;
  if (NtxIndex::open(fs, path, false, &ntx) != kOk) return "cannot open " + path;
  std::unique_ptr<KeyExpr> expr;
  if (KeyExpr::compile(ntx->info().expression, dbf.fields(), &expr) != kOk) {
    return "bad expression in " + path;
  }
  std::vector<char> record(dbf.recordLength());
  std::string key(expr->length(), ' '), previous;
  std::set<uint32_t> seen;
  std::string problem;
  int status = ntx->forEach([&](std::string_view k, uint32_t recno) {
    if (recno < 1 || recno > dbf.recCount() || !seen.insert(recno).second) {
      problem = path + ": bad or repeated record " + std::to_string(recno);
    } else if (dbf.read(recno, record.data()) != kOk) {
      problem = path + ": cannot read record " + std::to_string(recno);
    } else {
      expr->evaluate(record.data(), key.data());
      if (k != key) problem = path + ": wrong key for record " + std::to_string(recno);
      if (k < previous) problem = path + ": keys out of order at " + std::to_string(recno);
      previous = std::string(k);
    }
    return problem.empty();
  });
  if (status != kOk) return path + ": walk failed";
  if (problem.empty() && seen.size() != dbf.recCount()) {
    problem = path + ": " + std::to_string(seen.size()) + " entries for " +
              std::to_string(dbf.recCount()) + " records";
  }
  return problem;
}

}  // namespace

std::string indexProblems(const std::string& dir, const std::string& table) {
  FileSystem& fs = realFileSystem();
  std::unique_ptr<DbfFile> dbf;
  if (DbfFile::open(fs, resolvePath(fs, dir, table + ".dbf"), false, &dbf) != kOk) {
    return "cannot open table";
  }
  std::vector<std::string> names;
  if (readGroupFile(fs, resolvePath(fs, dir, table + ".cgp"), &names) != kOk) {
    return "cannot read group file";
  }
  for (const std::string& n : names) {
    std::string problem = checkTag(fs, *dbf, resolvePath(fs, dir, n + ".ntx"));
    if (!problem.empty()) return problem;
  }
  return {};
}

}  // namespace vt::engine::testing
