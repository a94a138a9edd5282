#include "data/check.h"

#include <memory>

#include "base/text1252.h"
#include "data/check_parts.h"
#include "data/invoice_journal.h"
#include "engine/dbf_file.h"
#include "engine/file_set.h"
#include "engine/status.h"

namespace vt::data {

std::string Problem::text() const {
  std::string out = file + ": ";
  if (!location.empty()) out += location + ": ";
  return out + message;
}

namespace check_detail {

FileProblems::FileProblems(CheckReport& report, std::string file)
    : report_(report), file_(std::move(file)) {}

FileProblems::~FileProblems() {
  if (count_ > kProblemsPerFile) {
    report_.problems.push_back(
        {file_, "", "and " + std::to_string(count_ - kProblemsPerFile) + " more problems"});
  }
}

void FileProblems::add(std::string location, std::string message) {
  if (++count_ <= kProblemsPerFile) {
    report_.problems.push_back({file_, std::move(location), std::move(message)});
  }
}

std::string fileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string recordAt(uint32_t recno) {
  return "record " + std::to_string(recno);
}

std::string quoted(std::string_view bytes1252) {
  return "\"" + base::toUtf8(bytes1252) + "\"";
}

namespace {

// The fields the program relies on must be there with their type; widths
// of older data may differ.
void checkFields(const TableDef& def, engine::DbfFile& dbf, FileProblems& problems) {
  for (const FieldDef& field : def.fields) {
    const int index = dbf.fieldIndex(field.name);
    if (index < 0) {
      problems.add("", "field " + field.name + " is missing");
      continue;
    }
    const char type = dbf.fields()[index].type;
    if (type != field.type) {
      problems.add("", "field " + field.name + " has type " + std::string(1, type) + ", expected " +
                           std::string(1, field.type));
    }
  }
}

void checkTable(engine::FileSystem& fs, const std::string& dir, const TableDef& def,
                CheckReport& report) {
  const std::string path = engine::resolvePath(fs, dir, def.dbfName());
  FileProblems problems(report, fileNameOf(path));
  if (!fs.exists(path)) {
    problems.add("", "table file is missing");
    return;
  }
  std::unique_ptr<engine::DbfFile> dbf;
  const int status = engine::DbfFile::open(fs, path, false, &dbf);
  if (status < 0) {
    problems.add("", std::string("cannot be opened: ") + engine::statusText(status));
    return;
  }
  ++report.tables;
  checkFields(def, *dbf, problems);
  checkRecords(fs, dir, def, *dbf, problems, report);
  if (def.indexed()) checkIndexes(fs, dir, def, *dbf, report);
}

}  // namespace
}  // namespace check_detail

namespace {

// Work a stop left that no command could settle: the tables are not as any
// finished work leaves them.
void checkPending(engine::FileSystem& fs, const std::string& dir, CheckReport& report) {
  if (engine::fileSetPending(fs, dir)) {
    report.problems.push_back({engine::kFileSetRecord, "",
                               "an unfinished change of the data files could not be finished"});
  }
  if (InvoiceJournalPending(fs, dir)) {
    report.problems.push_back(
        {kInvoiceJournal, "", "an unfinished invoice save could not be put back"});
  }
}

}  // namespace

CheckReport CheckDataDir(const std::string& dir, engine::FileSystem& fs) {
  CheckReport report;
  checkPending(fs, dir, report);
  for (const TableDef& def : tableDefs()) check_detail::checkTable(fs, dir, def, report);
  return report;
}

}  // namespace vt::data
