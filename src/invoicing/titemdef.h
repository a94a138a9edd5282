// TItemDef, the window "Invoice Line Item": one line of an invoice entered or
// changed (description, comment, unit price, quantity and whether Tax 1 and
// Tax 2 apply), its total shown as price times quantity. The invoice editor
// fills it and reads it back by the button that closed it; the window itself
// touches no table.
#pragma once

#include <QDialog>
#include <QString>

#include "data/data_session.h"
#include "ui/amount_edit.h"
#include "ui/context.h"
#include "ui/unsaved_changes.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace vt::invoicing {

// The results of the line item and payment dialogs.
enum DialogResult : int { kSaveResult = 1, kDeleteResult = 2, kCancelResult = 3 };

// Keeps `result` in `resultField` and closes `dialog`: accepted for Save and
// Delete, rejected for Cancel.
void CloseWithResult(QDialog& dialog, int& resultField, int result);

struct ItemFields {
  QString productId, description, comment;
  QString unitPrice, quantity, total;  // texts as shown, system decimal separator
  bool tax1 = false, tax2 = false;
};

class TItemDef : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 1120;

  TItemDef(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui);

  // Fills the controls from `fields`, shows the dialog modally and returns
  // ItemResult; on Save `fields` receives the controls' texts (unit price and
  // quantity as shown) and check boxes.
  int Edit(ItemFields& fields);
  int ItemResult = kCancelResult;

  QLineEdit* productIdEdit = nullptr;
  QLineEdit* descriptionEdit = nullptr;
  QLineEdit* commentEdit = nullptr;
  vt::ui::AmountEdit* unitPriceEdit = nullptr;
  vt::ui::AmountEdit* quantityEdit = nullptr;
  vt::ui::AmountEdit* totalEdit = nullptr;
  QCheckBox* tax1CheckBox = nullptr;
  QCheckBox* tax2CheckBox = nullptr;
  QPushButton* saveButton = nullptr;
  QPushButton* deleteButton = nullptr;
  QPushButton* cancelButton = nullptr;

 public slots:
  void saveClicked();
  void deleteClicked();
  // The Cancel button discards without asking.
  void cancelClicked();
  // Escape and the close box: with anything changed, only after the user
  // agrees to discard it.
  void reject() override;

 private:
  void build();
  void layOut();
  vt::ui::AmountEdit* amountEdit(const char* name, const QString& caption, int integerDigits,
                                 const char* format);
  void FormShow();
  void showTaxCaptions();
  void limitToItemFields();
  // Leaving the unit price or quantity: the text reformatted (or refused)
  // and the total shown again.
  void amountLeft(vt::ui::AmountEdit& field);
  void showTotal();
  bool totalFits();

  vt::data::DataSession& session_;
  vt::ui::UiContext& ui_;
  // The amount field last left was refused (and the user told).
  bool exitRefused_ = false;
  vt::ui::UnsavedChanges changes_{*this};
};

}  // namespace vt::invoicing
