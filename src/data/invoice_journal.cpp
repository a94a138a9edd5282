#include "data/invoice_journal.h"

#include <map>
#include <sstream>

#include "base/convert.h"
#include "base/text1252.h"
#include "data/datafiles.h"
#include "data/table_defs.h"
#include "data/whole_file.h"

namespace vt::data {

namespace {

constexpr const char* kMagic = "VTJ2";
constexpr const char* kMagicWithoutFiles = "VTJ1";  // written before journals named their files
constexpr const char* kEnd = "END";
constexpr const char* kJournalTables[] = {"INV5", "ITM5", "PMT", "CUST5"};
// One byte of INV5.dbf, past any record and the engine's own locks, that a
// save holds exclusively from its journal's writing to its removal.
constexpr uint64_t kSaveLockOffset = 0x7FFFFFF2ull;

std::string JournalPath(engine::Engine& engine) {
  return engine.directory() + "/" + kInvoiceJournal;
}

std::string DbfPath(engine::Engine& engine, const std::string& table) {
  return engine::resolvePath(engine.fs(), engine.directory(), table + ".dbf");
}

bool KnownTable(const std::string& name) {
  for (const char* table : kJournalTables) {
    if (base::upper1252(name) == base::upper1252(table)) return true;
  }
  return false;
}

std::string Encode(int ivNo, const std::vector<InvoiceJournal::Kept>& kept) {
  std::string out =
      std::string(kMagic) + " " + std::to_string(ivNo) + " " + std::to_string(kept.size()) + "\n";
  for (const InvoiceJournal::Kept& k : kept) {
    out += k.table + " " + std::to_string(k.countBefore) + " " + std::to_string(k.images.size()) +
           " " + std::to_string(k.file.device) + " " + std::to_string(k.file.inode) + "\n";
    for (const auto& [recNo, bytes] : k.images) {
      out += std::to_string(recNo) + " " + std::to_string(bytes.size()) + "\n" + bytes;
    }
  }
  return out + kEnd + "\n";
}

// The contents of a journal; false when they are not a whole journal.
bool Decode(const std::string& text, int& ivNo, std::vector<InvoiceJournal::Kept>& kept) {
  std::istringstream in(text);
  std::string magic;
  size_t tables = 0;
  if (!(in >> magic >> ivNo >> tables) || (magic != kMagic && magic != kMagicWithoutFiles) ||
      tables > 8) {
    return false;
  }
  for (size_t t = 0; t < tables; ++t) {
    InvoiceJournal::Kept k;
    size_t images = 0;
    if (!(in >> k.table >> k.countBefore >> images) || !KnownTable(k.table)) return false;
    if (magic == kMagic && !(in >> k.file.device >> k.file.inode)) return false;
    for (size_t i = 0; i < images; ++i) {
      uint32_t recNo = 0;
      size_t length = 0;
      if (!(in >> recNo >> length) || in.get() != '\n' || length > 65536) return false;
      std::string bytes(length, '\0');
      if (!in.read(bytes.data(), static_cast<std::streamsize>(length))) return false;
      k.images.emplace_back(recNo, std::move(bytes));
    }
    kept.push_back(std::move(k));
  }
  std::string end;
  return in >> end && end == kEnd;
}

// The directory's save lock, waited for; null when INV5.dbf cannot be had.
std::unique_ptr<engine::File> TakeSaveLock(engine::Engine& engine) {
  engine::FileSystem& fs = engine.fs();
  const std::string path = DbfPath(engine, "INV5");
  // A pack of another program may put a new file under the name meanwhile.
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::unique_ptr<engine::File> file = fs.open(path, engine::OpenMode::ReadWrite);
    if (!file || !file->lock(kSaveLockOffset, 1, engine::LockKind::Exclusive, true)) break;
    if (engine::stillNamed(fs, path, *file)) return file;
  }
  return nullptr;
}

// Makes every file of the journal's tables durable.
int SyncTables(engine::Engine& engine, const std::vector<InvoiceJournal::Kept>& kept) {
  engine::FileSystem& fs = engine.fs();
  for (const InvoiceJournal::Kept& k : kept) {
    const TableDef* def = findTableDef(k.table);
    if (!def) continue;
    std::vector<std::string> files = def->indexFiles();
    files.push_back(def->dbfName());
    if (def->memo) files.push_back(def->dbtName());
    for (const std::string& name : files) {
      const std::string path = engine::resolvePath(fs, engine.directory(), name);
      if (!fs.exists(path)) continue;
      const std::unique_ptr<engine::File> file = fs.open(path, engine::OpenMode::ReadOnly);
      if (!file || !file->sync()) return engine::kErrWrite;
    }
  }
  return 0;
}

// The journal's removal, made durable.
int RemoveJournal(engine::Engine& engine) {
  engine::FileSystem& fs = engine.fs();
  if (fs.exists(JournalPath(engine)) && !fs.remove(JournalPath(engine))) return engine::kErrWrite;
  return fs.syncDir(engine.directory()) ? 0 : engine::kErrWrite;
}

// Puts one table's kept records back and marks deleted the records of the
// invoice (or blank ones) added after the journal was written.
int PutBack(engine::Engine& engine, engine::Table& table, const InvoiceJournal::Kept& kept,
            int ivNo, bool* markedDeleted) {
  engine.errorCode();
  for (const auto& [recNo, bytes] : kept.images) {
    if (table.go(recNo) != engine::Result::Success) return engine.errorCode();
    if (const int status = table.assignImage(bytes); status < 0) return status;
    if (const int status = table.flush(); status < 0) return status;
  }
  engine::Field* number = table.field("IvNo");
  const uint32_t count = table.recCount();
  for (uint32_t recNo = kept.countBefore + 1; number && recNo <= count; ++recNo) {
    if (table.go(recNo) != engine::Result::Success) return engine.errorCode();
    const long owner = number->asLong();
    if (table.deleted() || (owner != ivNo && owner != 0)) continue;
    table.deleteRecord();
    if (const int status = table.flush(); status < 0) return status;
    *markedDeleted = true;
  }
  return engine.errorCode();
}

engine::Table* TableNamed(const std::vector<engine::Table*>& tables, const std::string& name) {
  for (engine::Table* table : tables) {
    if (table && base::upper1252(table->name()) == base::upper1252(name)) return table;
  }
  return nullptr;
}

// Whether the journal was taken from these files: the same .dbf of each
// table where both are known.
bool SameFiles(engine::Engine& engine, const std::vector<InvoiceJournal::Kept>& kept) {
  for (const InvoiceJournal::Kept& k : kept) {
    engine::FileIdentity now;
    if (k.file == engine::FileIdentity{}) continue;
    if (engine.fs().identity(DbfPath(engine, k.table), &now) && !(now == k.file)) return false;
  }
  return true;
}

// Whether the open tables still hold every record the journal kept and had.
bool RecordsFit(const std::vector<engine::Table*>& tables,
                const std::vector<InvoiceJournal::Kept>& kept) {
  for (const InvoiceJournal::Kept& k : kept) {
    engine::Table* table = TableNamed(tables, k.table);
    if (!table || table->recCount() < k.countBefore) return false;
    for (const auto& image : k.images) {
      if (image.first == 0 || image.first > table->recCount()) return false;
    }
  }
  return true;
}

// Opens the journal's tables with their indexes, shared.
int OpenJournalTables(engine::Engine& engine, const std::vector<InvoiceJournal::Kept>& kept,
                      std::vector<engine::Table*>* tables) {
  engine.errorCode();
  for (const InvoiceJournal::Kept& k : kept) {
    engine::Table* table = engine.open(k.table);
    if (!table) {
      const int status = engine.errorCode();
      return status < 0 ? status : engine::kErrOpen;
    }
    tables->push_back(table);
  }
  return 0;
}

// With the save lock held and the journal read: the indexes of the
// journal's tables rebuilt (a stop part way through a record's write can
// leave them behind the table), then the records put back when the journal
// fits the tables.
JournalSettled PutBackJournal(engine::Engine& engine, int ivNo,
                              const std::vector<InvoiceJournal::Kept>& kept) {
  JournalSettled settled;
  if (!SameFiles(engine, kept)) {
    settled.discarded = true;
    settled.status = RemoveJournal(engine);
    return settled;
  }
  engine.closeAll();
  std::vector<std::string> names;
  for (const InvoiceJournal::Kept& k : kept) names.push_back(k.table);
  settled.status = RebuildIndexFiles(engine, false, nullptr, names).status;
  std::vector<engine::Table*> tables;
  if (settled.status == 0) settled.status = OpenJournalTables(engine, kept, &tables);
  if (settled.status == 0 && !RecordsFit(tables, kept)) settled.discarded = true;
  for (const InvoiceJournal::Kept& k : kept) {
    if (settled.status < 0 || settled.discarded) break;
    settled.status = PutBack(engine, *TableNamed(tables, k.table), k, ivNo, &settled.markedDeleted);
  }
  if (settled.status == 0 && !settled.discarded) settled.status = SyncTables(engine, kept);
  engine.closeAll();
  if (settled.status == 0) settled.status = RemoveJournal(engine);
  return settled;
}

}  // namespace

