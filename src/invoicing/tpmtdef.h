// TPmtDef, the window "Payment": the date and amount of one payment against
// the invoice being edited. The invoice editor and the payment picker fill it
// and read it back by the button that closed it; the window itself touches
// no table.
#pragma once

#include <QDialog>
#include <QString>

#include "invoicing/titemdef.h"
#include "ui/amount_edit.h"
#include "ui/context.h"
#include "ui/date_edit.h"

class QPushButton;

namespace vt::invoicing {

struct PaymentFields {
  QString date, amount;  // short date text, amount text as shown
};

class TPmtDef : public QDialog {
  Q_OBJECT

 public:
  TPmtDef(QWidget* parent, vt::ui::UiContext& ui);

  // Fills the two fields, enables Delete when allowDelete, shows modally,
  // returns PmtResult; on Save `fields` receives the two texts (the date
  // written in the short date format, without the field's padding). A new
  // payment (no Delete) starts in the amount, selected, so that what is
  // typed replaces the amount offered; a payment on file starts in the date.
  int Edit(PaymentFields& fields, bool allowDelete);
  int PmtResult = kCancelResult;

  vt::ui::DateEdit* datePaidEdit = nullptr;
  vt::ui::AmountEdit* amountEdit = nullptr;
  QPushButton* saveButton = nullptr;
  QPushButton* deleteButton = nullptr;
  QPushButton* cancelButton = nullptr;

 public slots:
  void saveClicked();
  void deleteClicked();
  void cancelClicked();

 private:
  void build();
  void layOut();

  vt::ui::UiContext& ui_;
  // The field last left was refused (and the user told).
  bool exitRefused_ = false;
};

}  // namespace vt::invoicing
