// TPickInv, "Select Invoice": the grid picker over INV5 in invoice number
// order, sought by typing an invoice number, showing the customer of the
// selected invoice.
#pragma once

#include "ui/grid_picker.h"

class QLabel;
class QLineEdit;

namespace vt::invoicing {

class TPickInv : public vt::ui::GridPicker {
  Q_OBJECT

 public:
  TPickInv(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui);

  QLabel* customerLabel = nullptr;
  QLineEdit* customerNameEdit = nullptr;  // the selected invoice's customer, display only

 protected:
  void ShowRowExtra(long recno) override;

 private:
  // The name shown for the customer of invoice record `recno`.
  QString invoiceCustomer(long recno);
};

}  // namespace vt::invoicing
