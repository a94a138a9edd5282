#include "catalog/tgroupdef.h"

#include <QKeySequence>
#include <QShortcut>
#include <QShowEvent>

#include "base/text1252.h"
#include "catalog/catalog_tables.h"
#include "catalog/tpickgroup.h"
#include "ui/field_behaviour.h"
#include "ui/text_fields.h"
#include "ui/wait_cursor.h"
#include "ui/window_size.h"
#include "ui_tgroupdef.h"

namespace vt::catalog {

using vt::data::TableId;
using vt::engine::Result;

namespace {

constexpr const char* kBlankName = "Can't Save Blank Name";
constexpr const char* kAppendRefused = "Unable to add record at this time. Please try later.";
constexpr const char* kNoFreeNumber = "No group number is free: groups are numbered up to ";

}  // namespace

TGroupDef::TGroupDef(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui)
    : QDialog(parent), session_(session), ui_(ui), form_(std::make_unique<Ui::TGroupDef>()) {
  form_->setupUi(this);
  vt::ui::HoldDesignSize(*this);
  vt::ui::FitTextFields(*this);
  groupNumberEdit = form_->groupNumberEdit;
  groupNameEdit = form_->groupNameEdit;
  saveButton = form_->saveButton;
  deleteButton = form_->deleteButton;
  cancelButton = form_->cancelButton;
  picker_ = new TPickGroup(this, session, ui);
  vt::ui::enableEnterMovesFocus(this);
  auto* help = new QShortcut(QKeySequence::HelpContents, this);
  connect(help, &QShortcut::activated, this, [this] { ui_.help.showContext(kHelpContext); });
  connect(saveButton, &QPushButton::clicked, this, &TGroupDef::saveClicked);
  connect(deleteButton, &QPushButton::clicked, this, &TGroupDef::deleteClicked);
  connect(cancelButton, &QPushButton::clicked, this, &TGroupDef::cancelClicked);
}

TGroupDef::~TGroupDef() = default;

void TGroupDef::edit(long& current) {
  session_.CurGroup = current;
  if (FormShow()) exec();
  current = session_.CurGroup;
}

bool TGroupDef::FormShow() {
  const vt::ui::WaitCursor wait;
  vt::engine::Table* groups = OpenedTable(session_, TableId::Groups);
  if (!groups) return false;
  vt::data::GroupRecord& group = session_.Group;
  if (session_.CurGroup > 0) {
    session_.engine().errorCode();
    const Result r = groups->go(static_cast<uint32_t>(session_.CurGroup));
    const int status = r == Result::Success ? session_.LoadGroup() : session_.engine().errorCode();
    if (status < 0 || r != Result::Success) {
      ReportEngineFailure(ui_.dialogs, session_.engine(),
                          status < 0 ? status : vt::engine::kErrRecord);
      return false;
    }
    deleteButton->setEnabled(true);
  } else {
    group = vt::data::GroupRecord{};
    session_.CurGroup = -1;
    deleteButton->setEnabled(false);
  }
  groupNumberEdit->setText(QString::fromStdString(vt::base::PadNumber(group.nGroup, 2)));
  // The name keeps its leading blanks; the trailing ones are the field's
  // padding, so the whole width is free for typing.
  if (const vt::engine::Field* name = groups->field("cGroup"))
    groupNameEdit->setMaxLength(name->length());
  groupNameEdit->setText(QString::fromStdString(vt::base::trimRight(group.cGroup)));
  return true;
}

void TGroupDef::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) groupNameEdit->setFocus();
}

void TGroupDef::saveClicked() {
  if (groupNameEdit->text().trimmed().isEmpty()) {
    ui_.dialogs.information("", kBlankName);
    return;
  }
  vt::engine::Table* groups = OpenedTable(session_, TableId::Groups);
  if (!groups) return;
  session_.Group.cGroup = groupNameEdit->text().toStdString();
  // A group without a number is new: it is numbered and gets a record.
  const bool isNew = session_.Group.nGroup == 0;
  if (isNew && !numberNew(*groups)) return;
  long record = isNew ? -1 : session_.CurGroup;
  if (!SaveAndRecall(session_, TableId::Groups, record, &vt::data::DataSession::StoreGroup,
                     ui_.dialogs, kAppendRefused)) {
    if (isNew) session_.Group.nGroup = 0;
    return;
  }
  session_.CurGroup = record;
  accept();
}

