#include "pick_fixture.h"

#include <stdlib.h>

#include <QTableWidget>
#include <QTimer>
#include <filesystem>
#include <stdexcept>

#include "data/init.h"

namespace vt::catalog::picktest {

std::vector<CustomerRow> numberedCustomers(int count) {
  std::vector<CustomerRow> rows;
  rows.reserve(static_cast<size_t>(count));
  for (int n = 1; n <= count; ++n) {
    std::string number = std::to_string(n);
    std::string padded = std::string(6 - number.size(), '0') + number;
    rows.push_back({"C" + padded, "F" + number, "CO" + padded, "N" + number, 1, false});
  }
  return rows;
}

std::vector<InvoiceRow> numberedInvoices(int count) {
  std::vector<InvoiceRow> rows;
  rows.reserve(static_cast<size_t>(count));
  for (int n = 1; n <= count; ++n)
    rows.push_back({n, 1, "20240101", "Note " + std::to_string(n), false});
  return rows;
}

namespace {

// Opens one table of the data directory deny-write with its indexes, so
// every record appended updates them, and closes it when done.
class DirectTable {
 public:
  DirectTable(const std::string& dir, const char* name) : engine_(dir) {
    engine_.accessMode = engine::AccessMode::DenyWrite;
    table_ = engine_.open(name);
    if (!table_) throw std::runtime_error(std::string("cannot open ") + name);
  }
  ~DirectTable() { engine_.closeAll(); }
  DirectTable(const DirectTable&) = delete;
  DirectTable& operator=(const DirectTable&) = delete;

  void append() {
    if (table_->appendBlank() < 0) throw std::runtime_error("append failed");
  }
  void set(const char* field, const std::string& text) { need(field)->assign(text); }
  void setNumber(const char* field, double value) { need(field)->assignDouble(value); }
  void finish(bool deleted) {
    if (table_->flush() < 0) throw std::runtime_error("write failed");
    if (deleted) table_->deleteRecord();
  }

