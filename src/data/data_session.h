// The table access layer: the one object of a run that stands between the
// windows and the engine. It holds the engine, the open tables with their
// field handles, one record buffer per table, the current-record numbers,
// the pending-pack flag, the views of the current invoice and the settings
// variables. Tables are opened per piece of work by the Open routines and
// closed together by CloseAll.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "base/convert.h"
#include "base/dialogs.h"
#include "base/program_exit.h"
#include "base/progress.h"
#include "data/field_values.h"
#include "data/records.h"
#include "data/selection_cycle.h"
#include "data/settings_record.h"
#include "engine/engine.h"

namespace vt::data {

enum class TableId {
  Customers,
  Groups,
  Invoices,
  Items,
  Labels,
  Payments,
  Products,
  Purchases,
  Settings
};
constexpr size_t kTableIdCount = 9;

// Columns of a row of ItemLines and of PmtLines.
struct ItemCol {
  enum Index : size_t { PrID, Qty, UPR, LTax1, LTax2, PDesc, IComm, RCode, PMemo, Count };
};
struct PmtCol {
  enum Index : size_t { PDate, PAmt, Count };
};
using ItemRow = std::array<std::string, ItemCol::Count>;
using PmtRow = std::array<std::string, PmtCol::Count>;

struct SessionOptions {
  // The file system the engine works on; the real one when null.
  engine::FileSystem* fs = nullptr;
  // The main window's progress box (PackAll); no box when null.
  base::Progress* progress = nullptr;
  // The current date and time; the system clock when empty.
  std::function<base::DateTime()> now;
  // The system's short date text (printed documents and reports); IsoDate
  // when empty, as the command-line tool has no locale.
  std::function<std::string(const base::DateTime&)> shortDate;
  // The date text of the invoice views (payment dates in PmtLines): the
  // numeric form the windows' date entry reads back in every locale, the
  // same for stored payments as for new ones; IsoDate when empty.
  std::function<std::string(const base::DateTime&)> viewDate;
  // The system's amount text with the C format "%<width>.<decimals>f"
  // (quantities, prices and payment amounts in the views); FloatText, with
  // "." as the decimal point, when empty.
  std::function<std::string(double value, int width, int decimals)> amountText;
  // A table another program holds is told as in use, with nothing changed
  // (the command-line tool), rather than as a file that cannot be opened.
  bool tellTablesInUse = false;
};

class DataSession {
 public:
  // Works on the data files in `directory`. Failures to open a table are
  // told through `dialogs` and end the program through `exit`.
  DataSession(std::string directory, base::Dialogs& dialogs, base::ProgramExit& exit,
              SessionOptions options = {});
  DataSession(const DataSession&) = delete;
  DataSession& operator=(const DataSession&) = delete;

  engine::Engine& engine() { return engine_; }
  base::ProgramExit& programExit() { return exit_; }
  base::DateTime now() const;
  // A date and an amount ("%<width>.<decimals>f") as the views and printed
  // documents show them: the system's short date and decimal separator
  // (IsoDate and "." without a locale).
  std::string shortDateText(const base::DateTime& date) const;
  // A date as the invoice views hold it (SessionOptions::viewDate).
  std::string viewDateText(const base::DateTime& date) const;
  std::string viewAmount(double value, int width, int decimals) const;

  // ---- State shared by the windows ----

  Settings settings;

  CustomerRecord Customer;
  GroupRecord Group;
  InvoiceRecord Invoice;
  ItemRecord Item;
  LabelRecord Label;
  PaymentRecord Payment;
  ProductRecord Product;
  PurchaseRecord Purchase;

  // Record numbers from 1; a picker leaves 0 for New and -1 for Cancel.
  long CurCustomer = 0;
  long CurGroup = 0;
  long CurProduct = 0;
  long CurInvoice = 0;
  long CurPurchase = 0;
  long CurLabel = 0;
  long& Current(RecordKind kind);

  // A deletion is waiting to be packed.
  bool NeedsPack = false;
  // The result of the last positioning call made here.
  engine::Result EngineResult = engine::Result::Success;

  // The current customer's address block (five lines once built).
  std::vector<std::string> AddressLines;
  // The current invoice's items and payments as text cells; the count is
  // the index of the last row, -1 when there is none (one empty row then).
  std::vector<ItemRow> ItemLines{1};
  int ItemCount = -1;
  std::vector<PmtRow> PmtLines{1};
  int PmtCount = -1;

  // ---- Opening and closing ----

  // Each opens its table with its index group, selects the tag the table
  // opens with, goes to the top and maps the fields. A table that cannot be
  // opened, whose tag is missing or whose fields do not match ends the
  // program through OpenFailed; false only if the exit hook returns.
  bool OpenCustomers();
  bool OpenGroups();
  bool OpenInvoices();
  bool OpenItems();
  bool OpenLabels();
  bool OpenPayments();
  bool OpenProducts();
  bool OpenPurchases();

