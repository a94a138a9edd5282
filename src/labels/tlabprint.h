// TLabPrint, the window "Print Labels": the label stock to print on, where
// the first label goes on the first sheet, and whether the labels go to
// the printer or to a PDF file (the only way when no printer is installed).
// The chosen stock is left in the session's label buffer.
#pragma once

#include <QDialog>
#include <optional>

#include "data/data_session.h"
#include "ui/context.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace vt::labels {

struct LabelStart {
  int column = 1;
  int row = 1;
  bool toPdf = false;
};

class TLabPrint : public QDialog {
  Q_OBJECT

 public:
  // The largest starting row the row field takes.
  static constexpr int kMostRows = 99;

  TLabPrint(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui);

  // Shows the stocks of LABELS, which the caller has open; nothing when
  // cancelled or when no stock was chosen.
  std::optional<LabelStart> Run();

  QComboBox* labelStockCombo = nullptr;
  QSpinBox* startColumnSpin = nullptr;
  QSpinBox* startRowSpin = nullptr;
  QCheckBox* pdfCheck = nullptr;
  QPushButton* okButton = nullptr;
  QPushButton* cancelButton = nullptr;

 public slots:
  void FormShow();
  void okClicked();

 private:
  void build();
  void layOut();
  // The stock at the list's `index` into the label buffer; false (told)
  // when it cannot be read.
  bool loadStock(int index);
  void stockChosen(int index);
  // The starting column and row kept within the stock in the label buffer.
  void fitStart();
  void rememberStock();

  vt::data::DataSession& session_;
  vt::ui::UiContext& ui_;
  bool cancelled_ = true;
};

}  // namespace vt::labels
