// TPurDef, the "Inventory Purchase Definition" window: creates, changes and
// deletes one purchase of Pur5 through the purchase buffer, for the purchase
// selection cycle. Its Product button runs the product selection cycle with
// the product picker and editor it is given, and saving the purchase marks
// the chosen product as an inventory item. Needs Pur5 and Prod5 open.
#pragma once

#include <QDialog>
#include <memory>

#include "data/data_session.h"
#include "data/selection_cycle.h"
#include "ui/context.h"
#include "ui/unsaved_changes.h"

namespace Ui {
class TPurDef;
}

namespace vt::catalog {

class TPurDef : public QDialog, public vt::data::RecordEditor {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 450;

  // The product picker and editor (TPickProd and TProdDef in the program)
  // may be given here or later with setProductWindows.
  TPurDef(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui,
          vt::data::RecordPicker* productPicker = nullptr,
          vt::data::RecordEditor* productEditor = nullptr);
  ~TPurDef() override;

  void setProductWindows(vt::data::RecordPicker& picker, vt::data::RecordEditor& editor);

  // Shows the window modally on purchase `current` (0: a new purchase).
  // Leaves there what the window left in CurPurchase: the saved or deleted
  // purchase, still 0 for a new purchase that was not saved.
  void edit(long& current) override;

 public slots:
  // Loads purchase CurPurchase (or starts a new one) into the controls.
  // False, after telling the user, when the record cannot be read.
  bool FormShow();
  void productClicked();
  void saveClicked();
  void deleteClicked();
  void cancelClicked();
  void helpClicked();
  // Escape and the close box: with anything changed, only after the user
  // agrees to discard it. The Cancel button discards without asking.
  void reject() override;
  void quantityLeft();
  void totalCostLeft();

 private:
  void setUpFields();
  void startNewPurchase();
  void showPurchase();
  // Fills the purchase buffer from the controls; false, with the field
  // refused and focused, when a date or number is not one.
  bool takeControls();
  // The product chosen with the Product button becomes an inventory item.
  bool markChosenProduct();

  vt::data::DataSession& session_;
  vt::ui::UiContext& ui_;
  vt::data::RecordPicker* productPicker_;
  vt::data::RecordEditor* productEditor_;
  // Record number of the product chosen since the window opened; 0: none.
  long chosenProduct_ = 0;
  std::unique_ptr<Ui::TPurDef> form_;
  vt::ui::UnsavedChanges changes_{*this};
};

}  // namespace vt::catalog
