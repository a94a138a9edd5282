// TInvoice, the "Invoice" window: one invoice created, changed or deleted,
// for the invoice selection cycle. It shows the invoice buffer and the
// views of the session; every amount it shows is what the invoice model
// computed. The customer comes from the customer picker, items from the
// product picker and the line item dialog, payments from the payment dialog
// and picker. Needs CUST5, GROUPS, INV5, ITM5, PMT and Prod5 open.
#pragma once

#include <QDialog>
#include <memory>

#include "data/data_session.h"
#include "data/selection_cycle.h"
#include "invoicing/invoice_model.h"
#include "invoicing/locale_view_texts.h"
#include "ui/context.h"
#include "ui/unsaved_changes.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace vt::ui {
class AmountEdit;
class DateEdit;
}  // namespace vt::ui

namespace vt::invoicing {

class InvoicePrinter;
class TItemDef;
class TPickPmt;
class TPmtDef;

class TInvoice : public QDialog, public vt::data::RecordEditor {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 310;
  // Item rows the grid shows at least.
  static constexpr int kGridRows = 4;

  TInvoice(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui);
  ~TInvoice() override;

  // The customer and product windows the Customer and Add Item buttons run
  // (TPickCust, TCustomer, TPickProd and TProdDef in the program).
  void setCatalogWindows(vt::data::RecordPicker& customerPicker,
                         vt::data::RecordEditor& customerEditor,
                         vt::data::RecordPicker& productPicker,
                         vt::data::RecordEditor& productEditor);

  // What the Print button prints with; Print stays disabled without it.
  void setPrinter(InvoicePrinter& printer);

  // Shows the window modally on invoice `current` (0: a new invoice). Leaves
  // there what the window left in CurInvoice: the invoice saved, the last
  // invoice after a delete, 0 after a new invoice was cancelled.
  void edit(long& current) override;

  InvoiceModel& model() { return model_; }
  TItemDef* itemDialog = nullptr;
  TPmtDef* paymentDialog = nullptr;
  TPickPmt* paymentPicker = nullptr;

  QPushButton* customerButton = nullptr;
  QPlainTextEdit* addressMemo = nullptr;
  QLineEdit* customerNoteEdit = nullptr;
  QLineEdit* invoiceNumberEdit = nullptr;
  vt::ui::DateEdit* dateSoldEdit = nullptr;
  QLineEdit* departmentEdit = nullptr;
  QLineEdit* checkCardEdit = nullptr;
  QTableWidget* itemsGrid = nullptr;
  QPushButton* addItemButton = nullptr;
  QPushButton* editItemButton = nullptr;
  QPushButton* addPaymentButton = nullptr;
  QPushButton* editPaymentButton = nullptr;
  QPlainTextEdit* remarksMemo = nullptr;
  vt::ui::AmountEdit* subtotalEdit = nullptr;
  vt::ui::AmountEdit* shippingEdit = nullptr;
  vt::ui::AmountEdit* salesTaxEdit = nullptr;
  vt::ui::AmountEdit* totalEdit = nullptr;
  vt::ui::AmountEdit* paymentsEdit = nullptr;
  vt::ui::AmountEdit* amountDueEdit = nullptr;
  QPushButton* saveButton = nullptr;
  QPushButton* printButton = nullptr;
  QPushButton* deleteButton = nullptr;
  QPushButton* cancelButton = nullptr;
  QPushButton* helpButton = nullptr;

 public slots:
  // Starts a new invoice (CurInvoice 0) or loads invoice CurInvoice. False,
  // after telling the user, when it cannot be read.
  bool FormShow();
  void customerClicked();
  void addItemClicked();
  // "Edit Item" and a double click on the grid.
  void editItemClicked();
  void addPaymentClicked();
  void editPaymentClicked();
  void saveClicked();
  void printClicked();
  void deleteClicked();
  void cancelClicked();
  void helpClicked();
  // Escape and the close box: with anything changed, only after the user
  // agrees to discard it. The Cancel button discards without asking.
  void reject() override;

 private:
  // ---- tinvoice_layout.cpp ----
  void build();
  void buildHeader();
  void buildItems();
  void buildAmounts();
  void buildButtons();
  void placeControls();
  void setTabOrder();

  // ---- tinvoice_show.cpp ----
  // Every control from the buffer and the views, the amounts as computed.
  void ShowInvoice();
  // The grid and the amounts, after the items changed or on opening.
  void showAmounts(const InvoiceTotals& totals);
  void showPaymentTotals(const InvoiceTotals& totals);
  void showItems();
  void resetGrid();
  void ShowInvoiceCustomer();
  void ShowPayments();
  void ShowTotalDue();
  // After an item changed: ComputeTaxes, then the amounts.
  void itemsChanged();
  // Runs a model routine; a view text that is no number or date is told,
  // and false returned.
  bool computed(const std::function<void()>& routine);

  // ---- tinvoice_fields.cpp ----
  void watchFields();
  void chargeLeft(vt::ui::AmountEdit& field, double& charge, bool ship);
  // The fields copied into the buffer for Save and Print: false, with the
  // field refused and focused, when the date or an amount is not one.
  bool takeFields();
  // A new invoice in the buffer; false, after telling the user, when no
  // invoice number is left for it.
  bool startNewInvoice();
  // The customer, items and payments, which the fields do not all show.
  QString heldOutsideFields() const;

  // ---- tinvoice_lines.cpp ----
  void editItemRow(int row);
  void removeItemRow(int row);
  int selectedItemRow() const;

  vt::data::DataSession& session_;
  vt::ui::UiContext& ui_;
  LocaleViewTexts texts_;
  InvoiceModel model_;
  vt::data::RecordPicker* customerPicker_ = nullptr;
  vt::data::RecordEditor* customerEditor_ = nullptr;
  vt::data::RecordPicker* productPicker_ = nullptr;
  vt::data::RecordEditor* productEditor_ = nullptr;
  InvoicePrinter* printer_ = nullptr;
  // The window shows an invoice not yet saved whole: Save asks for another.
  bool newInvoice_ = false;
  vt::ui::UnsavedChanges changes_;
};

}  // namespace vt::invoicing
