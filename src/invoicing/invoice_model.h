// The invoice being edited: its amounts, its number, and storing and
// deleting it. It works on the session's invoice buffer (Invoice), the views
// ItemLines, PmtLines and AddressLines, the customer buffer's note and the
// settings, with INV5, ITM5, PMT and CUST5 open. No widget: the invoice
// editor calls these routines and shows what they leave behind.
//
// Computing and showing are split. ComputeTaxes puts the computed charges
// into the buffer's Ship and Tax; ShowInvoice, ShowPayments and ShowTotalDue
// compute the amounts the editor shows into totals(), with the "%10.2f"
// texts it shows them as, and show nothing themselves: the editor's
// routines of the same names call them and fill their fields from totals().
//
// Amount and date texts of the views are read through ViewTexts; a text
// that is not a number or a date throws its conversion error and the
// routine stops there (SaveInvoice reads every text before it writes
// anything). Questions and failures go through the dialog interface. The
// editor shows the hourglass around SaveInvoice and DeleteInvoice.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/dialogs.h"
#include "data/data_session.h"
#include "invoicing/invoice_arithmetic.h"
#include "invoicing/view_texts.h"

namespace vt::invoicing {

// The invoice number field has six digits.
constexpr int kMaxInvoiceNumber = 999999;

// What the editor shows below the items.
struct InvoiceTotals {
  double Subtotal = 0;      // the line totals added up
  double Ship = 0;          // Tax 1, from the buffer
  double Tax = 0;           // Tax 2, from the buffer
  double InvoiceTotal = 0;  // Subtotal + Ship + Tax
  double PaidTotal = 0;     // the payments added up
  double Due = 0;           // InvoiceTotal - PaidTotal
  // The same as the editor shows them, "%10.2f".
  std::string subtotalText, shipText, taxText, totalText, paidText, dueText;
};

// "The <name> is too large: …", the box that refuses an amount no invoice
// field holds.
std::string AmountTooLargeMessage(const std::string& name);

class InvoiceModel {
 public:
  InvoiceModel(data::DataSession& session, base::Dialogs& dialogs,
               const ViewTexts& texts = plainViewTexts());

  const InvoiceTotals& totals() const { return totals_; }

  // ---- Amounts (after an item changed: ComputeTaxes, then ShowInvoice;
  // after a payment changed: ShowPayments; after Ship or Tax was typed:
  // ShowTotalDue; on opening an invoice: ShowInvoice only) ----

  // Ship and Tax from the items and the settings, overwriting amounts typed
  // by hand; a charge whose rate is 0 keeps its amount (it is typed), and
  // with no item the computed charges are 0.00.
  void ComputeTaxes();
  // Subtotal from the items, then ShowPayments.
  const InvoiceTotals& ShowInvoice();
  // PaidTotal from the payments; InvoiceTotal, and Due (into the buffer too)
  // as the total less the payments, all to the cent.
  const InvoiceTotals& ShowPayments();
  // InvoiceTotal and Due after Ship or Tax was typed.
  const InvoiceTotals& ShowTotalDue();
  // After Ship was typed: Tax computed again from it when Tax 2 is charged
  // on Tax 1 (and its rate is not 0), then ShowTotalDue.
  const InvoiceTotals& ShipTyped();

  // ---- Numbering ----

  // The highest stored invoice number + 1 (records marked deleted left
  // out), 1 when INV5 has no live record; a
  // negative engine status when INV5 cannot be read. Leaves INV5 in the
  // "Inv" order; the invoice buffer is not touched.
  int NextInvoiceNumber();
  // A new invoice in the buffer and the views: the next number (0 when it
  // cannot be had; the negative status is returned), no customer, today's
  // date, no text, zero amounts, no item or payment, and CurInvoice 0.
  int ClearInvoice();

  // ---- Storing ----

  // Stores the invoice (its customer chosen and the editor's fields copied
  // into the buffer). A new invoice (CurInvoice 0 or below) is numbered
  // first: the next number, or for the very first invoice the number the
  // user answers. Its header is rewritten (or appended), items and payments
  // overwrite the invoice's records in their key order, are appended when
  // those run out, and records left over are deleted (ITM5 and PMT packed
  // once the save is whole). The customer's note is stored; nothing else of
  // the customer, and no product, changes. The save is one unit (an
  // InvoiceJournal): a failure at any write puts every record back as it
  // was, and a stop leaves the journal for the next start or save. On
  // success the views are emptied. False after a failure box, the invoice
  // left as it was in the tables, the buffer (its number and CurInvoice as
  // before) and the views. An amount wider than the invoice's fields hold
  // (a line total, a charge, a payment, the total or the amount due above
  // 999,999,999.99) is refused with its name before anything is stored.
  bool SaveInvoice();
  // Deletes the invoice with its items and payments (no question asked) as
  // one unit, as SaveInvoice stores it, then packs, empties the views and leaves CurCustomer and
  // CurInvoice on the last record of CUST5 and of INV5 ("Inv" order), 0 when there is none. A
  // never-stored invoice has no record and touches none. False after a failure box.
  bool DeleteInvoice();

  // A line's total: quantity times unit price, rounded to cents.
  double lineTotal(const data::ItemRow& row) const;
  // An amount as the editor shows it ("%10.2f").
  std::string amountText(double value) const { return texts_.amount(value); }

 private:
  void formatTotals();
  std::vector<TaxedLine> taxedLines() const;
  base::Cents subtotalCents() const;
  base::Cents paidCents() const;
  // The subtotal plus the buffer's Ship and Tax.
  base::Cents totalCents(base::Cents subtotal) const;
  // The name of the first amount too wide for the invoice, or nothing.
  std::optional<std::string> amountTooLarge() const;
  const InvoiceTotals& showDue();
  // The number a new invoice is stored under; nothing (after a box) when
  // none can be had.
  std::optional<int> newInvoiceNumber();
  int askFirstNumber();
  bool storeHeader();
  bool removeStored(int (&deleted)[2]);
  const char* writeInvoice(const std::vector<data::ItemRecord>& items,
                           const std::vector<data::PaymentRecord>& payments, int& deletedItems,
                           int& deletedPayments);
  int storeCustomerNote();
  // A pack that cannot be done now (another program has the table open) is
  // left to the next pack of the run (NeedsPack).
  void pack(engine::Table& table);
  void emptyViews();
  bool tablesOpen();
  bool fail(const char* message);

  data::DataSession& session_;
  base::Dialogs& dialogs_;
  const ViewTexts& texts_;
  InvoiceTotals totals_;
};

}  // namespace vt::invoicing
