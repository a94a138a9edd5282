#include "catalog/tcustomer.h"

#include <QKeySequence>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QShowEvent>

#include "base/text1252.h"
#include "catalog/catalog_tables.h"
#include "catalog/tgroupdef.h"
#include "catalog/tpickgroup.h"
#include "ui/field_behaviour.h"
#include "ui/memo_text.h"
#include "ui/text_fields.h"
#include "ui/wait_cursor.h"
#include "ui/window_size.h"
#include "ui_tcustomer.h"

namespace vt::catalog {

using vt::data::TableId;
using vt::engine::Result;

namespace {

constexpr const char* kNoFreeNumber = "No customer number is free: customers are numbered up to ";

QString trimmedText(const std::string& text) {
  return QString::fromStdString(vt::base::trim(text));
}

}  // namespace

TCustomer::TCustomer(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui)
    : QDialog(parent), session_(session), ui_(ui), form_(std::make_unique<Ui::TCustomer>()) {
  form_->setupUi(this);
  vt::ui::HoldDesignSize(*this);
  vt::ui::FitTextFields(*this);
  customerNumberEdit = form_->customerNumberEdit;
  titleEdit = form_->titleEdit;
  firstNameEdit = form_->firstNameEdit;
  lastNameEdit = form_->lastNameEdit;
  address1Edit = form_->address1Edit;
  address2Edit = form_->address2Edit;
  address3Edit = form_->address3Edit;
  address4Edit = form_->address4Edit;
  zipEdit = form_->zipEdit;
  phoneEdit = form_->phoneEdit;
  faxEdit = form_->faxEdit;
  emailEdit = form_->emailEdit;
  noteEdit = form_->noteEdit;
  groupNameEdit = form_->groupNameEdit;
  commentsMemo = form_->commentsMemo;
  address1Label = form_->address1Label;
  address2Label = form_->address2Label;
  groupButton = form_->groupButton;
  saveButton = form_->saveButton;
  deleteButton = form_->deleteButton;
  cancelButton = form_->cancelButton;
  helpButton = form_->helpButton;
  groupPicker_ = new TPickGroup(this, session, ui);
  groupEditor_ = new TGroupDef(this, session, ui);
  vt::ui::enableEnterMovesFocus(this);
  auto* help = new QShortcut(QKeySequence::HelpContents, this);
  connect(help, &QShortcut::activated, this, &TCustomer::helpClicked);
  connect(saveButton, &QPushButton::clicked, this, &TCustomer::saveClicked);
  connect(deleteButton, &QPushButton::clicked, this, &TCustomer::deleteClicked);
  connect(cancelButton, &QPushButton::clicked, this, &TCustomer::cancelClicked);
  connect(groupButton, &QPushButton::clicked, this, &TCustomer::groupClicked);
  connect(helpButton, &QPushButton::clicked, this, &TCustomer::helpClicked);
  connect(commentsMemo, &QPlainTextEdit::textChanged, this, &TCustomer::commentsChanged);
}

TCustomer::~TCustomer() = default;

void TCustomer::edit(long& current) {
  session_.CurCustomer = current;
  if (FormShow()) exec();
  current = session_.CurCustomer;
}

bool TCustomer::FormShow() {
  const vt::ui::WaitCursor wait;
  setAddressCaptions(session_.settings.ByCust);
  vt::engine::Table* customers = OpenedTable(session_, TableId::Customers);
  if (!customers) return false;
  if (session_.CurCustomer > 0) {
    if (!loadCurrent(*customers)) return false;
    deleteButton->setEnabled(true);
  } else {
    session_.Customer = vt::data::CustomerRecord{};
    session_.CurCustomer = -1;
    deleteButton->setEnabled(false);
  }
  showBuffer();
  if (session_.CurCustomer <= 0) showNumberAhead(*customers);
  showGroup();
  changes_.markUnchanged();
  return true;
}

void TCustomer::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) titleEdit->setFocus();
}

void TCustomer::setAddressCaptions(bool byName) {
  const QString address = QStringLiteral("Address");
  address1Label->setText(byName ? address : QStringLiteral("Company"));
  address1Edit->setAccessibleName(address1Label->text());
  address2Label->setVisible(!byName);
  address2Edit->setAccessibleName(byName ? QStringLiteral("Address Line 2") : address);
}

bool TCustomer::loadCurrent(vt::engine::Table& customers) {
  if (!goCurrent(customers)) return false;
  if (const int status = session_.LoadCustomer(); status < 0) {
    ReportEngineFailure(ui_.dialogs, session_.engine(), status);
    return false;
  }
  return true;
}

void TCustomer::showBuffer() {
  const vt::data::CustomerRecord& c = session_.Customer;
  customerNumberEdit->setText(QString::fromStdString(vt::base::PadNumber(c.cuno, 6)));
  titleEdit->setText(trimmedText(c.title));
  firstNameEdit->setText(trimmedText(c.first));
  lastNameEdit->setText(trimmedText(c.last));
  address1Edit->setText(trimmedText(c.addr1));
  address2Edit->setText(trimmedText(c.addr2));
  address3Edit->setText(trimmedText(c.addr3));
  address4Edit->setText(trimmedText(c.addr4));
  zipEdit->setText(trimmedText(c.zip));
  phoneEdit->setText(trimmedText(c.phone));
  faxEdit->setText(trimmedText(c.fax));
  emailEdit->setText(trimmedText(c.email));
  noteEdit->setText(trimmedText(c.note));
  commentsMemo->setPlainText(vt::ui::MemoForEdit(c.comments));
}

