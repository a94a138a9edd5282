// TPickCust, "Select Customer": the grid picker over CUST5, by name or by
// company as the customer sort preference says, showing the group of the
// selected customer.
#pragma once

#include "ui/grid_picker.h"

class QLabel;
class QLineEdit;

namespace vt::catalog {

class TPickCust : public vt::ui::GridPicker {
  Q_OBJECT

 public:
  TPickCust(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui);

  QLabel* groupLabel = nullptr;
  QLineEdit* groupNameEdit = nullptr;  // the selected customer's group, display only

 protected:
  void ShowRowExtra(long recno) override;
};

}  // namespace vt::catalog