 private:
  engine::Field* need(const char* name) {
    engine::Field* field = table_->field(name);
    if (!field) throw std::runtime_error(std::string("no field ") + name);
    return field;
  }
  engine::Engine engine_;
  engine::Table* table_ = nullptr;
};

std::string MakeTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vt-pick-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

// A new installation's files, made once per test program and removed at
// its end; each test works on a copy, far quicker than making them again.
struct InstalledFiles {
  // `fill` writes records into the new files.
  explicit InstalledFiles(const std::function<void(const std::string&)>& fill = {})
      : dir(MakeTempDir()) {
    data::InitOutcome outcome = data::InitDataDir(dir);
    if (!outcome.ok) throw std::runtime_error("init failed: " + outcome.message);
    if (fill) fill(dir);
  }
  InstalledFiles(const InstalledFiles&) = delete;
  InstalledFiles& operator=(const InstalledFiles&) = delete;
  ~InstalledFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
  std::string dir;
};

const std::string& InstalledDir() {
  static const InstalledFiles files;
  return files.dir;
}

void WriteCustomers(const std::string& dir, const std::vector<CustomerRow>& rows) {
  DirectTable t(dir, "CUST5");
  int number = 0;
  for (const CustomerRow& row : rows) {
    t.append();
    t.setNumber("cuno", ++number);
    t.set("last", row.last);
    t.set("first", row.first);
    t.set("addr1", row.company);
    t.set("note", row.note);
    t.setNumber("ngroup", row.group);
    t.finish(row.deleted);
  }
}

// The large table's files, written once per test program.
const std::string& LargeCustomerDir() {
  static const InstalledFiles files(
      [](const std::string& dir) { WriteCustomers(dir, numberedCustomers(kLargeTable)); });
  return files.dir;
}

void WriteInvoices(const std::string& dir, const std::vector<InvoiceRow>& rows) {
  DirectTable t(dir, "INV5");
  for (const InvoiceRow& row : rows) {
    t.append();
    t.setNumber("IvNo", row.number);
    t.setNumber("CuNo", row.customer);
    t.set("IDate", row.date);
    t.set("IMemo", row.note);
    t.finish(row.deleted);
  }
}

const std::string& LargeInvoiceDir() {
  static const InstalledFiles files(
      [](const std::string& dir) { WriteInvoices(dir, numberedInvoices(kLargeTable)); });
  return files.dir;
}

}  // namespace

PickerTest::PickerTest() : dir_(MakeTempDir()) {
  std::filesystem::copy(
      InstalledDir(), dir_,
      std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
}

PickerTest::~PickerTest() {
  session_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

void PickerTest::copyFrom(const std::string& dir) {
  session_.reset();
  std::filesystem::copy(
      dir, dir_,
      std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
}

void PickerTest::writeCustomers(const std::vector<CustomerRow>& rows) {
  WriteCustomers(dir_, rows);
}

void PickerTest::useLargeCustomerTable() {
  copyFrom(LargeCustomerDir());
}

void PickerTest::writeGroups(const std::vector<std::pair<int, std::string>>& groups) {
  DirectTable t(dir_, "GROUPS");
  for (const auto& [number, name] : groups) {
    t.append();
    t.setNumber("nGroup", number);
    t.set("cGroup", name);
    t.finish(false);
  }
}

void PickerTest::writeProducts(const std::vector<ProductRow>& rows) {
  DirectTable t(dir_, "Prod5");
  for (const ProductRow& row : rows) {
    t.append();
    t.set("PrID", row.id);
    t.set("PDesc", row.description);
    t.setNumber("UPrice", row.price);
    t.finish(row.deleted);
  }
}

void PickerTest::writePurchases(const std::vector<PurchaseRow>& rows) {
  DirectTable t(dir_, "Pur5");
  for (const PurchaseRow& row : rows) {
    t.append();
    t.set("PURProd", row.product);
    t.set("PURDate", row.date);
    t.setNumber("PURQty", row.quantity);
    t.setNumber("PURCost", row.cost);
    t.finish(row.deleted);
  }
}

void PickerTest::writeInvoices(const std::vector<InvoiceRow>& rows) {
  WriteInvoices(dir_, rows);
}

void PickerTest::useLargeInvoiceTable() {
  copyFrom(LargeInvoiceDir());
}

data::DataSession& PickerTest::openSession(engine::FileSystem* fs) {
  data::SessionOptions options;
  options.fs = fs;
  session_ = std::make_unique<data::DataSession>(dir_, dialogs, exit, options);
  session_->settings.ByCust = true;
  bool opened = session_->OpenCustomers() && session_->OpenGroups() && session_->OpenProducts() &&
                session_->OpenPurchases();
  if (!opened) throw std::runtime_error("tables did not open");
  return *session_;
}

long Pick(ui::GridPicker& picker, long start, const std::function<void(ui::GridPicker&)>& act,
          bool allowNew) {
  long current = start;
  bool acted = false;
  QTimer::singleShot(0, &picker, [&] {
    acted = true;
    act(picker);
    if (picker.isVisible()) picker.close();
  });
  QTimer bound;
  bound.setSingleShot(true);
  QObject::connect(&bound, &QTimer::timeout, &picker, [&picker] { picker.reject(); });
  bound.start(20000);
  picker.pick(allowNew, current);
  EXPECT_TRUE(acted) << "the picker was not shown";
  return current;
}

QString Cell(const ui::GridPicker& picker, int row, int column) {
  const QTableWidgetItem* item = picker.recordsGrid->item(row, column);
  return item ? item->text() : QString();
}

QStringList RowTexts(const ui::GridPicker& picker, int row) {
  QStringList cells;
  for (int c = 0; c < picker.recordsGrid->columnCount(); ++c) cells << Cell(picker, row, c);
  return cells;
}

QStringList Titles(const ui::GridPicker& picker) {
  QStringList titles;
  for (int c = 0; c < picker.recordsGrid->columnCount(); ++c) {
    titles << picker.recordsGrid->horizontalHeaderItem(c)->text();
  }
  return titles;
}

std::vector<long> Shown(const ui::GridPicker& picker) {
  std::vector<long> records;
  for (int r = 0; r < ui::GridPicker::kRows; ++r) records.push_back(picker.recordAt(r));
  return records;
}

std::vector<long> Consecutive(long first, int count) {
  std::vector<long> run;
  for (int i = 0; i < count; ++i) run.push_back(first + i);
  return run;
}

}  // namespace vt::catalog::picktest
