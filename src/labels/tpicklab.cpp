#include "labels/tpicklab.h"

namespace vt::labels {

namespace {

vt::ui::ListPicker::Options pickLabOptions() {
  vt::ui::ListPicker::Options options;
  options.caption = QStringLiteral("Choose a Label Stock");
  options.listName = QStringLiteral("Label Stocks");
  options.seekBox = false;
  options.enterSelects = true;
  return options;
}

}  // namespace

TPickLab::TPickLab(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui)
    : ListPicker(parent, ui, pickLabOptions()), session_(session) {
  setObjectName(QStringLiteral("TPickLab"));
}

vt::engine::Table* TPickLab::listedTable() {
  return session_.labels();
}

int TPickLab::loadName(std::string* name) {
  const int status = session_.LoadLabel();
  *name = session_.Label.Name;
  return status;
}

}  // namespace vt::labels
