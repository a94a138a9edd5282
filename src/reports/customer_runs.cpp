#include "reports/customer_runs.h"

#include "reports/customer_documents.h"
#include "reports/invoices_dated.h"
#include "reports/report_run.h"
#include "reports/tdatespan.h"
#include "ui/record_access.h"
#include "ui/wait_cursor.h"

namespace vt::reports {

using data::RecordKind;

namespace {

constexpr const char* kNoInvoicesDated = "No invoices are dated in this span.";
constexpr const char* kNoBillsDated = "No invoice dated in this span has a balance due.";
constexpr const char* kNoStatementsOwing =
    "No customer has a balance due or a credit on invoices dated up to the end of this span.";
constexpr const char* kFirstStatement = "Choose a customer to print a statement for.";
constexpr const char* kNextStatement =
    "Choose another customer, or Cancel to print the statements.";

// The prompt a picker shows for the length of one run.
class PickerPrompt {
 public:
  explicit PickerPrompt(ui::GridPicker& picker) : picker_(picker) {}
  ~PickerPrompt() { picker_.setPrompt({}); }
  PickerPrompt(const PickerPrompt&) = delete;
  PickerPrompt& operator=(const PickerPrompt&) = delete;

  void show(const char* prompt) { picker_.setPrompt(QString::fromUtf8(prompt)); }

 private:
  ui::GridPicker& picker_;
};

}  // namespace

CustomerRuns::CustomerRuns(data::DataSession& session, ui::UiContext& ui, const QFont& reportFont,
                           ReportChoices& choices, RunWindows windows)
    : session_(session), ui_(ui), reportFont_(reportFont), choices_(choices), windows_(windows) {}

bool CustomerRuns::openTables() {
  return session_.OpenCustomers() && session_.OpenGroups() && session_.OpenInvoices() &&
         session_.OpenItems() && session_.OpenPayments() && session_.OpenProducts();
}

void CustomerRuns::run(const std::function<int(CustomerDocuments&)>& fill) {
  BuildAndShow(session_, ui_, reportFont_, windows_.report, nullptr, "print",
               [&fill](ReportContext& c) {
                 CustomerDocuments documents(c.session, c.doc, c.metrics, c.texts);
                 return fill(documents);
               });
}

bool CustomerRuns::spanHasInvoices(const base::DateTime& from, const base::DateTime& to,
                                   bool invoiceMode) {
  return foundOrTold(AnyInvoiceDated(session_, from, to, invoiceMode),
                     invoiceMode ? kNoInvoicesDated : kNoBillsDated);
}

bool CustomerRuns::spanHasStatements(const base::DateTime& to) {
  return foundOrTold(AnyStatementOwing(session_, to), kNoStatementsOwing);
}

bool CustomerRuns::foundOrTold(int found, const char* nothing) {
  if (found < 0)
    return ui::ReportTableFailure(ui_.dialogs, session_.engine(), "read the invoices", found);
  if (found == 0) ui_.dialogs.information("", nothing);
  return found > 0;
}

void CustomerRuns::PrintInvoices(bool byDates, bool invoiceMode) {
  if (!openTables()) return;
  if (byDates) {
    const base::DateTime today = session_.now().date();
    choices_.SpanStart = choices_.SpanEnd = today;
    if (!invoiceMode) SetMonthSpan(choices_, today);
    const QString title = invoiceMode ? QStringLiteral("Print Invoices")
                                      : QStringLiteral("Print Bills with Balances Due");
    const auto check = [this, invoiceMode](const base::DateTime& from, const base::DateTime& to) {
      return spanHasInvoices(from, to, invoiceMode);
    };
    if (windows_.dateSpan.Run(title, check)) {
      run([this, invoiceMode](CustomerDocuments& documents) {
        ui::WaitCursor wait;
        documents.StartInvoiceReport();
        return documents.InvoicesByDates(choices_.SpanStart, choices_.SpanEnd, invoiceMode);
      });
    }
  } else {
    run([this, invoiceMode](CustomerDocuments& documents) {
      documents.StartInvoiceReport();
      engine::Table& invoices = *session_.invoices();
      invoices.selectTag(invoices.tag("Inv"));
      if (invoices.recCount() == 0) {
        ui_.dialogs.information("", "No invoices to select.");
        return 0;
      }
      session_.StartAtBottom(RecordKind::Invoice);
      while (session_.PickInvoice(false, windows_.invoicePicker, windows_.invoiceEditor).chosen) {
        if (const int status = documents.AddInvoice(session_.CurInvoice, invoiceMode); status < 0) {
          return status;
        }
      }
      return 0;
    });
  }
  session_.CloseAll();
}

void CustomerRuns::PrintStatements(bool withBalances) {
  if (!openTables()) return;
  if (withBalances) {
    SetMonthSpan(choices_, session_.now().date());
    const auto check = [this](const base::DateTime&, const base::DateTime& to) {
      return spanHasStatements(to);
    };
    if (!windows_.dateSpan.Run(QStringLiteral("Print Statements with Balances"), check)) {
      session_.CloseAll();
      return;
    }
  }
  run([this, withBalances](CustomerDocuments& documents) {
    documents.StartStatementReport();
    if (withBalances) {
      ui::WaitCursor wait;
      return documents.StatementsWithBalances(choices_.SpanStart, choices_.SpanEnd);
    }
    engine::Table& customers = *session_.customers();
    customers.selectTag(customers.tag("cname"));
    session_.StartAtTop(RecordKind::Customer);
    PickerPrompt prompt(windows_.customerPicker);
    prompt.show(kFirstStatement);
    while (session_.PickCustomer(false, windows_.customerPicker, windows_.customerEditor).chosen) {
      prompt.show(kNextStatement);
      const long chosen = session_.CurCustomer;
      if (const int status = documents.StatementOf(chosen); status < 0) return status;
      customers.selectTag(customers.tag("cname"));
      session_.CurCustomer = chosen;
    }
    return 0;
  });
  session_.CloseAll();
}

void CustomerRuns::PrintInvoice() {
  run([](CustomerDocuments& documents) {
    documents.StartInvoiceReport();
    documents.PrintInvoiceDoc(true);
    return 0;
  });
}

}  // namespace vt::reports
