// TPickProd, "Select Product": the grid picker over Prod5 in its selected
// order (product ID, upper-cased).
#pragma once

#include "ui/grid_picker.h"

namespace vt::catalog {

class TPickProd : public vt::ui::GridPicker {
  Q_OBJECT

 public:
  TPickProd(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui);
};

}  // namespace vt::catalog
