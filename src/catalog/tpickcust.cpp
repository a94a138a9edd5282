#include "catalog/tpickcust.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "base/text1252.h"

using vt::data::DataSession;
using vt::engine::Result;
using vt::ui::GridOrder;
using vt::ui::GridPickerSettings;

namespace vt::catalog {

namespace {

QString text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

GridOrder customerOrder(const DataSession& session) {
  if (session.settings.ByCust) {
    return {{{"Last", 20}, {"First", 13}, {"Note", 34}}, QStringLiteral("cname")};
  }
  return {{{"Company", 34}, {"Last", 13}, {"First", 20}}, QStringLiteral("cComp")};
}

QStringList customerRow(DataSession& session, bool deleted) {
  if (session.LoadCustomer() < 0) return {};
  const vt::data::CustomerRecord& c = session.Customer;
  bool byName = session.settings.ByCust;
  QString third = deleted ? QStringLiteral("< DELETED >") : text(byName ? c.note : c.first);
  if (byName) return {text(c.last), text(c.first), third};
  return {text(c.addr1), text(c.last), third};
}

GridPickerSettings customerSettings() {
  GridPickerSettings s;
  s.caption = QStringLiteral("Select Customer");
  s.table = vt::data::TableId::Customers;
  s.measure = QLatin1Char('B');
  s.gridWidth = 67;
  s.rightMargin = 16;
  s.firstRowAfterFill = true;
  s.order = customerOrder;
  s.row = customerRow;
  return s;
}

}  // namespace

TPickCust::TPickCust(QWidget* parent, DataSession& session, vt::ui::UiContext& ui)
    : GridPicker(parent, session, ui, customerSettings()) {
  setObjectName(QStringLiteral("TPickCust"));
  groupNameEdit = new QLineEdit(this);
  groupNameEdit->setObjectName(QStringLiteral("groupNameEdit"));
  groupNameEdit->setAccessibleName(tr("Group"));
  groupNameEdit->setReadOnly(true);
  groupNameEdit->setFocusPolicy(Qt::NoFocus);
  groupLabel = new QLabel(tr("Group:"), this);
  groupLabel->setObjectName(QStringLiteral("groupLabel"));
  groupLabel->setBuddy(groupNameEdit);
  extraRow()->addWidget(groupLabel);
  extraRow()->addWidget(groupNameEdit, 1);
}

// The group of the customer in the selected row; the box keeps its text when
// the customer's group is not on file.
void TPickCust::ShowRowExtra(long recno) {
  vt::engine::Table* customers = session().customers();
  vt::engine::Table* groups = session().groups();
  if (!groupNameEdit || recno <= 0 || !customers || !groups) return;
  if (customers->go(static_cast<uint32_t>(recno)) != Result::Success) return;
  vt::engine::Field* ngroup = customers->field("ngroup");
  vt::engine::Tag* byNumber = groups->tag("nGroup");
  if (!ngroup || !byNumber) return;
  groups->selectTag(byNumber);
  if (groups->seek(ngroup->str()) != Result::Success) return;
  if (session().LoadGroup() < 0) return;
  groupNameEdit->setText(text(vt::base::trimRight(session().Group.cGroup)));
}

}  // namespace vt::catalog
