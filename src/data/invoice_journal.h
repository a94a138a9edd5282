// Saving or deleting an invoice writes several records of INV5, ITM5, PMT
// and CUST5. Before the first of those writes, the journal keeps a copy of
// every record the work may change (the invoice's header, items and
// payments, its customer's record) and how many records each table held, in
// one file beside the tables, made durable. The work then writes; when it is
// done the journal goes. A failure at any write puts every kept record back
// and takes back the records the work added, so the invoice stands wholly as
// it was; a stop (a crash, a kill) leaves the journal, and the next start or
// save puts the records back the same way.
#pragma once

#include <cstdint>
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

  // Keeps the header record `headerRecNo` (none when not above 0), every
  // item and payment record of the invoice, and the record of customer
  // `cuno`, then writes the journal. 0, or a negative status with nothing
  // written to any table.
  int Begin(long headerRecNo, int cuno);
  // The work is done: the journal goes. 0 or a negative status (the work
  // stands either way; a journal left behind is only ever finished by the
  // next recovery, which then puts the records back).
  int Finish();
  // The work failed: every kept record put back, the records it added marked
  // deleted, the journal removed. 0, or a negative status with the journal
  // left for the next recovery.
  int RollBack();

  // A table's part of the journal.
  struct Kept {
    std::string table;  // the table's name as opened ("INV5")
    uint32_t countBefore = 0;
    std::vector<std::pair<uint32_t, std::string>> images;  // record number, bytes
  };

 private:
  friend int RecoverInvoiceWork(DataSession& session);
  void adopt(std::vector<Kept> kept) { kept_ = std::move(kept); }
  int keepLines(engine::Table& table, const char* tagName, Kept& kept);

  DataSession& session_;
  int ivNo_;
  std::vector<Kept> kept_;
};

// Puts back the records of a save or deletion that a stop left unfinished
// (the journal in the session's directory), opening the tables it needs.
// 0 when there was none or every record is back; a negative status with
// the journal left when the tables cannot be had.
int RecoverInvoiceWork(DataSession& session);

}  // namespace vt::data
