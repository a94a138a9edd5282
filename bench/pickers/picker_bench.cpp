// Opens the customer picker on a table of N customers and the invoice
// picker on a table of N invoices (default 1,000,000 each) and reports, for
// each operation, the time it took, the reads of the picker's .dbf and of
// its index files, and the reads of every other file (the group or the
// customer of the selected row):
//
//   <operation> seconds=<s> dbf_reads=<n> ntx_reads=<n> other_reads=<n>
//
// The tables are written straight through the engine into a new
// installation in a temporary directory, which is removed at the end.
// Usage: picker_bench [N]
#include <stdlib.h>

#include <QApplication>
#include <QDate>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/dialogs.h"
#include "base/program_exit.h"
#include "catalog/tpickcust.h"
#include "data/data_session.h"
#include "data/init.h"
#include "data/table_defs.h"
#include "engine/fault_fs.h"
#include "invoicing/tpickinv.h"
#include "ui/context.h"
#include "ui/help_viewer.h"
#include "ui/printer_state.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// A new installation in a temporary directory, removed at the end.
class DataDir {
 public:
  DataDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vt-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    vt::data::InitOutcome made = vt::data::InitDataDir(path_);
    if (!made.ok) throw std::runtime_error("init failed: " + made.message);
  }
  ~DataDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::string RandomName(std::mt19937& random, size_t length) {
  std::uniform_int_distribution<int> letter('A', 'Z');
  std::string name(length, ' ');
  for (char& c : name) c = static_cast<char>(letter(random));
  return name;
}

// Builds the table's index group as a new installation names it.
void BuildIndexes(vt::engine::Table& table) {
  const vt::data::TableDef* def = vt::data::findTableDef(table.name());
  if (!def || table.createIndexGroup(def->group, def->tagSpecs()) < 0) {
    throw std::runtime_error("index build failed");
  }
}

// Appends `count` customers with random names (so that the name order is
// not the record order) without indexes, then builds CUST5's index group.
void WriteCustomers(const std::string& dir, long count) {
  vt::engine::Engine engine(dir);
  engine.accessMode = vt::engine::AccessMode::DenyWrite;
  engine.autoOpen = false;
  engine.safety = false;
  vt::engine::Table* table = engine.open("CUST5");
  if (!table) throw std::runtime_error("cannot open CUST5");
  vt::engine::Field* cuno = table->field("cuno");
  vt::engine::Field* last = table->field("last");
  vt::engine::Field* first = table->field("first");
  vt::engine::Field* company = table->field("addr1");
  vt::engine::Field* zip = table->field("zip");
  vt::engine::Field* group = table->field("ngroup");
  std::mt19937 random(20240607);
  for (long n = 1; n <= count; ++n) {
    if (table->appendBlank() < 0) throw std::runtime_error("append failed");
    cuno->assignLong(n);
    last->assign(RandomName(random, 12));
    first->assign(RandomName(random, 8));
    company->assign(RandomName(random, 20));
    zip->assign(std::to_string(10000 + n % 90000));
    group->assignInt(1);
  }
  if (table->flush() < 0) throw std::runtime_error("write failed");
  BuildIndexes(*table);
  engine.closeAll();
}

// Appends `count` invoices numbered in record order (six digits, so with N =
// 1,000,000 the last record gets number 0 and sorts first), of random
// customers, a hundred a day, then builds INV5's index group.
void WriteInvoices(const std::string& dir, long count) {
  vt::engine::Engine engine(dir);
  engine.accessMode = vt::engine::AccessMode::DenyWrite;
  engine.autoOpen = false;
  engine.safety = false;
  vt::engine::Table* table = engine.open("INV5");
  if (!table) throw std::runtime_error("cannot open INV5");
  vt::engine::Field* number = table->field("IvNo");
  vt::engine::Field* customer = table->field("CuNo");
  vt::engine::Field* date = table->field("IDate");
  vt::engine::Field* note = table->field("IMemo");
  std::mt19937 random(20240608);
  std::uniform_int_distribution<long> customers(1, std::min(count, 999999L));
  const QDate firstDay(2000, 1, 1);
  for (long n = 1; n <= count; ++n) {
    if (table->appendBlank() < 0) throw std::runtime_error("append failed");
    number->assignLong(n % 1000000);
    customer->assignLong(customers(random));
    date->assign(firstDay.addDays(n / 100).toString(QStringLiteral("yyyyMMdd")).toStdString());
    note->assign(RandomName(random, 20));
  }
  if (table->flush() < 0) throw std::runtime_error("write failed");
  BuildIndexes(*table);
  engine.closeAll();
}

// Record numbers of the first, the middle and the last record in a tag's
// order.
struct Targets {
  long first = 0;
  long middle = 0;
  long last = 0;
};

Targets FindTargets(const std::string& dir, const char* tableName, const char* tagName) {
  vt::engine::Engine engine(dir);
  vt::engine::Table* table = engine.open(tableName);
  if (!table) throw std::runtime_error(std::string("cannot open ") + tableName);
  table->selectTag(table->tag(tagName));
  Targets targets;
  table->top();
  targets.first = static_cast<long>(table->recNo());
  table->bottom();
  targets.last = static_cast<long>(table->recNo());
  table->positionTo(0.5);
  targets.middle = static_cast<long>(table->recNo());
  engine.closeAll();
  return targets;
}

// A key pressed and released in the grid, as the user does.
void PressKey(QWidget* widget, Qt::Key key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
}

// A picker under test and the files of its table.
struct PickerKind {
  std::function<std::unique_ptr<vt::ui::GridPicker>(vt::data::DataSession&, vt::ui::UiContext&)>
      make;
  const char* dbf;
  std::vector<const char*> ntx;
};

