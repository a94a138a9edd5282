// TStationary, the window "Stationary Setup": the letterhead printed on
// invoices, bills and statements (company, address lines, alignment, logo
// picture and its size, top margin) and the closing and signature lines.
// Save writes the settings record.
#pragma once

#include <QDialog>

#include "data/data_session.h"
#include "ui/amount_edit.h"
#include "ui/context.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vt::invoicing {

class ChoiceGroup;

class TStationary : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 610;
  // Shown when the chosen logo's path is longer than the settings keep; the
  // logo named before stays.
  static constexpr const char* kLogoPathTooLong =
      "The logo file's path is longer than 59 characters, which is all the "
      "settings can keep. Please move the logo to a folder with a shorter path "
      "and choose it again.";
  // The pictures the logo may be: what invoices print (any file Qt reads),
  // named in either case.
  static constexpr const char* kLogoFilter =
      "Picture Files (*.bmp *.BMP *.png *.PNG *.jpg *.JPG *.jpeg *.JPEG);;"
      "Bitmap Files (*.BMP *.bmp)";

  TStationary(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui);

  // Shows the settings and runs the window modally.
  void run();

  QPushButton* logoButton = nullptr;
  QLineEdit* logoFileEdit = nullptr;
  vt::ui::AmountEdit* topMarginEdit = nullptr;
  vt::ui::AmountEdit* logoHeightEdit = nullptr;
  vt::ui::AmountEdit* logoWidthEdit = nullptr;
  QLineEdit* companyEdit = nullptr;
  QLineEdit* address1Edit = nullptr;
  QLineEdit* address2Edit = nullptr;
  QLineEdit* address3Edit = nullptr;
  QLineEdit* address4Edit = nullptr;
  ChoiceGroup* justificationGroup = nullptr;
  QRadioButton* leftRadio = nullptr;
  QRadioButton* centerRadio = nullptr;
  QRadioButton* rightRadio = nullptr;
  QLineEdit* closingLineEdit = nullptr;
  QLineEdit* signatureLineEdit = nullptr;
  QPushButton* saveButton = nullptr;
  QPushButton* cancelButton = nullptr;
  QPushButton* helpButton = nullptr;

 public slots:
  void FormShow();
  void logoClicked();
  void saveClicked();
  void cancelClicked();
  void helpClicked();

 private:
  void build();
  void layOut();
  QLineEdit* textEdit(const char* name, const QString& accessibleName, int maxLength);
  vt::ui::AmountEdit* measureEdit(const char* name, const QString& accessibleName);

  vt::data::DataSession& session_;
  vt::ui::UiContext& ui_;
};

}  // namespace vt::invoicing
