// What the grid picker tests share: a new installation's data files with
// customers, groups, products and purchases written straight through the
// engine (quick, even for tens of thousands of records), one session on
// them, and a driver that acts on a picker while it is shown modally.
#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QString>
#include <QTableWidget>
#include <QTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/dialogs.h"
#include "base/program_exit.h"
#include "data/data_session.h"
#include "ui/context.h"
#include "ui/grid_picker.h"
#include "ui/help_viewer.h"
#include "ui/printer_state.h"

namespace vt::catalog::picktest {

struct CustomerRow {
  std::string last, first, company, note;
  int group = 1;
  bool deleted = false;
};

struct ProductRow {
  std::string id, description;
  double price = 0;
  bool deleted = false;
};

struct PurchaseRow {
  std::string product;
  std::string date;  // yyyymmdd
  double quantity = 0, cost = 0;
  bool deleted = false;
};

struct InvoiceRow {
  int number = 0, customer = 0;
  std::string date;  // yyyymmdd
  std::string note;
  bool deleted = false;
};

// Customers (or invoices) in the large table, written once per test program.
constexpr int kLargeTable = 20000;

// `count` customers "C000001" ... (last name), first name "F" and the
// number, note "N" and the number: record n sorts n-th by name.
std::vector<CustomerRow> numberedCustomers(int count);
// `count` invoices numbered 1 ... in record order, of customer 1, dated
// 2024-01-01, note "Note " and the number.
std::vector<InvoiceRow> numberedInvoices(int count);

class PickerTest : public ::testing::Test {
 protected:
  PickerTest();
  ~PickerTest() override;

  // Records appended in the order given (record numbers from 1).
  void writeCustomers(const std::vector<CustomerRow>& rows);
  // kLargeTable numbered customers in place of every table written so far.
  void useLargeCustomerTable();
  void writeGroups(const std::vector<std::pair<int, std::string>>& groups);
  void writeProducts(const std::vector<ProductRow>& rows);
  void writePurchases(const std::vector<PurchaseRow>& rows);
  void writeInvoices(const std::vector<InvoiceRow>& rows);
  // kLargeTable numbered invoices in place of every table written so far.
  void useLargeInvoiceTable();

  // The session over the files, with CUST5, GROUPS, Prod5 and Pur5 open; the
  // engine works on `fs` when given.
  data::DataSession& openSession(engine::FileSystem* fs = nullptr);

  std::string path(const std::string& file) const { return dir_ + "/" + file; }
  const std::string& dir() const { return dir_; }
  // Replaces the data files by those of another test's directory.
  void copyFrom(const std::string& dir);

  base::ScriptedDialogs dialogs;
  base::ThrowingExit exit;
  ui::PrinterState printers;
  ui::HelpViewer help{nullptr};
  ui::UiContext ui{dialogs, printers, help};

 private:
  std::string dir_;
  std::unique_ptr<data::DataSession> session_;
};

// Shows the picker modally with `start` as the current record, lets `act`
// work on it once it is shown, then closes it by its frame if `act` left it
// open (a bound of time closes it in any case). The value it leaves.
long Pick(ui::GridPicker& picker, long start, const std::function<void(ui::GridPicker&)>& act,
          bool allowNew = true);

// Cell texts of a grid row (0-9), and the text of one cell.
QStringList RowTexts(const ui::GridPicker& picker, int row);
QString Cell(const ui::GridPicker& picker, int row, int column);
// The header titles of the grid.
QStringList Titles(const ui::GridPicker& picker);
// The record numbers of the ten rows (0 for a blank row).
std::vector<long> Shown(const ui::GridPicker& picker);
// `count` record numbers from `first` on.
std::vector<long> Consecutive(long first, int count);

}  // namespace vt::catalog::picktest
