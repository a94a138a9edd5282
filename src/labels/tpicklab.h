// TPickLab, the window "Choose a Label Stock": every label stock of LABELS in name order,
// without a seek box, from which the user picks a stock, asks for a new one
// or cancels. The result is CurLabel (through the selection cycle).
#pragma once

#include "data/data_session.h"
#include "ui/list_picker.h"

namespace vt::labels {

class TPickLab : public vt::ui::ListPicker {
  Q_OBJECT

 public:
  TPickLab(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui);

 protected:
  vt::engine::Table* listedTable() override;
  const char* listOrder() const override { return "Labels"; }
  int loadName(std::string* name) override;

 private:
  vt::data::DataSession& session_;
};

}  // namespace vt::labels
