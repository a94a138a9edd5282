// TGroupDef, the window "Customer Group Definition": creates, renames and
// deletes one customer group of GROUPS. Deleting a group first moves its
// customers to a group the user picks. Works on the group buffer and
// CurGroup; a deletion sets NeedsPack.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>

#include "data/data_session.h"
#include "ui/context.h"

class QLineEdit;
class QPushButton;

namespace Ui {
class TGroupDef;
}

namespace vt::catalog {

class TPickGroup;

class TGroupDef : public QDialog, public vt::data::RecordEditor {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 420;

  TGroupDef(QWidget* parent, vt::data::DataSession& session, vt::ui::UiContext& ui);
  ~TGroupDef() override;

  // Shows the window modally for group record `current` (0: a new group).
  // Leaves the saved or deleted group's record number, or -1 when a new
  // group was not saved.
  void edit(long& current) override;

  // The picker Delete shows to choose where the customers go.
  TPickGroup& groupPicker() { return *picker_; }

  QLineEdit* groupNumberEdit = nullptr;
  QLineEdit* groupNameEdit = nullptr;
  QPushButton* saveButton = nullptr;
  QPushButton* deleteButton = nullptr;
  QPushButton* cancelButton = nullptr;

 public slots:
  // Loads CurGroup (or clears the buffer for a new group) into the window;
  // false, told to the user, when the record cannot be read.
  bool FormShow();
  void saveClicked();
  void deleteClicked();
  void cancelClicked();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Gives a new group the next free number; false (told) when there is none.
  bool numberNew(vt::engine::Table& groups);
  // The number of the group the customers of group record `record` move
  // to; nothing when the user changes nothing, and the editor stays on
  // that group.
  std::optional<int> chooseTarget(long record);
  // Sets ngroup `from` to `to` in every customer, deleted ones too.
  int moveMembers(int from, int to);
  // Back on group `record` after the picker filled the buffer with others.
  void returnTo(long record);

  vt::data::DataSession& session_;
  vt::ui::UiContext& ui_;
  std::unique_ptr<Ui::TGroupDef> form_;
  TPickGroup* picker_ = nullptr;
};

}  // namespace vt::catalog
