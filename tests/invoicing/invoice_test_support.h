// Shared pieces of the invoice model's tests: a session on a fresh data
// directory with the invoice tables open and a model on it, invoices stored
// directly, the views filled as the editor fills them, and a table's records
// read back in physical order.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "access_test_support.h"
#include "invoicing/invoice_model.h"

namespace vt::invoicing::testing {

// One item: product ID, quantity, unit price, Tax 1 and Tax 2 flags.
struct Line {
  std::string prId;
  double qty = 1;
  double price = 0;
  bool tax1 = false;
  bool tax2 = false;
};

class InvoiceModelTest : public data::testing::AccessTest {
 protected:
  // Opens CUST5, INV5, ITM5, PMT and Prod5 and makes `model`.
  void SetUp() override;
  // Stores an invoice with its items and payments (amounts, dated on the
  // tests' clock) without the model; returns the header's record number.
  long storeInvoice(int ivNo, int cuno, const std::vector<Line>& items,
                    const std::vector<double>& payments = {});
  // ItemLines and PmtLines as the editor fills them (dates as yyyy-mm-dd).
  void setLines(const std::vector<Line>& items, const std::vector<double>& payments = {});

  std::unique_ptr<InvoiceModel> model;
};

// ItemLines and PmtLines of `s` as the editor fills them (dates as yyyy-mm-dd).
void SetLines(data::DataSession& s, const std::vector<Line>& items,
              const std::vector<double>& payments = {});

// Every record of `table` in physical order as the trimmed texts of
// `fields`, joined by blanks, with "*" in front of a deleted one.
std::vector<std::string> records(engine::Table* table, const std::vector<const char*>& fields);
// Invoices "100 7" (IvNo CuNo), items "100 A 1.00", payments "100 4.00" (IvNo PAmt).
std::vector<std::string> invoiceRecords(data::DataSession& s);
std::vector<std::string> itemRecords(data::DataSession& s);
std::vector<std::string> paymentRecords(data::DataSession& s);

}  // namespace vt::invoicing::testing
