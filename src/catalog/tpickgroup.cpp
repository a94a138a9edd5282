#include "catalog/tpickgroup.h"

namespace vt::catalog {

namespace {

vt::ui::ListPicker::Options pickGroupOptions() {
  vt::ui::ListPicker::Options options;
  options.caption = QStringLiteral("Choose a Customer Group");
  options.listName = QStringLiteral("Customer Groups");
  options.seekBox = true;
  options.seekLength = TPickGroup::kSeekLength;
  options.enterSelects = true;
  return options;
}

}  // namespace

TPickGroup::TPickGroup(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui)
    : ListPicker(parent, ui, pickGroupOptions()), session_(session) {
  setObjectName(QStringLiteral("TPickGroup"));
}

vt::engine::Table* TPickGroup::listedTable() {
  return session_.groups();
}

int TPickGroup::loadName(std::string* name) {
  const int status = session_.LoadGroup();
  *name = session_.Group.cGroup;
  return status;
}

}  // namespace vt::catalog
