#include "data/invoice_journal.h"

#include <sstream>

#include "base/convert.h"
#include "base/text1252.h"
#include "data/datafiles.h"
#include "data/whole_file.h"

namespace vt::data {

namespace {

constexpr const char* kMagic = "VTJ1";
constexpr const char* kEnd = "END";

std::string JournalPath(engine::Engine& engine) {
  return engine.directory() + "/" + kInvoiceJournal;
}

std::string Encode(int ivNo, const std::vector<InvoiceJournal::Kept>& kept) {
  std::string out =
      std::string(kMagic) + " " + std::to_string(ivNo) + " " + std::to_string(kept.size()) + "\n";
  for (const InvoiceJournal::Kept& k : kept) {
    out += k.table + " " + std::to_string(k.countBefore) + " " + std::to_string(k.images.size()) +
           "\n";
    for (const auto& [recNo, bytes] : k.images) {
      out += std::to_string(recNo) + " " + std::to_string(bytes.size()) + "\n" + bytes;
    }
  }
  return out + kEnd + "\n";
}

// The journal's contents; false when they are not a whole journal.
bool Decode(const std::string& text, int& ivNo, std::vector<InvoiceJournal::Kept>& kept) {
  std::istringstream in(text);
  std::string magic;
  size_t tables = 0;
  if (!(in >> magic >> ivNo >> tables) || magic != kMagic || tables > 8) return false;
  for (size_t t = 0; t < tables; ++t) {
    InvoiceJournal::Kept k;
    size_t images = 0;
    if (!(in >> k.table >> k.countBefore >> images)) return false;
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

bool ReadJournal(engine::FileSystem& fs, const std::string& path, std::string& text) {
  const std::unique_ptr<engine::File> file = fs.open(path, engine::OpenMode::ReadOnly);
  uint64_t size = 0;
  if (!file || !file->size(&size)) return false;
  text.assign(size, '\0');
  size_t got = 0;
  return file->read(0, text.data(), text.size(), &got) && got == text.size();
}

engine::Table* TableNamed(DataSession& session, const std::string& name) {
  for (engine::Table* table :
       {session.invoices(), session.items(), session.payments(), session.customers()}) {
    if (table && base::upper1252(table->name()) == base::upper1252(name)) return table;
  }
  return nullptr;
}

// Puts one table's kept records back and marks deleted the records of the
// invoice (or blank ones) added after the journal was written.
int PutBack(DataSession& session, const InvoiceJournal::Kept& kept, int ivNo) {
  engine::Table* table = TableNamed(session, kept.table);
  if (!table) return engine::kErrOpen;
  engine::Engine& engine = session.engine();
  engine.errorCode();
  for (const auto& [recNo, bytes] : kept.images) {
    if (table->go(recNo) != engine::Result::Success) return engine.errorCode();
    if (const int status = table->assignImage(bytes); status < 0) return status;
    if (const int status = table->flush(); status < 0) return status;
  }
  engine::Field* number = table->field("IvNo");
  const uint32_t count = table->recCount();
  for (uint32_t recNo = kept.countBefore + 1; number && recNo <= count; ++recNo) {
    if (table->go(recNo) != engine::Result::Success) return engine.errorCode();
    const long owner = number->asLong();
    if (table->deleted() || (owner != ivNo && owner != 0)) continue;
    table->deleteRecord();
    if (const int status = table->flush(); status < 0) return status;
    session.NeedsPack = true;
  }
  return engine.errorCode();
}

using Opener = bool (DataSession::*)();

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

bool InvoiceTablesOpen(DataSession& session) {
  return session.invoices() && session.items() && session.payments() && session.customers();
}

}  // namespace

InvoiceJournal::InvoiceJournal(DataSession& session, int ivNo) : session_(session), ivNo_(ivNo) {}

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

int InvoiceJournal::Begin(long headerRecNo, int cuno) {
  if (!InvoiceTablesOpen(session_)) return engine::kErrOpen;
  engine::Engine& engine = session_.engine();
  engine.errorCode();
  kept_.clear();
  engine::Table& invoices = *session_.invoices();
  Kept header{invoices.name(), invoices.recCount(), {}};
  if (headerRecNo > 0 &&
      invoices.go(static_cast<uint32_t>(headerRecNo)) == engine::Result::Success) {
    header.images.emplace_back(invoices.recNo(), invoices.recordImage());
  }
  kept_.push_back(std::move(header));
  for (auto [table, tagName] :
       {std::pair{session_.items(), "Itm"}, std::pair{session_.payments(), "Pmt"}}) {
    Kept lines{table->name(), table->recCount(), {}};
    if (const int status = keepLines(*table, tagName, lines); status < 0) return status;
    kept_.push_back(std::move(lines));
  }
  engine::Table& customers = *session_.customers();
  Kept customer{customers.name(), customers.recCount(), {}};
  engine::Tag* was = customers.selectedTag();
  customers.selectTag(customers.tag("CCNO"));
  if (cuno > 0 && customers.seek(base::PadNumber(cuno, 6)) == engine::Result::Success) {
    customer.images.emplace_back(customers.recNo(), customers.recordImage());
  }
  customers.selectTag(was);
  kept_.push_back(std::move(customer));
  if (const int status = engine.errorCode(); status < 0) return status;
  return WriteWholeFile(engine.fs(), JournalPath(engine), Encode(ivNo_, kept_)) ? 0
                                                                                : engine::kErrWrite;
}

int InvoiceJournal::Finish() {
  engine::Engine& engine = session_.engine();
  engine::FileSystem& fs = engine.fs();
  if (!fs.remove(JournalPath(engine))) return engine::kErrWrite;
  return fs.syncDir(engine.directory()) ? 0 : engine::kErrWrite;
}

int InvoiceJournal::RollBack() {
  for (const Kept& kept : kept_) {
    if (const int status = PutBack(session_, kept, ivNo_); status < 0) return status;
  }
  return Finish();
}

int RecoverInvoiceWork(DataSession& session) {
  engine::Engine& engine = session.engine();
  const std::string path = JournalPath(engine);
  if (!engine.fs().exists(path)) return 0;
  std::string text;
  int ivNo = 0;
  std::vector<InvoiceJournal::Kept> kept;
  // The journal is renamed into place whole before any table is written:
  // one that cannot be read as a whole was never acted on.
  if (!ReadJournal(engine.fs(), path, text) || !Decode(text, ivNo, kept)) {
    return InvoiceJournal(session, 0).Finish();
  }
  // A stop part way through a record's write can leave its indexes behind
  // the table: they are built again from the tables before anything is put
  // back, with every table closed.
  const std::vector<Opener> wereOpen = OpenTables(session);
  session.CloseAll();
  int status = RebuildIndexFiles(engine, false, nullptr).status;
  if (status == 0 && !(session.OpenInvoices() && session.OpenItems() && session.OpenPayments() &&
                       session.OpenCustomers())) {
    status = engine::kErrOpen;
  }
  if (status == 0) {
    InvoiceJournal recovered(session, ivNo);
    recovered.adopt(std::move(kept));
    status = recovered.RollBack();
  }
  session.CloseAll();
  for (Opener open : wereOpen) (session.*open)();
  return status;
}

}  // namespace vt::data
