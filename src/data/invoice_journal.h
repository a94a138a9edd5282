// Saving or deleting an invoice writes several records of INV5, ITM5, PMT
// and CUST5. Before the first of those writes, the journal keeps a copy of
// every record the work may change (the invoice's header, items and
// payments, its customer's record), how many records each table held and
// which file each table was, in one file beside the tables, made durable.
// The work then writes; when it is done the tables are synced and the
// journal goes. A failure at any write puts every kept record back and takes
// back the records the work added, so the invoice stands wholly as it was; a
// stop (a crash, a kill) leaves the journal, and the next command, start or
// save puts the records back the same way, but only into the tables the
// journal was taken from. One save at a time holds the directory's save lock
// from the journal's writing to its removal.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/data_session.h"

namespace vt::data {

// The journal's name in the data directory.
inline constexpr const char* kInvoiceJournal = "invoice.journal";

class InvoiceJournal {
 public:
  // The work on invoice `ivNo`; INV5, ITM5, PMT and CUST5 must be open.
  InvoiceJournal(DataSession& session, int ivNo);
  ~InvoiceJournal();
  InvoiceJournal(const InvoiceJournal&) = delete;
  InvoiceJournal& operator=(const InvoiceJournal&) = delete;

  // Takes the save lock (waiting while another program saves), keeps the
  // header record `headerRecNo` (none when not above 0), every item and
  // payment record of the invoice, and the record of customer `cuno`, then
  // writes the journal. 0, or a negative status with nothing written to any
  // table and the lock let go (kErrLocked when a journal another save left
  // is still there).
  int Begin(long headerRecNo, int cuno);
  // The work is done: the tables synced, the journal goes, the lock is let
  // go. 0 or a negative status (the work stands either way; a journal left
  // behind is only ever finished by the next recovery, which then puts the
  // records back).
  int Finish();
  // The work failed: every kept record put back, the records it added marked
  // deleted, the journal removed. 0, or a negative status with the journal
  // left for the next recovery.
  int RollBack();

  // A table's part of the journal.
  struct Kept {
    std::string table;  // the table's name as opened ("INV5")
    uint32_t countBefore = 0;
    engine::FileIdentity file;  // the .dbf it was taken from (0 0: not known)
    std::vector<std::pair<uint32_t, std::string>> images;  // record number, bytes
  };

 private:
  int keepLines(engine::Table& table, const char* tagName, Kept& kept);
  Kept keep(engine::Table& table);

  DataSession& session_;
  int ivNo_;
  std::vector<Kept> kept_;
  std::unique_ptr<engine::File> lock_;
};

// How a pending journal was settled.
struct JournalSettled {
  int status = 0;              // 0, or negative with the journal left
  bool discarded = false;      // it was taken from other tables and was removed unused
  bool markedDeleted = false;  // records were marked deleted: a pack is due
};

// Puts back the records of a save or deletion that a stop left unfinished
// (the journal in the engine's directory), opening and closing the tables
// it needs; every index is rebuilt first. Waits while another program saves.
// A journal that does not fit the tables (other files, fewer records) is
// removed without touching them.
JournalSettled SettleInvoiceJournal(engine::Engine& engine);

// SettleInvoiceJournal for a session: its tables are closed for the work and
// opened again after. 0 when there was none or every record is back; a
// negative status with the journal left when the tables cannot be had.
int RecoverInvoiceWork(DataSession& session);

// Whether a journal is waiting in `dir`.
bool InvoiceJournalPending(engine::FileSystem& fs, const std::string& dir);

}  // namespace vt::data
