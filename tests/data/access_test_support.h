// Shared pieces of the access-layer tests: a fresh data directory with a
// session on it, a fixed clock, and scripted pickers and editors standing in
// for the windows.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/dialogs.h"
#include "base/program_exit.h"
#include "data/data_session.h"
#include "data_test_support.h"

namespace vt::data::testing {

// The session's clock in these tests.
inline const base::DateTime kTestNow{2026, 4, 17, 15, 30, 12};

// "M/d/yyyy", standing in for the system's short date format.
std::string usShortDate(const base::DateTime& date);

class AccessTest : public ::testing::Test {
 protected:
  void SetUp() override;
  // A new session on the same directory (what the next run would see).
  std::unique_ptr<DataSession> newSession();

  TempDir dir;
  base::ScriptedDialogs dialogs;
  base::ThrowingExit exit;
  RecordingProgress progress;
  // The short date text of the sessions made.
  std::function<std::string(const base::DateTime&)> shortDate = usShortDate;
  std::unique_ptr<DataSession> session;
};

// Picks from a queue of record numbers (0 New, -1 Cancel); a call with none
// queued fails the test and cancels.
class ScriptedPicker : public RecordPicker {
 public:
  struct Call {
    bool allowNew;
    long startedAt;
  };
  void queue(long choice) { choices_.push_back(choice); }
  void pick(bool allowNew, long& current) override;
  std::vector<Call> calls;

 private:
  std::deque<long> choices_;
};

// Runs a queue of actions, one per showing; a showing with none queued fails
// the test and leaves the number as it is.
class ScriptedEditor : public RecordEditor {
 public:
  using Action = std::function<void(long& current)>;
  void queue(Action action) { actions_.push_back(std::move(action)); }
  void edit(long& current) override;
  std::vector<long> shownWith;  // the number each showing started with

 private:
  std::deque<Action> actions_;
};

// Editor actions: leave the record (or a cancelled new one, -1) as it is...
ScriptedEditor::Action cancelEdit();
// ...or append a customer with this number and last name, as a save does.
ScriptedEditor::Action saveNewCustomer(DataSession& session, int cuno, const std::string& last);

// Appends records through the session's buffers (the table must be open).
void appendCustomer(DataSession& s, const CustomerRecord& c);
void appendGroup(DataSession& s, int number, const std::string& name);
void appendInvoice(DataSession& s, const InvoiceRecord& inv);
void appendItem(DataSession& s, const ItemRecord& item);
void appendPayment(DataSession& s, const PaymentRecord& pmt);
void appendProduct(DataSession& s, const ProductRecord& prod);

}  // namespace vt::data::testing
