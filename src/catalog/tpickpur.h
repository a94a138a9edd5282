// TPickPur, "PickPur": the grid picker over Pur5 in its selected order
// (product ID upper-cased, then date).
#pragma once

#include "ui/grid_picker.h"

namespace vt::catalog {

class TPickPur : public vt::ui::GridPicker {
  Q_OBJECT

 public:
  TPickPur(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui);
};

}  // namespace vt::catalog
