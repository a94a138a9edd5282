// The simple list picker: a modal window listing every record of one table by
// its name, in one order, from which the user picks one record, asks for a
// new one or cancels. The customer group picker and the label stock picker
// are such lists; they say which table, which order and which name, and
// whether there is a seek box.
//
// Each item is the name as stored (blank-padded to the field width),
// followed directly by "<DELETED>" for a record marked deleted; deleted
// records can be picked. The result is a record number, 0 for New or -1 for
// Cancel; closing the window by its frame or with Escape is Cancel.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "data/selection_cycle.h"
#include "engine/engine.h"
#include "ui/context.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vt::ui {

class ListPicker : public QDialog, public vt::data::RecordPicker {
  Q_OBJECT

 public:
  static constexpr const char* kDeletedMark = "<DELETED>";
  static constexpr const char* kNotSelected = "Item Not Selected";

  struct Options {
    QString caption;           // the window's title
    QString listName;          // the list's accessible name
    bool seekBox = true;       // "Seek:" box with incremental search
    int seekLength = 20;       // characters the seek box accepts
    bool enterSelects = true;  // Enter in the list picks like Select
  };

  ListPicker(QWidget* parent, UiContext& ui, Options options);
  ~ListPicker() override;

  // Shows the picker modally, starting on record `current` (the first item
  // when it is not listed), with New enabled only when `allowNew`. Leaves
  // the chosen record number, 0 for New or -1 for Cancel.
  void pick(bool allowNew, long& current) override;

  // The result so far (the number `pick` leaves).
  long current() const { return current_; }
  // Index of the selected item, -1 when none is selected.
  int selectedIndex() const;

  QListWidget* namesList = nullptr;
  QLabel* seekLabel = nullptr;    // "Seek:"; null without a seek box
  QLineEdit* seekEdit = nullptr;  // the seek box; null without one
  QPushButton* selectButton = nullptr;
  QPushButton* newButton = nullptr;
  QPushButton* cancelButton = nullptr;

 public slots:
  void FormShow();
  void selectClicked();
  void newClicked();
  void cancelClicked();
  void namesListDoubleClicked();
  void seekChanged();
  // Escape and the frame's close button: Cancel.
  void reject() override;

 protected:
  // The table listed; null when it is not open (the list stays empty).
  virtual vt::engine::Table* listedTable() = 0;
  // The tag selected while the picker is open; null keeps the table's order.
  virtual const char* listOrder() const = 0;
  // Loads the current record into its buffer and gives its name as stored
  // (UTF-8). 0 or the engine's negative status.
  virtual int loadName(std::string* name) = 0;

  void showEvent(QShowEvent* event) override;
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build();
  // Selects the picker's order; false (told to the user) when it is missing.
  bool selectOrder(vt::engine::Table& table);
  // Lists the table; the index of the item of record current_, or -1.
  int fill(vt::engine::Table& table);
  void selectRow(int row);
  // Puts the record `index` items from the top of the order into current_.
  bool pickIndex(int index);
  void reportFailure(int status);

  UiContext& ui_;
  Options options_;
  long current_ = -1;
  // The table's order before the picker selected its own, put back on close.
  vt::engine::Table* orderedTable_ = nullptr;
  vt::engine::Tag* savedTag_ = nullptr;
  // The names as the order's keys compare them, parallel to the list, for
  // the incremental search.
  std::vector<std::string> searchList_;
};

}  // namespace vt::ui
