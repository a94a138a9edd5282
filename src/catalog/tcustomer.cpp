#include "catalog/tcustomer.h"

#include <QKeySequence>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QShowEvent>

#include "base/text1252.h"
#include "catalog/catalog_tables.h"
#include "catalog/memo_text.h"
#include "catalog/tgroupdef.h"
#include "catalog/tpickgroup.h"
#include "ui/field_behaviour.h"
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
  Edit1 = form_->Edit1;
  Edit2 = form_->Edit2;
  Edit3 = form_->Edit3;
  Edit4 = form_->Edit4;
  Edit5 = form_->Edit5;
  Edit6 = form_->Edit6;
  Edit7 = form_->Edit7;
  Edit8 = form_->Edit8;
  Edit9 = form_->Edit9;
  Edit10 = form_->Edit10;
  Edit11 = form_->Edit11;
  Edit12 = form_->Edit12;
  Edit13 = form_->Edit13;
  Edit14 = form_->Edit14;
  Memo1 = form_->Memo1;
  Label5 = form_->Label5;
  Label6 = form_->Label6;
  BtnGroup = form_->BtnGroup;
  BtnSave = form_->BtnSave;
  BtnDelete = form_->BtnDelete;
  BtnCancel = form_->BtnCancel;
  BtnHelp = form_->BtnHelp;
  groupPicker_ = new TPickGroup(this, session, ui);
  groupEditor_ = new TGroupDef(this, session, ui);
  vt::ui::enableEnterMovesFocus(this);
  auto* help = new QShortcut(QKeySequence::HelpContents, this);
  connect(help, &QShortcut::activated, this, &TCustomer::BtnHelpClick);
  connect(BtnSave, &QPushButton::clicked, this, &TCustomer::BtnSaveClick);
  connect(BtnDelete, &QPushButton::clicked, this, &TCustomer::BtnDeleteClick);
  connect(BtnCancel, &QPushButton::clicked, this, &TCustomer::BtnCancelClick);
  connect(BtnGroup, &QPushButton::clicked, this, &TCustomer::BtnGroupClick);
  connect(BtnHelp, &QPushButton::clicked, this, &TCustomer::BtnHelpClick);
  connect(Memo1, &QPlainTextEdit::textChanged, this, &TCustomer::Memo1Change);
}

TCustomer::~TCustomer() = default;

void TCustomer::edit(long& current) {
  session_.CurCustomer = current;
  if (FormShow()) exec();
  current = session_.CurCustomer;
}

bool TCustomer::FormShow() {
  setAddressCaptions(session_.settings.ByCust);
  vt::engine::Table* customers = OpenedTable(session_, TableId::Customers);
  if (!customers) return false;
  if (session_.CurCustomer > 0) {
    if (!loadCurrent(*customers)) return false;
    BtnDelete->setEnabled(true);
  } else {
    session_.Customer = vt::data::CustomerRecord{};
    session_.CurCustomer = -1;
    BtnDelete->setEnabled(false);
  }
  showBuffer();
  showGroup();
  return true;
}

void TCustomer::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) Edit2->setFocus();
}

void TCustomer::setAddressCaptions(bool byName) {
  const QString address = QStringLiteral("Address");
  Label5->setText(byName ? address : QStringLiteral("Company"));
  Edit5->setAccessibleName(Label5->text());
  Label6->setVisible(!byName);
  Edit6->setAccessibleName(byName ? QStringLiteral("Address Line 2") : address);
}

bool TCustomer::loadCurrent(vt::engine::Table& customers) {
  if (!goCurrent(customers)) return false;
  if (const int status = session_.LoadCustomer(); status < 0) {
    ReportEngineFailure(ui_.dialogs, status);
    return false;
  }
  return true;
}

void TCustomer::showBuffer() {
  const vt::data::CustomerRecord& c = session_.Customer;
  Edit1->setText(QString::fromStdString(vt::base::PadNumber(c.cuno, 6)));
  Edit2->setText(trimmedText(c.title));
  Edit3->setText(trimmedText(c.first));
  Edit4->setText(trimmedText(c.last));
  Edit5->setText(trimmedText(c.addr1));
  Edit6->setText(trimmedText(c.addr2));
  Edit7->setText(trimmedText(c.addr3));
  Edit8->setText(trimmedText(c.addr4));
  Edit9->setText(trimmedText(c.zip));
  Edit10->setText(trimmedText(c.phone));
  Edit11->setText(trimmedText(c.fax));
  Edit12->setText(trimmedText(c.email));
  Edit13->setText(trimmedText(c.note));
  Memo1->setPlainText(MemoForEdit(c.comments));
}