const PickerKind kCustomerPicker{[](vt::data::DataSession& session, vt::ui::UiContext& ui) {
                                   return std::make_unique<vt::catalog::TPickCust>(nullptr, session,
                                                                                   ui);
                                 },
                                 "CUST5.dbf",
                                 {"cName.ntx", "ccno.ntx", "czip.ntx", "ccomp.ntx"}};

const PickerKind kInvoicePicker{[](vt::data::DataSession& session, vt::ui::UiContext& ui) {
                                  return std::make_unique<vt::invoicing::TPickInv>(nullptr, session,
                                                                                   ui);
                                },
                                "INV5.dbf",
                                {"inv.ntx", "invc.ntx", "invd.ntx"}};

class Bench {
 public:
  Bench(const std::string& dir, long count)
      : dir_(dir), count_(count), session_(dir, dialogs_, exit_, Options()) {
    if (!session_.OpenCustomers() || !session_.OpenGroups() || !session_.OpenInvoices()) {
      throw std::runtime_error("tables did not open");
    }
    session_.settings.ByCust = true;
  }

  // Times opening the picker on `start` and then, when given, `act` on the
  // shown picker, reporting each.
  void open(const PickerKind& kind, const char* name, long start, const char* actName = nullptr,
            const std::function<void(vt::ui::GridPicker&)>& act = {}) {
    std::unique_ptr<vt::ui::GridPicker> picker = kind.make(session_, ui_);
    long current = start;
    bool shownRight = false;
    files_.reset();
    Clock::time_point began = Clock::now();
    QTimer::singleShot(0, picker.get(), [&] {
      report(kind, name, Seconds(began));
      shownRight = check(*picker, start);
      if (act) {
        files_.reset();
        Clock::time_point acting = Clock::now();
        act(*picker);
        report(kind, actName, Seconds(acting));
      }
      picker->reject();
    });
    picker->pick(false, current);
    if (!shownRight) throw std::runtime_error("the picker does not show the generated table");
  }

 private:
  vt::data::SessionOptions Options() {
    vt::data::SessionOptions options;
    options.fs = &files_;
    return options;
  }
  // The picker shows the whole table's range and the record it opened on.
  bool check(const vt::ui::GridPicker& picker, long start) const {
    long shown = picker.recordAt(picker.recordsGrid->currentRow());
    return picker.topLimit() == std::max(count_ - 10, 0L) &&
           (start <= 0 || count_ <= 10 || shown == start);
  }
  uint64_t reads(const char* file) const {
    return files_.readsOf(vt::engine::resolvePath(vt::engine::realFileSystem(), dir_, file));
  }
  void report(const PickerKind& kind, const char* name, double seconds) const {
    uint64_t dbf = reads(kind.dbf);
    uint64_t ntx = 0;
    for (const char* file : kind.ntx) ntx += reads(file);
    std::printf("%s seconds=%.6f dbf_reads=%llu ntx_reads=%llu other_reads=%llu\n", name, seconds,
                static_cast<unsigned long long>(dbf), static_cast<unsigned long long>(ntx),
                static_cast<unsigned long long>(files_.reads() - dbf - ntx));
    std::fflush(stdout);
  }

  std::string dir_;
  long count_;
  vt::engine::FaultFileSystem files_{vt::engine::realFileSystem()};
  vt::base::ScriptedDialogs dialogs_;
  vt::base::ThrowingExit exit_;
  vt::ui::PrinterState printers_;
  vt::ui::HelpViewer help_{nullptr};
  vt::ui::UiContext ui_{dialogs_, printers_, help_};
  vt::data::DataSession session_;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  long count = argc > 1 ? std::atol(argv[1]) : 1000000;
  if (count < 1) {
    std::fprintf(stderr, "usage: picker_bench [N]  (N customers and N invoices, at least 1)\n");
    return 2;
  }
  try {
    DataDir dir;
    Clock::time_point began = Clock::now();
    WriteCustomers(dir.path(), count);
    WriteInvoices(dir.path(), count);
    std::printf("customers=%ld invoices=%ld generate_seconds=%.2f\n", count, count, Seconds(began));
    Targets customers = FindTargets(dir.path(), "CUST5", "cName");
    Targets invoices = FindTargets(dir.path(), "INV5", "Inv");
    Bench bench(dir.path(), count);
    bench.open(kCustomerPicker, "open_last", customers.last, "key_home",
               [](vt::ui::GridPicker& p) { PressKey(p.recordsGrid, Qt::Key_Home); });
    bench.open(kCustomerPicker, "open_middle", customers.middle, "key_end",
               [](vt::ui::GridPicker& p) { PressKey(p.recordsGrid, Qt::Key_End); });
    bench.open(kCustomerPicker, "open_first", 0, "thumb_middle", [](vt::ui::GridPicker& p) {
      p.recordsScrollBar->setSliderDown(true);
      p.recordsScrollBar->setSliderPosition(50);
      p.recordsScrollBar->setSliderDown(false);
    });
    bench.open(kCustomerPicker, "open_last_again", customers.last, "seek_zz",
               [](vt::ui::GridPicker& p) { p.seekEdit->setText("ZZ"); });
    bench.open(kInvoicePicker, "invoice_open_first", invoices.first, "invoice_seek_middle",
               [count](vt::ui::GridPicker& p) { p.seekEdit->setText(QString::number(count / 2)); });
    bench.open(kInvoicePicker, "invoice_open_middle", invoices.middle);
    bench.open(kInvoicePicker, "invoice_open_last", invoices.last);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "picker_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
