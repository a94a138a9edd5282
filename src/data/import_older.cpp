#include "data/import_older.h"

#include <filesystem>

#include "base/text1252.h"
#include "data/datafiles.h"
#include "data/file_change.h"
#include "data/import_convert.h"
#include "data/import_copy.h"
#include "data/init.h"
#include "data/invoice_journal.h"
#include "data/maintenance.h"
#include "data/older_table.h"
#include "data/pending_work.h"
#include "data/table_defs.h"

namespace vt::data {

namespace {

// The tables taken over as files, as the older program names them, with the
// progress after each. The older product table is also kept beside the new
// one as it was.
struct CopyStep {
  const char* older;
  const char* target;
  bool convertText;
  int progressAfter;
};
constexpr CopyStep kCopies[] = {{"Groups.dbf", "GROUPS.dbf", true, 10},
                                {"labels.dbf", "LABELS.dbf", true, 15},
                                {"pmt.dbf", "PMT.dbf", true, 20},
                                {"Prod4.dbf", "Prod4.dbf", false, 25}};

// The tables the import replaces.
const std::vector<std::string> kReplaced = {"Prod5",  "CUST5",  "INV5", "ITM5",
                                            "GROUPS", "LABELS", "PMT"};

// The folder beside the data in which the new tables are built.
constexpr const char* kScratch = "import-work";

std::string olderBase(const char* file) {
  const std::string name = file;
  return name.substr(0, name.size() - 4);
}

class Import {
 public:
  Import(DataSession& session, const std::string& dir, base::Dialogs& dialogs,
         base::Progress* progress)
      : s_(session),
        dir_(dir),
        dialogs_(dialogs),
        progress_(progress),
        older_(dir, &session.engine().fs()),
        scratchDir_(
            engine::resolvePath(session.engine().fs(), session.engine().directory(), kScratch)) {
    older_.readOnly = true;
    older_.autoOpen = false;
  }
  ~Import() { removeScratch(); }

  bool run();

 private:
  std::string olderPath(const std::string& name) {
    return engine::resolvePath(s_.engine().fs(), dir_, name);
  }
  bool olderFilesPresent();
  bool olderTableReadable(const std::string& name, const std::vector<const char*>& fields);
  bool olderTablesReadable();
  bool workTablesFree(const DataFilesHold& hold);
  bool journalSettled(bool held);
  bool makeScratch();
  void removeScratch();
  bool copyFiles();
  bool fixPaymentDates();
  bool packCopies();
  bool convert(const ConvertStep& step);
  bool transferDescriptions();
  bool swapIn();
  // Tells why the import stopped; false.
  bool stop(const std::string& file, int status, engine::Engine& engine);
  void show(const std::string& caption) {
    if (progress_) progress_->show(true, caption);
  }
  void set(int percent) {
    if (progress_) progress_->set(percent);
  }

