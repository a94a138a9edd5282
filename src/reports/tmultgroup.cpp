#include "reports/tmultgroup.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/convert.h"
#include "base/text1252.h"
#include "ui/field_behaviour.h"
#include "ui/list_failure.h"
#include "ui/window_size.h"

namespace vt::reports {

namespace {

constexpr int kNumberRole = Qt::UserRole;

}  // namespace

TMultGroup::TMultGroup(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui,
                       ReportChoices& choices)
    : QDialog(parent), session_(session), ui_(ui), choices_(choices) {
  setObjectName("TMultGroup");
  setWindowTitle(tr("Select One or More Groups"));
  build();
  layOut();
  resize(300, 260);
  vt::ui::HoldDesignSize(*this);
  vt::ui::enableEnterMovesFocus(this);
  connect(runButton, &QPushButton::clicked, this, &TMultGroup::runClicked);
  connect(allButton, &QPushButton::clicked, this, &TMultGroup::allClicked);
  connect(cancelButton, &QPushButton::clicked, this, &TMultGroup::cancelClicked);
}

void TMultGroup::build() {
  groupList = new QListWidget(this);
  groupList->setObjectName("groupList");
  groupList->setAccessibleName(tr("Groups"));
  // Each click selects or deselects its item alone.
  groupList->setSelectionMode(QAbstractItemView::MultiSelection);
  runButton = vt::ui::makeButton(this, "runButton", tr("Run"));
  allButton = vt::ui::makeButton(this, "allButton", tr("All"));
  cancelButton = vt::ui::makeButton(this, "cancelButton", tr("Cancel"));
  QWidget* const order[] = {groupList, runButton, allButton, cancelButton};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

// The list takes the room; the buttons below it.
void TMultGroup::layOut() {
  auto* column = new QVBoxLayout(this);
  column->addWidget(groupList, 1);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {runButton, allButton, cancelButton}) buttons->addWidget(button);
  column->addLayout(buttons);
}

bool TMultGroup::Run() {
  choices_.SelectedGroups.clear();
  const bool ownTable = !session_.groups();
  // A table that cannot be opened has been told and ends the program.
  if (ownTable && !session_.OpenGroups()) return false;
  FormShow();
  exec();
  if (ownTable) session_.CloseTable(vt::data::TableId::Groups);
  return !choices_.SelectedGroups.empty();
}

void TMultGroup::FormShow() {
  groupList->clear();
  choices_.SelectedGroups.clear();
  vt::engine::Table* groups = session_.groups();
  if (groups && fill(*groups) && groupList->count() == 1) groupList->item(0)->setSelected(true);
  groupList->setFocus();
}

bool TMultGroup::fill(vt::engine::Table& groups) {
  vt::engine::Engine& engine = groups.engine();
  engine.errorCode();
  for (vt::engine::Result r = groups.top(); r == vt::engine::Result::Success; r = groups.skip()) {
    if (groups.deleted()) continue;
    if (const int status = session_.LoadGroup(); status < 0) {
      vt::ui::ReportListFailure(ui_.dialogs, &engine, status);
      return false;
    }
    const vt::data::GroupRecord& group = session_.Group;
    auto* item =
        new QListWidgetItem(QString::fromStdString(vt::base::PadNumber(group.nGroup, 2) + " - " +
                                                   vt::base::trimRight(group.cGroup)),
                            groupList);
    item->setData(kNumberRole, group.nGroup);
  }
  if (const int status = engine.errorCode(); status < 0) {
    vt::ui::ReportListFailure(ui_.dialogs, &engine, status);
    return false;
  }
  return true;
}

// The chosen numbers in list order; with nothing chosen the window closes
// all the same and the choice counts as cancelled.
void TMultGroup::runClicked() {
  choices_.SelectedGroups.clear();
  for (int row = 0; row < groupList->count(); ++row) {
    const QListWidgetItem* item = groupList->item(row);
    if (item->isSelected()) choices_.SelectedGroups.push_back(item->data(kNumberRole).toInt());
  }
  accept();
}

void TMultGroup::allClicked() {
  groupList->selectAll();
}

void TMultGroup::cancelClicked() {
  reject();
}

}  // namespace vt::reports
