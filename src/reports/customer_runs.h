// The print runs of customer documents the main window starts: invoices and
// bills by dates or one by one, statements with balances or for chosen
// customers, and the invoice editor's Print. Each run builds one document
// and shows it in the report window.
#pragma once

#include <QFont>

#include "data/data_session.h"
#include "data/selection_cycle.h"
#include "invoicing/invoice_printer.h"
#include "reports/report_choices.h"
#include "ui/context.h"
#include "ui/grid_picker.h"

namespace vt::reports {

class CustomerDocuments;
class TDateSpan;
class TReportF;

// The windows a run shows.
struct RunWindows {
  TReportF& report;
  TDateSpan& dateSpan;
  data::RecordPicker& invoicePicker;
  data::RecordEditor& invoiceEditor;
  ui::GridPicker& customerPicker;
  data::RecordEditor& customerEditor;
};

class CustomerRuns final : public invoicing::InvoicePrinter {
 public:
  // `reportFont` is read at every run (the user may choose another).
  CustomerRuns(data::DataSession& session, ui::UiContext& ui, const QFont& reportFont,
               ReportChoices& choices, RunWindows windows);

  void PrintInvoices(bool byDates, bool invoiceMode);
  void PrintStatements(bool withBalances);
  // The invoice in the buffer and views, with the tables the editor has open.
  void PrintInvoice() override;

 private:
  bool openTables();
  // OK in the date window of invoices or bills: the span holds something to
  // print, or the user is told and chooses again.
  bool spanHasInvoices(const base::DateTime& from, const base::DateTime& to, bool invoiceMode);
  // The same for statements with balances.
  bool spanHasStatements(const base::DateTime& to);
  // `found` as AnyInvoiceDated gives it: a failure or `nothing` is told.
  bool foundOrTold(int found, const char* nothing);
  // Builds a document with `fill` and shows it when it has rows; a failure
  // of the tables or of a text is told.
  void run(const std::function<int(CustomerDocuments&)>& fill);

  data::DataSession& session_;
  ui::UiContext& ui_;
  const QFont& reportFont_;
  ReportChoices& choices_;
  RunWindows windows_;
};

}  // namespace vt::reports
