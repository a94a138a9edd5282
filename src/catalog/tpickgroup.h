// TPickGroup, the window "Choose a Customer Group": the list of customer groups in name
// order, with a seek box, from which the user picks a group, asks for a new
// one or cancels. The result is CurGroup (through the selection cycle).
#pragma once

#include "data/data_session.h"
#include "ui/list_picker.h"

namespace vt::catalog {

class TPickGroup : public vt::ui::ListPicker {
  Q_OBJECT

 public:
  // The seek box accepts this many characters.
  static constexpr int kSeekLength = 20;

  TPickGroup(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui);

 protected:
  vt::engine::Table* listedTable() override;
  const char* listOrder() const override { return "cGroup"; }
  int loadName(std::string* name) override;

 private:
  vt::data::DataSession& session_;
};

}  // namespace vt::catalog
