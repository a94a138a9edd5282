// TLabelDef, the window "Label Definition": creates or changes one label
// stock of LABELS through the label buffer, for the label selection cycle.
// Dimensions are in printer points (1/72 inch). Stocks are never deleted.
#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "data/data_session.h"
#include "data/records.h"
#include "ui/context.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace vt::ui {
class AmountEdit;
class MaskedEdit;
}  // namespace vt::ui

namespace vt::labels {

class TLabelDef : public QDialog, public vt::data::RecordEditor {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 620;

  TLabelDef(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui);

  // Shows the window modally on stock `current` (0: a new stock). Leaves
  // the saved stock's record number, or what CurLabel held when nothing was
  // saved (-1 for a new stock).
  void edit(long& current) override;

  QLineEdit* labelNameEdit = nullptr;
  vt::ui::AmountEdit* topMarginEdit = nullptr;
  vt::ui::AmountEdit* leftMarginEdit = nullptr;
  vt::ui::AmountEdit* bottomMarginEdit = nullptr;
  vt::ui::AmountEdit* rightMarginEdit = nullptr;
  vt::ui::AmountEdit* widthEdit = nullptr;
  vt::ui::AmountEdit* heightEdit = nullptr;
  vt::ui::AmountEdit* horizontalGapEdit = nullptr;
  vt::ui::AmountEdit* verticalGapEdit = nullptr;
  vt::ui::MaskedEdit* labelsAcrossEdit = nullptr;
  QCheckBox* continuousCheck = nullptr;
  QPushButton* saveButton = nullptr;
  QPushButton* cancelButton = nullptr;

 public slots:
  // Loads stock CurLabel (or starts a new one) into the controls; false,
  // told to the user, when the record cannot be read.
  bool FormShow();
  void saveClicked();
  void cancelClicked();

 private:
  void build();
  vt::ui::AmountEdit* addDimension(QGridLayout* grid, int row, int column, const char* name,
                                   const QString& caption);
  // The dimension fields in the order of LabelDim.
  std::array<vt::ui::AmountEdit*, vt::data::LabelDim::Count> dimensionEdits() const;
  void showStock();
  // The number of labels across; nothing (told) when the field is blank.
  std::optional<int> labelsAcross();

  vt::data::DataSession& session_;
  vt::ui::UiContext& ui_;
};

}  // namespace vt::labels
