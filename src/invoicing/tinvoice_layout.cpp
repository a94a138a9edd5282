// The invoice window's controls and where they stand: the customer and the
// invoice's own fields at the top, the items across the middle, the line item
// and payment buttons on their panels with the remarks below them, the
// amounts in one column on the right and the window's buttons at the bottom.
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/table_defs.h"
#include "invoicing/tinvoice.h"
#include "ui/amount_edit.h"
#include "ui/date_edit.h"
#include "ui/field_behaviour.h"

namespace vt::invoicing {

namespace {

QLabel* boldLabel(const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text, buddy->parentWidget());
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  label->setBuddy(buddy);
  return label;
}

// A field the user does not type into and the Tab key passes over.
template <class Field>
Field* shownOnly(Field* field) {
  field->setReadOnly(true);
  field->setFocusPolicy(Qt::NoFocus);
  return field;
}

template <class Field>
Field* named(Field* field, const char* name, const QString& accessibleName) {
  field->setObjectName(QString::fromLatin1(name));
  field->setAccessibleName(accessibleName);
  return field;
}

// The yellow rounded panel a pair of buttons stands on, with its caption.
QFrame* buttonPanel(QWidget* parent, const char* name, const QString& caption, QPushButton* first,
                    QPushButton* second) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setStyleSheet(QStringLiteral("QFrame#%1 { background: #ffff80; border: 1px solid gray;"
                                      " border-radius: 8px; }")
                           .arg(QString::fromLatin1(name)));
  auto* title = new QLabel(caption, panel);
  QFont font = title->font();
  font.setBold(true);
  title->setFont(font);
  title->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(6, 4, 6, 6);
  layout->addWidget(title);
  layout->addWidget(first);
  layout->addWidget(second);
  return panel;
}

}  // namespace

void TInvoice::build() {
  buildHeader();
  buildItems();
  buildAmounts();
  buildButtons();
  placeControls();
  setTabOrder();
}

void TInvoice::buildHeader() {
  customerButton = vt::ui::makeButton(this, "customerButton", tr("Customer"));
  addressMemo = shownOnly(named(new QPlainTextEdit(this), "addressMemo", tr("Customer address")));
  customerNoteEdit = named(new QLineEdit(this), "customerNoteEdit", tr("Note"));
  // The customer's note is stored in CUST5's note field: no more is typed.
  customerNoteEdit->setMaxLength(vt::data::FieldWidth("CUST5", "note"));
  invoiceNumberEdit = shownOnly(named(new QLineEdit(this), "invoiceNumberEdit", tr("Invoice:")));
  dateSoldEdit = named(new vt::ui::DateEdit(this), "dateSoldEdit", tr("Date Sold"));
  departmentEdit = named(new QLineEdit(this), "departmentEdit", tr("Department"));
  checkCardEdit = named(new QLineEdit(this), "checkCardEdit", tr("Check/Credit Card:"));
  checkCardEdit->setMaxLength(30);
}

void TInvoice::buildItems() {
  itemsGrid = named(new QTableWidget(kGridRows, 5, this), "itemsGrid", tr("Line items"));
  itemsGrid->setHorizontalHeaderLabels(
      {tr("Product ID"), tr("Description"), tr("Price"), tr("Quantity"), tr("Total")});
  const int widths[] = {80, 216, 64, 72, 80};
  for (int column = 0; column < 5; ++column) itemsGrid->setColumnWidth(column, widths[column]);
  itemsGrid->verticalHeader()->hide();
  itemsGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
  itemsGrid->setSelectionMode(QAbstractItemView::SingleSelection);
  itemsGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  itemsGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  itemsGrid->setTabKeyNavigation(false);
  const int rowHeight = itemsGrid->verticalHeader()->defaultSectionSize();
  itemsGrid->setMinimumHeight(itemsGrid->horizontalHeader()->sizeHint().height() +
                              kGridRows * rowHeight + 4);
  addItemButton = vt::ui::makeButton(this, "addItemButton", tr("Add Item"));
  editItemButton = vt::ui::makeButton(this, "editItemButton", tr("Edit Item"));
  addPaymentButton = vt::ui::makeButton(this, "addPaymentButton", tr("Add Paym't"));
  editPaymentButton = vt::ui::makeButton(this, "editPaymentButton", tr("Edit Paym't"));
  remarksMemo = named(new QPlainTextEdit(this), "remarksMemo", tr("Remarks"));
  remarksMemo->setTabChangesFocus(true);
}

