// What the product and purchase window tests share: a data directory made
// by the init routine, one session on it with scripted answers and a fixed
// clock, records written and read back through the data layer, and a modal
// window driven while it is shown.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/dialogs.h"
#include "base/program_exit.h"
#include "data/data_session.h"
#include "data/init.h"
#include "ui/context.h"
#include "ui/help_viewer.h"
#include "ui/printer_state.h"

namespace vt::catalog::prodtest {

// The date the session takes as today.
inline base::DateTime FixedNow() {
  return {2026, 3, 14, 10, 30, 0};
}

// A new installation's data files in a temporary directory, removed after.
class DataDir {
 public:
  DataDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vt-prodpur-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary directory");
    path_ = pattern;
    const data::InitOutcome outcome = data::InitDataDir(path_);
    if (!outcome.ok) throw std::runtime_error("cannot make the data files: " + outcome.message);
  }
  ~DataDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  DataDir(const DataDir&) = delete;
  DataDir& operator=(const DataDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

inline data::SessionOptions FixedClock() {
  data::SessionOptions options;
  options.now = FixedNow;
  return options;
}

// One piece of work on the data: Prod5 and Pur5 open, answers scripted.
struct Workbench {
  Workbench() : session(dir.path(), dialogs, exit, FixedClock()) {
    session.OpenProducts();
    session.OpenPurchases();
  }

  DataDir dir;
  base::ScriptedDialogs dialogs;
  base::ThrowingExit exit;
  ui::PrinterState printers;
  ui::HelpViewer help{nullptr};
  ui::UiContext ui{dialogs, printers, help};
  data::DataSession session;

  // The texts of the information boxes shown so far.
  std::vector<std::string> notices() const {
    std::vector<std::string> texts;
    for (const auto& shown : dialogs.shown()) texts.push_back(shown.text);
    return texts;
  }
};

// Writes a product as it would come from earlier work; its record number.
inline long AddProduct(data::DataSession& session, const data::ProductRecord& product) {
  engine::Table* products = session.products();
  if (!products || products->appendBlank() < 0) throw std::runtime_error("cannot add a product");
  session.Product = product;
  if (session.StoreProduct() < 0) throw std::runtime_error("cannot store a product");
  return static_cast<long>(products->recNo());
}

inline data::ProductRecord Product(const std::string& id, const std::string& description) {
  data::ProductRecord product;
  product.PrID = id;
  product.PDesc = description;
  return product;
}

inline long AddPurchase(data::DataSession& session, const data::PurchaseRecord& purchase) {
  engine::Table* purchases = session.purchases();
  if (!purchases || purchases->appendBlank() < 0) {
    throw std::runtime_error("cannot add a purchase");
  }
  session.Purchase = purchase;
  if (session.StorePurchase() < 0) throw std::runtime_error("cannot store a purchase");
  return static_cast<long>(purchases->recNo());
}

// The product picker as a script: each showing takes the next answer, a
// record number, 0 for New or -1 for Cancel, and notes how it was asked.
class ScriptedPicker : public data::RecordPicker {
 public:
  std::deque<long> answers;
  std::vector<long> startedAt;
  std::vector<bool> newAllowed;

  void pick(bool allowNew, long& current) override {
    startedAt.push_back(current);
    newAllowed.push_back(allowNew);
    if (answers.empty()) {
      ADD_FAILURE() << "the product picker was shown once more than expected";
      current = -1;
      return;
    }
    current = answers.front();
    answers.pop_front();
  }
};

// The product editor as a script: each new product is saved with the next
// queued ID, or cancelled when none is queued.
class ScriptedProductEditor : public data::RecordEditor {
 public:
  explicit ScriptedProductEditor(data::DataSession& session) : session_(session) {}
  std::deque<std::string> ids;
  int shown = 0;

  void edit(long& current) override {
    ++shown;
    if (ids.empty()) {
      current = -1;
      return;
    }
    current = AddProduct(session_, Product(ids.front(), "Made from the picker"));
    ids.pop_front();
  }

 private:
  data::DataSession& session_;
};

template <class Record>
struct Stored {
  Record record;
  bool deleted = false;
};

// Every record of a table in record order, read by a session of its own.
template <class Record>
std::vector<Stored<Record>> ReadAll(const std::string& dir, bool (data::DataSession::*open)(),
                                    engine::Table* (data::DataSession::*table)(),
                                    int (data::DataSession::*load)(),
                                    Record data::DataSession::*buffer) {
  base::ScriptedDialogs dialogs;
  base::ThrowingExit exit;
  data::DataSession reader(dir, dialogs, exit, FixedClock());
  (reader.*open)();
  engine::Table* records = (reader.*table)();
  std::vector<Stored<Record>> out;
  for (uint32_t n = 1; n <= records->recCount(); ++n) {
    records->go(n);
    if ((reader.*load)() < 0) throw std::runtime_error("cannot read a record back");
    out.push_back({reader.*buffer, records->deleted()});
  }
  reader.CloseAll();
  return out;
}

inline std::vector<Stored<data::ProductRecord>> ReadProducts(const std::string& dir) {
  return ReadAll(dir, &data::DataSession::OpenProducts, &data::DataSession::products,
                 &data::DataSession::LoadProduct, &data::DataSession::Product);
}

inline std::vector<Stored<data::PurchaseRecord>> ReadPurchases(const std::string& dir) {
  return ReadAll(dir, &data::DataSession::OpenPurchases, &data::DataSession::purchases,
                 &data::DataSession::LoadPurchase, &data::DataSession::Purchase);
}

// Opens a modal window with `open` and runs `script` once the window is shown
// and active, as a user working in it. A window still open when the script
// ends is cancelled, so a failed check cannot leave the test waiting. False
// when the window never showed.
inline bool WhileShown(QDialog& window, const std::function<void()>& open,
                       std::function<void()> script) {
  auto pending = std::make_shared<std::function<void()>>(std::move(script));
  QTimer::singleShot(0, &window, [&window, pending] {
    if (!window.isVisible() || !*pending) return;
    const std::function<void()> run = std::move(*pending);
    *pending = nullptr;
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    run();
    if (window.isVisible()) window.done(QDialog::Rejected);  // Cancel: nothing asked
  });
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, &window,
                   [&window] { window.done(QDialog::Rejected); });
  guard.start(20000);
  open();
  const bool ran = !*pending;
  *pending = nullptr;
  return ran;
}

template <class Widget = QLineEdit>
Widget* Control(QWidget& window, const char* name) {
  auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
  if (!widget) throw std::runtime_error(std::string("no control ") + name);
  return widget;
}

// The user tabs into a field (its text selected, as Tab leaves it) and types.
inline void TypeInto(QWidget* field, const QString& text) {
  field->setFocus(Qt::TabFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
  QTest::keyClicks(field, text);
}

// The user presses Tab to leave the field that has the focus.
inline void PressTab() {
  QWidget* focused = QApplication::focusWidget();
  if (!focused) throw std::runtime_error("no field has the focus");
  QTest::keyClick(focused, Qt::Key_Tab);
}

// The user clicks a check box where it reacts (its box and caption).
inline void Tick(QCheckBox* box) {
  QStyleOptionButton option;
  option.initFrom(box);
  const QRect hit = box->style()->subElementRect(QStyle::SE_CheckBoxClickRect, &option, box);
  QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, hit.center());
}

inline void Click(QWidget& window, const char* button) {
  QTest::mouseClick(Control<QWidget>(window, button), Qt::LeftButton);
}

// Lets queued events (a field taking the focus back) run.
inline void Settle() {
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
}

}  // namespace vt::catalog::prodtest