  // The open table, or null when it is not open.
  engine::Table* table(TableId id);
  engine::Table* customers() { return table(TableId::Customers); }
  engine::Table* groups() { return table(TableId::Groups); }
  engine::Table* invoices() { return table(TableId::Invoices); }
  engine::Table* items() { return table(TableId::Items); }
  engine::Table* labels() { return table(TableId::Labels); }
  engine::Table* payments() { return table(TableId::Payments); }
  engine::Table* products() { return table(TableId::Products); }
  engine::Table* purchases() { return table(TableId::Purchases); }

  // Closes every table (the end of each piece of work).
  void CloseAll();
  // Every open table held for reading (engine::Table::holdReads) until
  // ReleaseReads or its close: a report's walk reads without locking and
  // checking the files at every step, while nobody else writes. 0, or the
  // first negative status (every table released then).
  int HoldReads();
  void ReleaseReads();
  // While reads are held: lets the tables go for a moment every 256th call,
  // so that other users can write during a long walk.
  void PaceReads();
  void CloseTable(TableId id);

  // ---- The settings record ----

  // Opens VTR1 without indexes and goes to its one record; a failure ends
  // the program through OpenFailed with "VTR1.DBF".
  bool OpenSettings();
  // Copies every field of the record into `settings`. 0 or negative.
  int ReadSettings();
  // Writes every variable of `settings` into the record. 0 or negative.
  int WriteSettings();
  void CloseSettings() { CloseTable(TableId::Settings); }

  // ---- Records and buffers ----
  // Load copies the current record into the table's buffer, Store writes
  // the buffer into the current record. 0, or the engine's negative status
  // (kErrOpen when the table is not open).

  int LoadCustomer();
  int StoreCustomer();
  int LoadGroup();
  int StoreGroup();
  int LoadInvoice();
  int StoreInvoice();
  int LoadItem();
  int StoreItem();
  int LoadLabel();
  int StoreLabel();
  int LoadPayment();
  int StorePayment();
  int LoadProduct();
  int StoreProduct();
  int LoadPurchase();
  int StorePurchase();

  // ---- Shared routines ----

  // The customer's group into the group buffer (number 0 and an empty name
  // when there is none). Needs GROUPS open.
  int FindCustomerGroup();
  // AddressLines from the customer buffer and settings.ByCust.
  void CustomerAddress();
  // ItemLines from the items of the invoice in the buffer (needs ITM5 and
  // Prod5 open), PmtLines from its payments (needs PMT open).
  int LoadInvoiceItems();
  int LoadInvoicePayments();
  // Invoice CurInvoice with its items, payments, customer and address.
  int LoadFullInvoice();

  // Removes the records marked deleted from one table (opened deny-write
  // with its indexes, so they follow), compressing its memo file if asked.
  // A handle this session holds on the table is closed first.
  int PackTable(const std::string& name, bool compressMemo);
  // Packs every table with the progress box; clears NeedsPack when all
  // went well. 0, or the first failure.
  int PackAll();

  // ---- The selection cycle ----

  // Shows the picker and, for New, the editor; see selection_cycle.cpp.
  PickOutcome Pick(RecordKind kind, bool allowNew, RecordPicker& picker, RecordEditor& editor);
  PickOutcome PickCustomer(bool allowNew, RecordPicker& picker, RecordEditor& editor);
  PickOutcome PickGroup(bool allowNew, RecordPicker& picker, RecordEditor& editor);
  PickOutcome PickProduct(bool allowNew, RecordPicker& picker, RecordEditor& editor);
  PickOutcome PickInvoice(bool allowNew, RecordPicker& picker, RecordEditor& editor);
  PickOutcome PickPurchase(bool allowNew, RecordPicker& picker, RecordEditor& editor);
  PickOutcome PickLabel(bool allowNew, RecordPicker& picker, RecordEditor& editor);
  // The "Add & Edit" loop: the cycle with New allowed, the editor for each
  // chosen record that was not just saved new, until the cycle ends.
  // Returns the cycle's status (negative when the table is not open).
  int AddAndEdit(RecordKind kind, RecordPicker& picker, RecordEditor& editor);
  // Sets the kind's current-record number to the first (or last) record in
  // the table's selected order, 0 when it is empty.
  int StartAtTop(RecordKind kind);
  int StartAtBottom(RecordKind kind);

 private:
  bool openTable(TableId id);
  bool openFailed(const std::string& name, int status);
  MappedTable* live(TableId id);
  const MappedTable& mapped(TableId id);
  int startAt(RecordKind kind, bool bottom);
  int appendItemRow();
  int appendPaymentRow();
  // Seeks the lines of the invoice in the buffer and, while each loaded
  // line's number (`lineIvNo`, a buffer member) is the invoice's, appends
  // its row; lines marked deleted are passed over.
  int forEachInvoiceLine(engine::Table& lines, const char* tagName, int (DataSession::*load)(),
                         const int& lineIvNo, int (DataSession::*append)());

  engine::Engine engine_;
  base::Dialogs& dialogs_;
  base::ProgramExit& exit_;
  SessionOptions options_;
  std::array<MappedTable, kTableIdCount> tables_;
  bool readsHeld_ = false;
  unsigned readsPaced_ = 0;
};

}  // namespace vt::data
