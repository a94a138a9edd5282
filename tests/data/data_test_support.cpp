#include "data_test_support.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>

#include "base/convert.h"
#include "base/dialogs.h"
#include "base/program_exit.h"
#include "data/init.h"
#include "data/invoice_journal.h"
#include "engine/dbf_file.h"

namespace vt::data::testing {

namespace fs = std::filesystem;

namespace {
const fs::file_time_type kOldTime = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
}

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "vt-data-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code error;
  fs::remove_all(path_, error);
}

void RecordingProgress::show(bool visible, const std::string& caption) {
  events.push_back(visible ? "show " + caption : "hide");
}

void RecordingProgress::set(int percent) {
  events.push_back("set " + std::to_string(percent));
}

void initDataDir(const std::string& dir) {
  const InitOutcome outcome = InitDataDir(dir);
  ASSERT_TRUE(outcome.ok) << outcome.message;
}

void ageFiles(const std::string& dir) {
  for (const auto& entry : fs::directory_iterator(dir)) fs::last_write_time(entry.path(), kOldTime);
}

std::vector<std::string> rewrittenFiles(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (fs::last_write_time(entry.path()) != kOldTime) {
      names.push_back(entry.path().filename().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> fileNames(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void patchFile(const std::string& path, uint64_t offset, const std::string& bytes) {
  std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
  ASSERT_TRUE(file) << path;
  file.seekp(static_cast<std::streamoff>(offset));
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(file) << path;
}

void addCustomers(const std::string& dir, const std::vector<Customer>& customers) {
  engine::Engine engine(dir);
  engine::Table* table = engine.open("CUST5");
  ASSERT_NE(table, nullptr) << engine::statusText(engine.errorCode());
  for (const Customer& c : customers) {
    ASSERT_EQ(table->appendBlank(), 0);
    table->field("cuno")->assignLong(c.cuno);
    table->field("last")->assign(c.last);
    table->field("first")->assign(c.first);
    table->field("zip")->assign(c.zip);
    table->field("addr1")->assign(c.addr1);
    table->field("ngroup")->assignInt(1);
    if (!c.comments.empty()) table->field("comments")->assignMemo(c.comments);
    if (c.deleted) table->deleteRecord();
    ASSERT_EQ(table->flush(), 0);
  }
  table->close();
  ASSERT_EQ(engine.errorCode(), 0);
}

uint64_t fieldOffset(const std::string& dbfPath, uint32_t recno, const std::string& field) {
  std::unique_ptr<engine::DbfFile> dbf;
  if (engine::DbfFile::open(engine::realFileSystem(), dbfPath, false, &dbf) != 0) return 0;
  const int index = dbf->fieldIndex(field);
  if (index < 0) return 0;
  return dbf->headerLength() + uint64_t(recno - 1) * dbf->recordLength() +
         dbf->fields()[index].offset;
}

void leaveTornSave(const std::string& dir) {
  base::ScriptedDialogs dialogs;
  base::ThrowingExit exit;
  DataSession session(dir, dialogs, exit);
  ASSERT_TRUE(session.OpenCustomers() && session.OpenInvoices() && session.OpenItems() &&
              session.OpenPayments());
  InvoiceJournal journal(session, 1);
  ASSERT_EQ(journal.Begin(0, 1), 0);
  engine::Table& customers = *session.customers();
  customers.selectTag(customers.tag("CCNO"));
  ASSERT_EQ(customers.seek(base::PadNumber(1, 6)), engine::Result::Success);
  customers.field("note")->assign("torn");
  ASSERT_EQ(customers.flush(), 0);
}  // the save stops here: its journal stays

}  // namespace vt::data::testing