  DataSession& s_;
  std::string dir_;
  base::Dialogs& dialogs_;
  base::Progress* progress_;
  engine::Engine older_;
  std::string scratchDir_;
  std::unique_ptr<DataSession> w_;  // the session on the scratch folder
};

bool Import::olderFilesPresent() {
  for (const CopyStep& step : kCopies) {
    if (!s_.engine().fs().exists(olderPath(step.older))) {
      dialogs_.information("", "Data files not found in " + dir_);
      return false;
    }
  }
  for (const ConvertStep& step : ConvertSteps()) {
    if (!s_.engine().fs().exists(olderPath(std::string(step.older) + ".dbf"))) {
      dialogs_.information("", "Data files not found in " + dir_);
      return false;
    }
  }
  return true;
}

bool Import::olderTableReadable(const std::string& name, const std::vector<const char*>& fields) {
  OlderTable table;
  const int status = table.open(older_, name, fields);
  if (status < 0) {
    dialogs_.information("", "Unable to read " + olderPath(name + ".dbf") + " (" +
                                 older_.errorText(status) + "). Nothing was imported.");
  }
  return status == 0;
}

// Every older table opens, the converted ones with the fields they are read
// for, before anything is changed.
bool Import::olderTablesReadable() {
  for (const CopyStep& step : kCopies) {
    if (!olderTableReadable(olderBase(step.older), {})) return false;
  }
  for (const ConvertStep& step : ConvertSteps()) {
    if (!olderTableReadable(step.older, step.fields)) return false;
  }
  return true;
}

// No other program may have the tables open while they are replaced.
bool Import::workTablesFree(const DataFilesHold& hold) {
  const std::string& name = hold.busy().empty() ? hold.failed() : hold.busy();
  if (name.empty()) return true;
  const int status = hold.busy().empty() ? engine::kErrOpen : engine::kErrLocked;
  dialogs_.information("", "Unable to use " + name + ".dbf (" + engine::statusText(status) +
                               "). Nothing was imported.");
  return false;
}

// An invoice save a stop cut short is put back before the tables are
// replaced. Once they are held no save is under way, and a journal still
// there (a save stopped in between) is refused (`held`).
bool Import::journalSettled(bool held) {
  engine::Engine& engine = s_.engine();
  if (!InvoiceJournalPending(engine.fs(), engine.directory())) return true;
  const int status = held ? engine::kErrLocked : SettleInvoiceJournal(engine).status;
  if (status == 0) return true;
  dialogs_.information("", JournalProblem(engine.directory(), status) + " Nothing was imported.");
  return false;
}

bool Import::stop(const std::string& file, int status, engine::Engine& engine) {
  dialogs_.information("", "The import stopped at " + file + " (" + engine.errorText(status) +
                               "). Nothing was imported.");
  return false;
}

void Import::removeScratch() {
  w_.reset();
  std::error_code error;
  std::filesystem::remove_all(scratchDir_, error);
}

// A fresh scratch folder holding empty tables, and a session on it.
bool Import::makeScratch() {
  removeScratch();
  std::error_code error;
  std::filesystem::create_directory(scratchDir_, error);
  const InitOutcome made = error ? InitOutcome{false, error.message()}
                                 : InitDataDir(scratchDir_, nullptr, s_.engine().fs());
  if (!made.ok) {
    dialogs_.information(
        "", "Unable to make " + scratchDir_ + " (" + made.message + "). Nothing was imported.");
    return false;
  }
  SessionOptions options;
  options.fs = &s_.engine().fs();
  options.now = [this] { return s_.now(); };
  w_ = std::make_unique<DataSession>(scratchDir_, dialogs_, s_.programExit(), options);
  return true;
}

bool Import::copyFiles() {
  engine::Engine& work = w_->engine();
  for (const CopyStep& step : kCopies) {
    const std::string target = engine::resolvePath(work.fs(), work.directory(), step.target);
    const int status = CopyOlderTable(work, olderPath(step.older), target, step.convertText);
    if (status < 0) return stop(step.target, status, work);
    set(step.progressAfter);
  }
  return true;
}

// Payments get the century window their invoices' dates get.
bool Import::fixPaymentDates() {
  if (!w_->OpenPayments()) return false;  // the program has ended
  engine::Table& pmt = *w_->payments();
  pmt.selectTag(nullptr);  // record order: a changed date moves a payment in the index
  int status = 0;
  for (engine::Result r = pmt.top(); r == engine::Result::Success && status == 0; r = pmt.skip()) {
    status = w_->LoadPayment();
    w_->Payment.PDate = base::FixCentury(w_->Payment.PDate, s_.now().year);
    if (status == 0) status = w_->StorePayment();
  }
  if (status == 0) status = w_->engine().errorCode();
  w_->CloseAll();
  return status < 0 ? stop("PMT.dbf", status, w_->engine()) : true;
}

// Records the older program had marked deleted are left out.
bool Import::packCopies() {
  for (const char* table : {"GROUPS", "LABELS", "PMT"}) {
    const int status = w_->PackTable(table, false);
    if (status < 0) return stop(std::string(table) + ".dbf", status, w_->engine());
  }
  return true;
}

bool Import::convert(const ConvertStep& step) {
  w_->CloseAll();
  OlderTable from;
  const std::string olderName = std::string(step.older) + ".dbf";
  int status = from.open(older_, step.older, step.fields);
  if (status < 0) return stop(olderPath(olderName), status, older_);
  if (!((*w_).*step.open)()) return false;  // the program has ended
  engine::Table& to = *w_->table(step.target);
  engine::Table& rows = from.table();
  const uint32_t count = rows.recCount();
  uint32_t done = 0;
  for (engine::Result r = rows.top(); r == engine::Result::Success; r = rows.skip()) {
    ++done;
    set(step.progressFrom +
        static_cast<int>(static_cast<uint64_t>(step.progressSpan) * done / count));
    if (rows.deleted()) continue;
    step.fill(from, *w_);
    if (status = older_.errorCode(); status < 0) return stop(olderPath(olderName), status, older_);
    status = to.appendBlank();
    if (status >= 0) status = ((*w_).*step.store)();
    if (status < 0) return stop(to.name(), status, w_->engine());
  }
  if (status = older_.errorCode(); status < 0) return stop(olderPath(olderName), status, older_);
  return true;
}

bool Import::transferDescriptions() {
  w_->CloseAll();
  const RebuildOutcome rebuilt = RebuildIndexFiles(w_->engine(), false, progress_);
  if (!rebuilt.ok()) return stop(rebuilt.table, rebuilt.status, w_->engine());
  if (!fixPaymentDates() || !packCopies()) return false;
  if (!w_->OpenProducts() || !w_->OpenItems()) return false;  // the program has ended
  show("Transferring Item Descriptions");
  engine::Table& items = *w_->items();
  engine::Table& products = *w_->products();
  const size_t keyLength = products.selectedTag()->keyLength();
  const uint32_t count = items.recCount();
  uint32_t done = 0;
  int status = 0;
  for (engine::Result r = items.top(); r == engine::Result::Success && status == 0;
       r = items.skip()) {
    status = w_->LoadItem();
    std::string key = base::upper1252(base::fromUtf8(w_->Item.PrID));
    key.resize(keyLength, ' ');
    if (status == 0 && products.seek(key) == engine::Result::Success) {
      status = w_->LoadProduct();
      w_->Item.PDesc = w_->Product.PDesc;
      if (status == 0) status = w_->StoreItem();
    }
    ++done;
    set(static_cast<int>(uint64_t{100} * done / count));
  }
  if (status == 0) status = w_->engine().errorCode();
  w_->CloseAll();
  return status < 0 ? stop(items.name(), status, w_->engine()) : true;
}

// Every file of the replaced tables (with their memo and index files) and
// the older product table, moved from the scratch folder into the data as
// one change while the tables are held.
bool Import::swapIn() {
  engine::FileSystem& fs = s_.engine().fs();
  const std::string& work = s_.engine().directory();
  FileChange change(fs, work);
  auto move = [&](const std::string& name) {
    change.replace(engine::resolvePath(fs, scratchDir_, name), engine::resolvePath(fs, work, name));
  };
  for (const std::string& table : kReplaced) {
    const TableDef* def = findTableDef(table);
    move(def->dbfName());
    if (def->memo) move(def->dbtName());
    for (const std::string& index : def->indexFiles()) move(index);
  }
  move("Prod4.dbf");
  change.remove(engine::resolvePath(fs, work, kInvoiceJournal));
  const int status = change.commit();
  return status < 0 ? stop(work, status, s_.engine()) : true;
}

bool Import::run() {
  if (SameDirectory(dir_, s_.engine().directory())) {
    dialogs_.information("", "Import must be from a different drive and/or directory");
    return false;
  }
  if (!olderFilesPresent()) return false;
  if (!dialogs_.warning("", "Warning: All previously entered data will be overwritten")) {
    return false;
  }
  if (!olderTablesReadable()) return false;
  s_.CloseAll();
  if (!journalSettled(false)) return false;
  DataFilesHold hold(s_.engine(), kReplaced, false);
  if (!workTablesFree(hold) || !journalSettled(true) || !makeScratch()) return false;
  show("Converting Data Files");
  set(5);
  if (!copyFiles()) return false;
  for (const ConvertStep& step : ConvertSteps()) {
    if (!convert(step)) return false;
  }
  return transferDescriptions() && swapIn();
}

}  // namespace

bool ImportOlderData(DataSession& session, const std::string& dir, base::Dialogs& dialogs,
                     base::Progress* progress) {
  return Import(session, dir, dialogs, progress).run();
}

int FinishImport(DataSession& session) {
  session.CloseAll();
  return session.PackAll();
}

}  // namespace vt::data
