// TTaxDef, the window "Tax Definition": the labels and percentages of the two
// computed tax lines of an invoice, whether Tax 2 is charged on Tax 1 and
// how computed tax is rounded. Save writes the settings record.
#pragma once

#include <QDialog>

#include "data/data_session.h"
#include "ui/amount_edit.h"
#include "ui/context.h"

class QLineEdit;
class QPushButton;

namespace vt::invoicing {

class ChoiceGroup;

class TTaxDef : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 630;

  TTaxDef(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui);

  // Shows the settings and runs the window modally.
  void run();

  QLineEdit* tax1LabelEdit = nullptr;
  vt::ui::AmountEdit* tax1RateEdit = nullptr;
  QLineEdit* tax2LabelEdit = nullptr;
  vt::ui::AmountEdit* tax2RateEdit = nullptr;
  ChoiceGroup* tax2OnTax1Group = nullptr;
  ChoiceGroup* roundingGroup = nullptr;
  QPushButton* saveButton = nullptr;
  QPushButton* cancelButton = nullptr;
  QPushButton* helpButton = nullptr;

 public slots:
  void FormShow();
  void saveClicked();
  void cancelClicked();
  void helpClicked();

 private:
  void build();

  vt::data::DataSession& session_;
  vt::ui::UiContext& ui_;
};

}  // namespace vt::invoicing