InvoiceJournal::InvoiceJournal(DataSession& session, int ivNo) : session_(session), ivNo_(ivNo) {}

InvoiceJournal::~InvoiceJournal() = default;

int InvoiceJournal::keepLines(engine::Table& table, const char* tagName, Kept& kept) {
  engine::Engine& engine = session_.engine();
  engine::Tag* byInvoice = table.tag(tagName);
  if (!byInvoice) return engine::kErrTag;
  table.selectTag(byInvoice);
  for (engine::Result at = table.seek(base::PadNumber(ivNo_, 6));
       at == engine::Result::Success && table.field("IvNo")->asLong() == ivNo_;
       at = table.skip(1)) {
    kept.images.emplace_back(table.recNo(), table.recordImage());
  }
  return engine.errorCode();
}

InvoiceJournal::Kept InvoiceJournal::keep(engine::Table& table) {
  Kept kept{table.name(), table.recCount(), {}, {}};
  session_.engine().fs().identity(DbfPath(session_.engine(), table.name()), &kept.file);
  return kept;
}

int InvoiceJournal::Begin(long headerRecNo, int cuno) {
  if (!session_.invoices() || !session_.items() || !session_.payments() || !session_.customers()) {
    return engine::kErrOpen;
  }
  engine::Engine& engine = session_.engine();
  lock_ = TakeSaveLock(engine);
  if (!lock_) return engine::kErrLocked;
  // A save that stopped after this program's recovery left its journal.
  if (InvoiceJournalPending(engine.fs(), engine.directory())) {
    lock_.reset();
    return engine::kErrLocked;
  }
  engine.errorCode();
  kept_.clear();
  engine::Table& invoices = *session_.invoices();
  Kept header = keep(invoices);
  if (headerRecNo > 0 &&
      invoices.go(static_cast<uint32_t>(headerRecNo)) == engine::Result::Success) {
    header.images.emplace_back(invoices.recNo(), invoices.recordImage());
  }
  kept_.push_back(std::move(header));
  for (auto [table, tagName] :
       {std::pair{session_.items(), "Itm"}, std::pair{session_.payments(), "Pmt"}}) {
    Kept lines = keep(*table);
    if (const int status = keepLines(*table, tagName, lines); status < 0) {
      lock_.reset();
      return status;
    }
    kept_.push_back(std::move(lines));
  }
  engine::Table& customers = *session_.customers();
  Kept customer = keep(customers);
  engine::Tag* was = customers.selectedTag();
  customers.selectTag(customers.tag("CCNO"));
  if (cuno > 0 && customers.seek(base::PadNumber(cuno, 6)) == engine::Result::Success) {
    customer.images.emplace_back(customers.recNo(), customers.recordImage());
  }
  customers.selectTag(was);
  kept_.push_back(std::move(customer));
  int status = engine.errorCode();
  if (status == 0 && !WriteWholeFile(engine.fs(), JournalPath(engine), Encode(ivNo_, kept_))) {
    status = engine::kErrWrite;
  }
  if (status < 0) lock_.reset();
  return status;
}