bool TGroupDef::numberNew(vt::engine::Table& groups) {
  const NextNumber next = NextFreeNumber(groups, "nGroup", "nGroup");
  if (next.status < 0) {
    ReportEngineFailure(ui_.dialogs, session_.engine(), next.status);
    return false;
  }
  const long largest = LargestNumber(*groups.field("nGroup"));
  if (next.value > largest) {
    ui_.dialogs.information("", kNoFreeNumber + std::to_string(largest) + ".");
    return false;
  }
  session_.Group.nGroup = static_cast<int>(next.value);
  return true;
}

void TGroupDef::deleteClicked() {
  const long record = session_.CurGroup;
  const int number = session_.Group.nGroup;
  const std::string name = vt::base::trim(session_.Group.cGroup);
  if (!ui_.dialogs.warning("", "Move Customers in " + name + " to a selected group")) return;
  const std::optional<int> target = chooseTarget(record);
  if (!target) return;
  // Moving the members walks every customer.
  const vt::ui::WaitCursor wait;
  if (const int status = moveMembers(number, *target); status < 0) {
    ReportEngineFailure(ui_.dialogs, session_.engine(), status);
    returnTo(record);
    return;
  }
  vt::engine::Table* groups = OpenedTable(session_, TableId::Groups);
  if (!groups) return;
  session_.engine().errorCode();
  if (groups->go(static_cast<uint32_t>(record)) == Result::Success) groups->deleteRecord();
  const int flushed = groups->flush();
  const int status = session_.engine().errorCode();
  session_.CurGroup = record;
  if (status < 0 || flushed < 0) {
    ReportEngineFailure(ui_.dialogs, session_.engine(), status < 0 ? status : flushed);
    returnTo(record);
    return;
  }
  session_.NeedsPack = true;
  accept();
}

std::optional<int> TGroupDef::chooseTarget(long record) {
  const vt::data::PickOutcome outcome = session_.PickGroup(false, *picker_, *this);
  if (outcome.status < 0) ReportEngineFailure(ui_.dialogs, session_.engine(), outcome.status);
  if (!outcome.chosen || session_.CurGroup == record) {
    returnTo(record);
    return std::nullopt;
  }
  vt::engine::Table* groups = session_.groups();
  session_.engine().errorCode();
  const bool loaded = groups->go(static_cast<uint32_t>(session_.CurGroup)) == Result::Success &&
                      session_.LoadGroup() == 0;
  if (!loaded) {
    const int status = session_.engine().errorCode();
    ReportEngineFailure(ui_.dialogs, session_.engine(),
                        status < 0 ? status : vt::engine::kErrRecord);
    returnTo(record);
    return std::nullopt;
  }
  return session_.Group.nGroup;
}

int TGroupDef::moveMembers(int from, int to) {
  vt::engine::Table* customers = OpenedTable(session_, TableId::Customers);
  if (!customers) return vt::engine::kErrOpen;
  vt::engine::Field* ngroup = customers->field("ngroup");
  if (!ngroup) return vt::engine::kErrField;
  session_.engine().errorCode();
  for (Result r = customers->top(); r == Result::Success; r = customers->skip()) {
    if (ngroup->asInt() == from) ngroup->assignInt(to);
  }
  const int flushed = customers->flush();
  const int status = session_.engine().errorCode();
  return status < 0 ? status : flushed;
}

void TGroupDef::returnTo(long record) {
  session_.CurGroup = record;
  vt::engine::Table* groups = session_.groups();
  if (!groups) return;
  session_.engine().errorCode();
  const int status = groups->go(static_cast<uint32_t>(record)) == Result::Success
                         ? session_.LoadGroup()
                         : session_.engine().errorCode();
  if (status < 0) ReportEngineFailure(ui_.dialogs, session_.engine(), status);
}

void TGroupDef::cancelClicked() {
  reject();
}

}  // namespace vt::catalog