void TCustomer::showGroup() {
  Edit14->clear();
  if (session_.Customer.ngroup == 0) return;
  if (!OpenedTable(session_, TableId::Groups)) return;
  if (const int status = session_.FindCustomerGroup(); status < 0) {
    ReportEngineFailure(ui_.dialogs, status);
    return;
  }
  if (session_.EngineResult == Result::Success) {
    Edit14->setText(QString::fromStdString(session_.Group.cGroup));
  } else {
    // The group is gone: the customer must be given one again.
    session_.Customer.ngroup = 0;
  }
}

void TCustomer::BtnGroupClick() {
  if (!OpenedTable(session_, TableId::Groups)) return;
  const vt::data::PickOutcome outcome = session_.PickGroup(true, *groupPicker_, *groupEditor_);
  if (outcome.status < 0) ReportEngineFailure(ui_.dialogs, outcome.status);
  if (!outcome.chosen) return;
  vt::engine::Table* groups = session_.groups();
  session_.engine().errorCode();
  const int status = groups->go(static_cast<uint32_t>(session_.CurGroup)) == Result::Success
                         ? session_.LoadGroup()
                         : session_.engine().errorCode();
  if (status < 0) {
    ReportEngineFailure(ui_.dialogs, status);
    return;
  }
  Edit14->setText(QString::fromStdString(session_.Group.cGroup));
  session_.Customer.ngroup = session_.Group.nGroup;
}

void TCustomer::BtnSaveClick() {
  if (session_.Customer.ngroup == 0) {
    ui_.dialogs.information("", kSelectGroup);
    return;
  }
  vt::engine::Table* customers = OpenedTable(session_, TableId::Customers);
  if (!customers) return;
  // A customer that has a record (an existing one, or a new one whose
  // first save got as far as the append) is written in place.
  const bool placed = session_.CurCustomer > 0 ? goCurrent(*customers) : appendNew(*customers);
  if (!placed) return;
  copyControls();
  if (store(*customers)) accept();
}

bool TCustomer::appendNew(vt::engine::Table& customers) {
  const NextNumber next = NextFreeNumber(customers, "CCNo", "cuno");
  if (next.status < 0) {
    ReportEngineFailure(ui_.dialogs, next.status);
    return false;
  }
  const long largest = LargestNumber(*customers.field("cuno"));
  if (next.value > largest) {
    ui_.dialogs.information("", kNoFreeNumber + std::to_string(largest) + ".");
    return false;
  }
  session_.Customer.cuno = static_cast<int>(next.value);
  if (customers.appendBlank() < 0) {
    session_.engine().errorCode();
    ui_.dialogs.information("", kAppendRefused);
    session_.Customer.cuno = 0;
    return false;
  }
  session_.CurCustomer = static_cast<long>(customers.recNo());
  return true;
}

void TCustomer::copyControls() {
  vt::data::CustomerRecord& c = session_.Customer;
  c.title = Edit2->text().toStdString();
  c.first = Edit3->text().toStdString();
  c.last = Edit4->text().toStdString();
  c.addr1 = Edit5->text().toStdString();
  c.addr2 = Edit6->text().toStdString();
  c.addr3 = Edit7->text().toStdString();
  c.addr4 = Edit8->text().toStdString();
  c.zip = Edit9->text().toStdString();
  c.phone = Edit10->text().toStdString();
  c.fax = Edit11->text().toStdString();
  c.email = Edit12->text().toStdString();
  c.note = Edit13->text().toStdString();
  c.comments = MemoFromEdit(Memo1->toPlainText());
}

bool TCustomer::store(vt::engine::Table& customers) {
  int status = session_.StoreCustomer();
  if (status == 0) {
    session_.CurCustomer = static_cast<long>(customers.recNo());
    // Saving a customer deleted earlier in this cycle restores it.
    if (customers.deleted()) {
      customers.recall();
      status = customers.flush();
    }
  }
  if (status < 0) {
    ReportEngineFailure(ui_.dialogs, status);
    return false;
  }
  return true;
}

bool TCustomer::goCurrent(vt::engine::Table& customers) {
  session_.engine().errorCode();
  if (customers.go(static_cast<uint32_t>(session_.CurCustomer)) == Result::Success) return true;
  const int status = session_.engine().errorCode();
  ReportEngineFailure(ui_.dialogs, status < 0 ? status : vt::engine::kErrRecord);
  return false;
}

void TCustomer::BtnDeleteClick() {
  vt::engine::Table* customers = OpenedTable(session_, TableId::Customers);
  if (!customers || !goCurrent(*customers)) return;
  customers->deleteRecord();
  const int flushed = customers->flush();
  const int status = session_.engine().errorCode();
  if (status < 0 || flushed < 0) {
    ReportEngineFailure(ui_.dialogs, status < 0 ? status : flushed);
    return;
  }
  session_.NeedsPack = true;
  accept();
}

void TCustomer::BtnCancelClick() {
  reject();
}

void TCustomer::BtnHelpClick() {
  ui_.help.showContext(kHelpContext);
}

void TCustomer::Memo1Change() {
  KeepMemoWithinLimit(*Memo1);
}

}  // namespace vt::catalog