int InvoiceJournal::Finish() {
  engine::Engine& engine = session_.engine();
  int status = SyncTables(engine, kept_);
  if (status == 0) status = RemoveJournal(engine);
  lock_.reset();
  return status;
}

int InvoiceJournal::RollBack() {
  std::vector<engine::Table*> tables = {session_.invoices(), session_.items(), session_.payments(),
                                        session_.customers()};
  for (const Kept& kept : kept_) {
    engine::Table* table = TableNamed(tables, kept.table);
    bool markedDeleted = false;
    const int status =
        table ? PutBack(session_.engine(), *table, kept, ivNo_, &markedDeleted) : engine::kErrOpen;
    if (markedDeleted) session_.NeedsPack = true;
    if (status < 0) {
      lock_.reset();
      return status;
    }
  }
  return Finish();
}

bool InvoiceJournalPending(engine::FileSystem& fs, const std::string& dir) {
  return fs.exists(dir + "/" + kInvoiceJournal);
}

JournalSettled SettleInvoiceJournal(engine::Engine& engine) {
  engine::FileSystem& fs = engine.fs();
  if (!InvoiceJournalPending(fs, engine.directory())) return {};
  const std::unique_ptr<engine::File> lock = TakeSaveLock(engine);
  if (!lock) return {engine::kErrLocked};
  // The journal of a save under way goes when that save ends.
  if (!InvoiceJournalPending(fs, engine.directory())) return {};
  std::string text;
  int ivNo = 0;
  std::vector<InvoiceJournal::Kept> kept;
  // The journal is renamed into place whole before any table is written:
  // one that cannot be read as a whole was never acted on.
  if (!ReadWholeFile(fs, JournalPath(engine), text) || !Decode(text, ivNo, kept)) {
    return {RemoveJournal(engine)};
  }
  const bool autoOpen = engine.autoOpen;
  const engine::AccessMode mode = engine.accessMode;
  engine.autoOpen = true;
  engine.accessMode = engine::AccessMode::Shared;
  const JournalSettled settled = PutBackJournal(engine, ivNo, kept);
  engine.autoOpen = autoOpen;
  engine.accessMode = mode;
  return settled;
}