void TCustomer::showGroup() {
  groupNameEdit->clear();
  if (session_.Customer.ngroup == 0) return;
  if (!OpenedTable(session_, TableId::Groups)) return;
  if (const int status = session_.FindCustomerGroup(); status < 0) {
    ReportEngineFailure(ui_.dialogs, session_.engine(), status);
    return;
  }
  if (session_.EngineResult == Result::Success) {
    groupNameEdit->setText(trimmedText(session_.Group.cGroup));
  } else {
    // The group is gone: the customer must be given one again.
    session_.Customer.ngroup = 0;
  }
}

void TCustomer::groupClicked() {
  if (!OpenedTable(session_, TableId::Groups)) return;
  const vt::data::PickOutcome outcome = session_.PickGroup(true, *groupPicker_, *groupEditor_);
  if (outcome.status < 0) ReportEngineFailure(ui_.dialogs, session_.engine(), outcome.status);
  if (!outcome.chosen) return;
  vt::engine::Table* groups = session_.groups();
  session_.engine().errorCode();
  const int status = groups->go(static_cast<uint32_t>(session_.CurGroup)) == Result::Success
                         ? session_.LoadGroup()
                         : session_.engine().errorCode();
  if (status < 0) {
    ReportEngineFailure(ui_.dialogs, session_.engine(), status);
    return;
  }
  groupNameEdit->setText(trimmedText(session_.Group.cGroup));
  session_.Customer.ngroup = session_.Group.nGroup;
}

void TCustomer::saveClicked() {
  if (session_.Customer.ngroup == 0) {
    ui_.dialogs.information("", kSelectGroup);
    return;
  }
  vt::engine::Table* customers = OpenedTable(session_, TableId::Customers);
  if (!customers) return;
  const bool isNew = session_.CurCustomer <= 0;
  if (isNew && !numberNew(*customers)) return;
  copyControls();
  if (SaveAndRecall(session_, TableId::Customers, session_.CurCustomer,
                    &vt::data::DataSession::StoreCustomer, ui_.dialogs, kAppendRefused)) {
    accept();
  } else if (isNew) {
    // Not saved: the customer stays unnumbered, so Save can be pressed again.
    session_.Customer.cuno = 0;
  }
}

bool TCustomer::numberNew(vt::engine::Table& customers) {
  const NextNumber next = NextFreeNumber(customers, "CCNo", "cuno");
  if (next.status < 0) {
    ReportEngineFailure(ui_.dialogs, session_.engine(), next.status);
    return false;
  }
  const long largest = LargestNumber(*customers.field("cuno"));
  if (next.value > largest) {
    ui_.dialogs.information("", kNoFreeNumber + std::to_string(largest) + ".");
    return false;
  }
  session_.Customer.cuno = static_cast<int>(next.value);
  return true;
}

void TCustomer::showNumberAhead(vt::engine::Table& customers) {
  customerNumberEdit->clear();
  const NextNumber next = NextFreeNumber(customers, "CCNo", "cuno");
  if (next.status < 0) {
    ReportEngineFailure(ui_.dialogs, session_.engine(), next.status);
    return;
  }
  if (next.value > LargestNumber(*customers.field("cuno"))) return;
  customerNumberEdit->setText(QString::fromStdString(vt::base::PadNumber(next.value, 6)));
}

void TCustomer::copyControls() {
  vt::data::CustomerRecord& c = session_.Customer;
  c.title = titleEdit->text().toStdString();
  c.first = firstNameEdit->text().toStdString();
  c.last = lastNameEdit->text().toStdString();
  c.addr1 = address1Edit->text().toStdString();
  c.addr2 = address2Edit->text().toStdString();
  c.addr3 = address3Edit->text().toStdString();
  c.addr4 = address4Edit->text().toStdString();
  c.zip = zipEdit->text().toStdString();
  c.phone = phoneEdit->text().toStdString();
  c.fax = faxEdit->text().toStdString();
  c.email = emailEdit->text().toStdString();
  c.note = noteEdit->text().toStdString();
  c.comments = vt::ui::MemoFromEdit(commentsMemo->toPlainText());
}

bool TCustomer::goCurrent(vt::engine::Table& customers) {
  session_.engine().errorCode();
  if (customers.go(static_cast<uint32_t>(session_.CurCustomer)) == Result::Success) return true;
  const int status = session_.engine().errorCode();
  ReportEngineFailure(ui_.dialogs, session_.engine(), status < 0 ? status : vt::engine::kErrRecord);
  return false;
}

void TCustomer::deleteClicked() {
  const vt::ui::WaitCursor wait;
  vt::engine::Table* customers = OpenedTable(session_, TableId::Customers);
  if (!customers || !goCurrent(*customers)) return;
  customers->deleteRecord();
  const int flushed = customers->flush();
  const int status = session_.engine().errorCode();
  if (status < 0 || flushed < 0) {
    ReportEngineFailure(ui_.dialogs, session_.engine(), status < 0 ? status : flushed);
    return;
  }
  session_.NeedsPack = true;
  accept();
}

void TCustomer::cancelClicked() {
  QDialog::reject();
}

void TCustomer::reject() {
  if (changes_.mayDiscard(ui_.dialogs, "Discard the changes to this customer?")) QDialog::reject();
}

void TCustomer::helpClicked() {
  ui_.help.showContext(kHelpContext);
}

void TCustomer::commentsChanged() {
  vt::ui::KeepMemoWithinLimit(*commentsMemo);
}

}  // namespace vt::catalog
