// TPickPmt, the window "Select Payment": the payments of the invoice being
// edited (PmtLines), one of which is chosen and opened in the payment dialog
// to be changed or removed. One opening changes at most one payment.
#pragma once

#include <QDialog>

#include "data/data_session.h"
#include "invoicing/tpmtdef.h"
#include "ui/context.h"

class QPushButton;
class QTableWidget;

namespace vt::invoicing {

class TPickPmt : public QDialog {
  Q_OBJECT

 public:
  TPickPmt(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui,
           TPmtDef& paymentDialog);

  // Shows the picker modally over session.PmtLines/PmtCount; changes at
  // most one payment.
  void Pick();

  QTableWidget* paymentsGrid = nullptr;
  QPushButton* selectButton = nullptr;
  QPushButton* cancelButton = nullptr;

 public slots:
  void selectClicked();
  void cancelClicked();

 protected:
  // Enter on a row selects it.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build();
  void FormShow();
  void sizeGrid();
  void fillGrid();
  // Opens payment `i` in the payment dialog and keeps what it returns.
  void editPayment(size_t i);
  void removePayment(size_t i);

  vt::data::DataSession& session_;
  TPmtDef& paymentDialog_;
};

}  // namespace vt::invoicing