using Opener = bool (DataSession::*)();

namespace {

// How to open again each table the session has open.
std::vector<Opener> OpenTables(DataSession& session) {
  const std::pair<TableId, Opener> openers[] = {{TableId::Customers, &DataSession::OpenCustomers},
                                                {TableId::Groups, &DataSession::OpenGroups},
                                                {TableId::Invoices, &DataSession::OpenInvoices},
                                                {TableId::Items, &DataSession::OpenItems},
                                                {TableId::Labels, &DataSession::OpenLabels},
                                                {TableId::Payments, &DataSession::OpenPayments},
                                                {TableId::Products, &DataSession::OpenProducts},
                                                {TableId::Purchases, &DataSession::OpenPurchases},
                                                {TableId::Settings, &DataSession::OpenSettings}};
  std::vector<Opener> open;
  for (const auto& [id, opener] : openers) {
    if (session.table(id)) open.push_back(opener);
  }
  return open;
}

}  // namespace

int RecoverInvoiceWork(DataSession& session) {
  engine::Engine& engine = session.engine();
  if (!InvoiceJournalPending(engine.fs(), engine.directory())) return 0;
  const std::vector<Opener> wereOpen = OpenTables(session);
  session.CloseAll();
  const JournalSettled settled = SettleInvoiceJournal(engine);
  if (settled.markedDeleted) session.NeedsPack = true;
  session.CloseAll();
  for (Opener open : wereOpen) (session.*open)();
  return settled.status;
}

}  // namespace vt::data