void TInvoice::buildAmounts() {
  auto amount = [this](const char* name, const QString& caption) {
    return named(new vt::ui::AmountEdit(this), name, caption);
  };
  subtotalEdit = shownOnly(amount("subtotalEdit", tr("Subtotal:")));
  shippingEdit = amount("shippingEdit", tr("Shipping:"));
  salesTaxEdit = amount("salesTaxEdit", tr("Sales Tax:"));
  totalEdit = shownOnly(amount("totalEdit", tr("Total:")));
  paymentsEdit = shownOnly(amount("paymentsEdit", tr("Payments:")));
  amountDueEdit = shownOnly(amount("amountDueEdit", tr("Amount Due:")));
}

void TInvoice::buildButtons() {
  saveButton = vt::ui::makeButton(this, "saveButton", tr("Save"));
  printButton = vt::ui::makeButton(this, "printButton", tr("Print"));
  deleteButton = vt::ui::makeButton(this, "deleteButton", tr("Delete"));
  cancelButton = vt::ui::makeButton(this, "cancelButton", tr("Cancel"));
  helpButton = vt::ui::makeButton(this, "helpButton", tr("Help"));
}

void TInvoice::placeControls() {
  auto* invoiceFields = new QFormLayout;
  for (QWidget* field : std::initializer_list<QWidget*>{invoiceNumberEdit, dateSoldEdit,
                                                        departmentEdit, checkCardEdit}) {
    invoiceFields->addRow(boldLabel(field->accessibleName(), field), field);
  }
  auto* customer = new QGridLayout;
  customer->addWidget(customerButton, 0, 0, Qt::AlignTop);
  customer->addWidget(addressMemo, 0, 1);
  customer->addWidget(boldLabel(tr("Note"), customerNoteEdit), 1, 0);
  customer->addWidget(customerNoteEdit, 1, 1);
  auto* top = new QHBoxLayout;
  top->addLayout(customer, 1);
  top->addLayout(invoiceFields);

  auto* panels = new QHBoxLayout;
  panels->addWidget(
      buttonPanel(this, "lineItemsPanel", tr("Line Items"), addItemButton, editItemButton));
  panels->addWidget(
      buttonPanel(this, "paymentsPanel", tr("Payments"), addPaymentButton, editPaymentButton));
  auto* left = new QVBoxLayout;
  left->addLayout(panels);
  left->addWidget(remarksMemo, 1);
  auto* amounts = new QFormLayout;
  for (vt::ui::AmountEdit* field :
       {subtotalEdit, shippingEdit, salesTaxEdit, totalEdit, paymentsEdit, amountDueEdit}) {
    amounts->addRow(boldLabel(field->accessibleName(), field), field);
  }
  auto* bottom = new QHBoxLayout;
  bottom->addLayout(left, 1);
  bottom->addLayout(amounts);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {saveButton, printButton, deleteButton, cancelButton, helpButton}) {
    buttons->addWidget(button);
  }
  auto* form = new QVBoxLayout(this);
  form->addLayout(top);
  form->addWidget(itemsGrid, 1);
  form->addLayout(bottom);
  form->addLayout(buttons);
}

void TInvoice::setTabOrder() {
  QWidget* const order[] = {customerButton,   customerNoteEdit,  dateSoldEdit,  departmentEdit,
                            checkCardEdit,    itemsGrid,         addItemButton, editItemButton,
                            addPaymentButton, editPaymentButton, shippingEdit,  salesTaxEdit,
                            remarksMemo,      saveButton,        printButton,   deleteButton,
                            cancelButton,     helpButton};
  for (size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace vt::invoicing
