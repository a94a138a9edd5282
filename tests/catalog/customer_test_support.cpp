#include "customer_test_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "data/init.h"

namespace vt::catalog::custtest {

namespace {

constexpr int kPollMs = 5;
constexpr qint64 kBoundMs = 20000;

template <class Record>
std::vector<Stored<Record>> readAll(const std::string& dir, bool (data::DataSession::*open)(),
                                    engine::Table* (data::DataSession::*table)(),
                                    int (data::DataSession::*load)(),
                                    Record data::DataSession::*buffer) {
  base::ScriptedDialogs dialogs;
  base::ThrowingExit exit;
  data::DataSession reader(dir, dialogs, exit);
  if (!(reader.*open)()) throw std::runtime_error("cannot open a table to read it back");
  engine::Table* records = (reader.*table)();
  std::vector<Stored<Record>> out;
  for (uint32_t n = 1; n <= records->recCount(); ++n) {
    if (records->go(n) != engine::Result::Success || (reader.*load)() < 0) {
      throw std::runtime_error("cannot read a record back");
    }
    out.push_back({static_cast<long>(n), reader.*buffer, records->deleted()});
  }
  reader.CloseAll();
  return out;
}

long appendWith(engine::Table* table, const std::function<int()>& store, bool deleted) {
  if (!table || table->appendBlank() < 0 || store() < 0) {
    throw std::runtime_error("cannot write a test record");
  }
  if (deleted) {
    table->deleteRecord();
    if (table->flush() < 0) throw std::runtime_error("cannot delete a test record");
  }
  return static_cast<long>(table->recNo());
}

}  // namespace

DataDir::DataDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vt-cust-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary directory");
  path_ = pattern;
  const data::InitOutcome outcome = data::InitDataDir(path_);
  if (!outcome.ok) throw std::runtime_error("cannot make the data files: " + outcome.message);
}

DataDir::~DataDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

CustomerWindowTest::CustomerWindowTest() : session(dir.path(), dialogs, exit) {
  if (!session.OpenCustomers() || !session.OpenGroups()) {
    throw std::runtime_error("cannot open the tables");
  }
}

long CustomerWindowTest::addGroup(int number, const std::string& name, bool deleted) {
  session.Group = {number, name};
  return appendWith(
      session.groups(), [this] { return session.StoreGroup(); }, deleted);
}

long CustomerWindowTest::addCustomer(int cuno, const std::string& last, int ngroup, bool deleted) {
  session.Customer = {};
  session.Customer.cuno = cuno;
  session.Customer.last = last;
  session.Customer.ngroup = ngroup;
  return appendWith(
      session.customers(), [this] { return session.StoreCustomer(); }, deleted);
}

std::vector<Stored<data::CustomerRecord>> CustomerWindowTest::storedCustomers() const {
  return readAll(dir.path(), &data::DataSession::OpenCustomers, &data::DataSession::customers,
                 &data::DataSession::LoadCustomer, &data::DataSession::Customer);
}

std::vector<Stored<data::GroupRecord>> CustomerWindowTest::storedGroups() const {
  return readAll(dir.path(), &data::DataSession::OpenGroups, &data::DataSession::groups,
                 &data::DataSession::LoadGroup, &data::DataSession::Group);
}

std::vector<std::string> CustomerWindowTest::messages() const {
  std::vector<std::string> texts;
  for (const auto& shown : dialogs.shown()) texts.push_back(shown.text);
  return texts;
}

bool ModalScript::run(const std::function<void()>& open) {
  next_ = 0;
  timedOut_ = false;
  QElapsedTimer clock;
  clock.start();
  timer_ = std::make_unique<QTimer>();
  QObject::connect(timer_.get(), &QTimer::timeout, [this, clock] {
    if (clock.elapsed() < kBoundMs) return;
    timedOut_ = true;
    // Closed as Cancel would, without asking to discard what was typed.
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      dialog->done(QDialog::Rejected);
    }
  });
  timer_->start(50);
  arm();
  open();
  timer_.reset();
  EXPECT_FALSE(timedOut_) << "a window was still open when time ran out";
  EXPECT_EQ(next_, steps_.size()) << "not every window came up";
  return next_ == steps_.size() && !timedOut_;
}

void ModalScript::arm() {
  if (next_ < steps_.size()) QTimer::singleShot(kPollMs, [this] { poll(); });
}

void ModalScript::poll() {
  if (!timer_ || timedOut_ || next_ >= steps_.size()) return;
  QWidget* window = QApplication::activeModalWidget();
  const bool busy = std::find(acting_.begin(), acting_.end(), window) != acting_.end();
  if (!window || !window->isVisible() || busy || !steps_[next_].matches(window)) {
    arm();
    return;
  }
  const Step& step = steps_[next_++];
  arm();  // the next window may come up while this step acts
  acting_.push_back(window);
  step.action(window);
  acting_.pop_back();
}

void TypeInto(QWidget* field, const QString& text) {
  field->setFocus(Qt::TabFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
  QTest::keyClicks(field, text);
}

void Click(QWidget* button) {
  QTest::mouseClick(button, Qt::LeftButton);
}

void SelectListItem(ui::ListPicker& picker, const QString& name) {
  QListWidget* list = picker.namesList;
  for (int row = 0; row < list->count(); ++row) {
    if (!list->item(row)->text().startsWith(name)) continue;
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
    Click(picker.selectButton);
    return;
  }
  ADD_FAILURE() << "no item " << name.toStdString() << " in the list";
}

}  // namespace vt::catalog::custtest
