#include "data/import_older.h"

#include "base/text1252.h"
#include "data/datafiles.h"
#include "data/import_convert.h"
#include "data/import_copy.h"
#include "data/older_table.h"
#include "data/table_defs.h"

namespace vt::data {

namespace {

// The older tables, as the older program names them.
constexpr const char* kOlderFiles[] = {"cust2.dbf",  "Groups.dbf", "inv.dbf",  "itm4.dbf",
                                       "labels.dbf", "pmt.dbf",    "Prod4.dbf"};

// The tables taken over as files, with the progress after each. The older
// product table is also kept beside the new one as it was.
struct CopyStep {
  const char* older;
  const char* target;
  bool convertText;
  int progressAfter;
};
constexpr CopyStep kCopies[] = {{"groups.dbf", "GROUPS.dbf", true, 10},
                                {"labels.dbf", "LABELS.dbf", true, 15},
                                {"Pmt.dbf", "PMT.dbf", true, 20},
                                {"Prod4.dbf", "Prod4.dbf", false, 25}};

// The tables the import replaces.
constexpr const char* kReplaced[] = {"Prod5", "CUST5", "INV5", "ITM5", "GROUPS", "LABELS", "PMT"};

class Import {
 public:
  Import(DataSession& session, const std::string& dir, base::Dialogs& dialogs,
         base::Progress* progress)
      : s_(session),
        dir_(dir),
        dialogs_(dialogs),
        progress_(progress),
        older_(dir, &session.engine().fs()),
        mode_(session.engine().accessMode) {
    older_.readOnly = true;
    older_.autoOpen = false;
  }
  ~Import() {
    s_.CloseAll();
    s_.engine().accessMode = mode_;
  }

  bool run();

 private:
  std::string olderPath(const std::string& name) {
    return engine::resolvePath(s_.engine().fs(), dir_, name);
  }
  bool olderFilesPresent();
  bool olderTableReadable(const std::string& name, const std::vector<const char*>& fields);
  bool olderTablesReadable();
  bool workTablesFree();
  bool copyFiles();
  bool convert(const ConvertStep& step);
  bool transferDescriptions();
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
  engine::AccessMode mode_;
};

bool Import::olderFilesPresent() {
  for (const char* name : kOlderFiles) {
    if (!s_.engine().fs().exists(olderPath(name))) {
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
    const std::string file = step.older;
    if (!olderTableReadable(file.substr(0, file.size() - 4), {})) return false;
  }
  for (const ConvertStep& step : ConvertSteps()) {
    if (!olderTableReadable(step.older, step.fields)) return false;
  }
  return true;
}

// No other program may have the tables open while they are replaced.
bool Import::workTablesFree() {
  engine::Engine& work = s_.engine();
  s_.CloseAll();
  const bool autoOpen = work.autoOpen;
  work.autoOpen = false;
  bool free = true;
  for (const char* name : kReplaced) {
    work.errorCode();
    engine::Table* table = work.open(name);
    const int status = work.errorCode();
    if (table) table->close();
    if (status < 0) {
      dialogs_.information("", "Unable to use " + std::string(name) + ".dbf (" +
                                   work.errorText(status) + "). Nothing was imported.");
      free = false;
      break;
    }
  }
  work.autoOpen = autoOpen;
  return free;
}

bool Import::stop(const std::string& file, int status, engine::Engine& engine) {
  dialogs_.information("", "The import stopped at " + file + " (" + engine.errorText(status) +
                               "). The data files are only partly replaced.");
  return false;
}

bool Import::copyFiles() {
  engine::Engine& work = s_.engine();
  for (const CopyStep& step : kCopies) {
    const std::string target = engine::resolvePath(work.fs(), work.directory(), step.target);
    const int status = CopyOlderTable(work, olderPath(step.older), target, step.convertText);
    if (status < 0) return stop(step.target, status, work);
    set(step.progressAfter);
  }
  return true;
}

bool Import::convert(const ConvertStep& step) {
  s_.CloseAll();
  OlderTable from;
  const std::string olderName = std::string(step.older) + ".dbf";
  int status = from.open(older_, step.older, step.fields);
  if (status < 0) return stop(olderPath(olderName), status, older_);
  if (!(s_.*step.open)()) return false;  // the program has ended
  engine::Table& to = *s_.table(step.target);
  status = to.zap();
  if (status == 0 && step.compressMemo) status = to.memoCompress();
  if (status < 0) return stop(to.name(), status, s_.engine());
  engine::Table& rows = from.table();
  const uint32_t count = rows.recCount();
  uint32_t done = 0;
  for (engine::Result r = rows.top(); r == engine::Result::Success; r = rows.skip()) {
    step.fill(from, s_);
    if (status = older_.errorCode(); status < 0) return stop(olderPath(olderName), status, older_);
    status = to.appendBlank();
    if (status >= 0) status = (s_.*step.store)();
    if (status < 0) return stop(to.name(), status, s_.engine());
    ++done;
    set(step.progressFrom +
        static_cast<int>(static_cast<uint64_t>(step.progressSpan) * done / count));
  }
  if (status = older_.errorCode(); status < 0) return stop(olderPath(olderName), status, older_);
  return true;
}

bool Import::transferDescriptions() {
  s_.CloseAll();
  const RebuildOutcome rebuilt = RebuildIndexFiles(s_.engine(), false, progress_);
  if (!rebuilt.ok()) return stop(rebuilt.table, rebuilt.status, s_.engine());
  if (!s_.OpenProducts() || !s_.OpenItems()) return false;  // the program has ended
  show("Transferring Item Descriptions");
  engine::Table& items = *s_.items();
  engine::Table& products = *s_.products();
  const size_t keyLength = products.selectedTag()->keyLength();
  const uint32_t count = items.recCount();
  uint32_t done = 0;
  int status = 0;
  for (engine::Result r = items.top(); r == engine::Result::Success && status == 0;
       r = items.skip()) {
    status = s_.LoadItem();
    std::string key = base::upper1252(base::fromUtf8(s_.Item.PrID));
    key.resize(keyLength, ' ');
    if (status == 0 && products.seek(key) == engine::Result::Success) {
      status = s_.LoadProduct();
      s_.Item.PDesc = s_.Product.PDesc;
      if (status == 0) status = s_.StoreItem();
    }
    ++done;
    set(static_cast<int>(uint64_t{100} * done / count));
  }
  if (status == 0) status = s_.engine().errorCode();
  return status < 0 ? stop(items.name(), status, s_.engine()) : true;
}

bool Import::run() {
  if (!olderFilesPresent()) return true;
  if (!dialogs_.warning("", "Warning: All previously entered data will be overwritten")) {
    return true;
  }
  if (!olderTablesReadable()) return true;
  s_.engine().accessMode = engine::AccessMode::DenyWrite;
  if (!workTablesFree()) return true;
  show("Converting Data Files");
  set(5);
  if (!copyFiles()) return false;
  for (const ConvertStep& step : ConvertSteps()) {
    if (!convert(step)) return false;
  }
  return transferDescriptions();
}

}  // namespace

bool ImportOlderData(DataSession& session, const std::string& dir, base::Dialogs& dialogs,
                     base::Progress* progress) {
  return Import(session, dir, dialogs, progress).run();
}

int FinishImport(DataSession& session, bool completed, base::Dialogs& dialogs,
                 base::ProgramExit& exit, base::Progress* progress) {
  session.CloseAll();
  if (!completed) RebuildIndexes(session.engine(), false, progress, dialogs, exit);
  return session.PackAll();
}

}  // namespace vt::data
