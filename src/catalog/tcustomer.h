// TCustomer, the window "Customer": creates, changes or deletes one customer
// of CUST5. Works on the customer buffer and CurCustomer (0: a new
// customer); every customer must be given a group, chosen through the group
// selection cycle. A deletion sets NeedsPack; the record stays until the
// table is packed, and saving it before then undeletes it.
#pragma once

#include <QDialog>
#include <memory>

#include "data/data_session.h"
#include "ui/context.h"
#include "ui/unsaved_changes.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace Ui {
class TCustomer;
}

namespace vt::catalog {

class TGroupDef;
class TPickGroup;

class TCustomer : public QDialog, public vt::data::RecordEditor {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 410;
  static constexpr const char* kSelectGroup = "Please Select Customer Group";
  static constexpr const char* kAppendRefused = "Unable to Append record . . Please try again.";

  TCustomer(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui);
  ~TCustomer() override;

  // Shows the window modally for customer record `current` (0: a new
  // customer). Leaves the saved or deleted customer's record number, or -1
  // when a new customer was not saved.
  void edit(long& current) override;

  // The group selection cycle behind the Group button.
  TPickGroup& groupPicker() { return *groupPicker_; }
  TGroupDef& groupEditor() { return *groupEditor_; }

  QLineEdit* customerNumberEdit = nullptr;  // display only
  QLineEdit* titleEdit = nullptr;
  QLineEdit* firstNameEdit = nullptr;
  QLineEdit* lastNameEdit = nullptr;
  QLineEdit* address1Edit = nullptr;  // or the company
  QLineEdit* address2Edit = nullptr;
  QLineEdit* address3Edit = nullptr;
  QLineEdit* address4Edit = nullptr;
  QLineEdit* zipEdit = nullptr;
  QLineEdit* phoneEdit = nullptr;
  QLineEdit* faxEdit = nullptr;
  QLineEdit* emailEdit = nullptr;
  QLineEdit* noteEdit = nullptr;
  QLineEdit* groupNameEdit = nullptr;  // display only
  QPlainTextEdit* commentsMemo = nullptr;
  QLabel* address1Label = nullptr;  // "Address" or "Company"
  QLabel* address2Label = nullptr;  // "Address", shown only for the company order
  QPushButton* groupButton = nullptr;
  QPushButton* saveButton = nullptr;
  QPushButton* deleteButton = nullptr;
  QPushButton* cancelButton = nullptr;
  QPushButton* helpButton = nullptr;

 public slots:
  // Loads CurCustomer (or clears the buffer for a new customer) into the
  // window; false, told to the user, when the record cannot be read.
  bool FormShow();
  void saveClicked();
  void deleteClicked();
  void cancelClicked();
  void groupClicked();
  void helpClicked();
  // Escape and the close box: with anything changed, only after the user
  // agrees to discard it. The Cancel button discards without asking.
  void reject() override;
  // Keeps the comments within what a memo holds.
  void commentsChanged();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void setAddressCaptions(bool byName);
  bool loadCurrent(vt::engine::Table& customers);
  void showBuffer();
  // The group name of the buffer's group; a group no longer on file is
  // dropped from the buffer.
  void showGroup();
  // Gives a new customer the next free number; false (told) when there is
  // none.
  bool numberNew(vt::engine::Table& customers);
  // A new customer shows the number its save will give it (none when no
  // number is left: Save says so).
  void showNumberAhead(vt::engine::Table& customers);
  void copyControls();
  // Positions CUST5 on CurCustomer; false (told) when it cannot.
  bool goCurrent(vt::engine::Table& customers);

  vt::data::DataSession& session_;
  vt::ui::UiContext& ui_;
  std::unique_ptr<Ui::TCustomer> form_;
  TPickGroup* groupPicker_ = nullptr;
  TGroupDef* groupEditor_ = nullptr;
  vt::ui::UnsavedChanges changes_{*this};
};

}  // namespace vt::catalog
