// What the customer and group window tests share: a new installation's data
// files with CUST5 and GROUPS open in one session whose questions are
// answered by script, records written and read back through the data layer,
// and a driver for the modal windows a user meets one after another.
#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/dialogs.h"
#include "base/program_exit.h"
#include "data/data_session.h"
#include "ui/context.h"
#include "ui/help_viewer.h"
#include "ui/list_picker.h"
#include "ui/printer_state.h"

inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace vt::catalog::custtest {

// A new installation's data files in a temporary directory, removed after.
class DataDir {
 public:
  DataDir();
  ~DataDir();
  DataDir(const DataDir&) = delete;
  DataDir& operator=(const DataDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

template <class Record>
struct Stored {
  long recNo = 0;
  Record record;
  bool deleted = false;
};

// One piece of work: CUST5 and GROUPS open, every answer scripted.
class CustomerWindowTest : public ::testing::Test {
 protected:
  CustomerWindowTest();

  // Writes a record as earlier work would have; its record number.
  long addGroup(int number, const std::string& name, bool deleted = false);
  long addCustomer(int cuno, const std::string& last, int ngroup, bool deleted = false);

  // Every record as the files hold it now, read by a session of its own.
  std::vector<Stored<data::CustomerRecord>> storedCustomers() const;
  std::vector<Stored<data::GroupRecord>> storedGroups() const;
  // The texts of the message boxes shown so far.
  std::vector<std::string> messages() const;

  DataDir dir;
  base::ScriptedDialogs dialogs;
  base::ThrowingExit exit;
  ui::PrinterState printers;
  ui::HelpViewer help{nullptr};
  ui::UiContext ui{dialogs, printers, help};
  data::DataSession session;
};

// Runs the steps of a user's work on the modal windows that come up one
// after another (a window opened from a button of another included): each
// step waits for the next modal window of its class and acts on it. Windows
// still open when time runs out are cancelled, so a failed check cannot
// leave the test waiting.
class ModalScript {
 public:
  template <class Window>
  ModalScript& on(std::function<void(Window&)> action) {
    steps_.push_back({[](QWidget* w) { return dynamic_cast<Window*>(w) != nullptr; },
                      [action](QWidget* w) { action(*dynamic_cast<Window*>(w)); }});
    return *this;
  }
  // Calls `open`, which shows the first window modally and returns when it
  // is closed. True when every step ran.
  bool run(const std::function<void()>& open);

 private:
  struct Step {
    std::function<bool(QWidget*)> matches;
    std::function<void(QWidget*)> action;
  };
  void arm();
  void poll();

  std::vector<Step> steps_;
  size_t next_ = 0;
  std::vector<QWidget*> acting_;  // windows whose step is running
  std::unique_ptr<QTimer> timer_;
  bool timedOut_ = false;
};

// The user types into a field as Tab leaves it (its text selected).
void TypeInto(QWidget* field, const QString& text);
// The user clicks a button of a window.
void Click(QWidget* button);
// The user clicks the list item whose text starts with `name` and presses
// Select; fails the test when there is no such item.
void SelectListItem(ui::ListPicker& picker, const QString& name);

}  // namespace vt::catalog::custtest
