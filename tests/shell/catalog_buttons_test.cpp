// The Customers and Products page's "Add & Edit" buttons: each runs its
// cycle through the real windows, closes its tables and packs its table
// after a deletion.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

#include "catalog/tcustomer.h"
#include "catalog/tpickcust.h"
#include "catalog/tpickprod.h"
#include "engine/engine.h"
#include "invoicing/tinvoice.h"
#include "invoicing/tpickinv.h"
#include "shell/picture_button.h"
#include "shell/shell_test_support.h"

namespace vt::shell::testing {
namespace {

// Answers the modal windows as they come up, one step each, in order; gives
// up (closing whatever is open) after a bound so a failure cannot hang.
class ModalSteps {
 public:
  using Step = std::function<bool(QWidget*)>;  // false: not the window expected
  explicit ModalSteps(std::vector<Step> steps) : steps_(std::move(steps)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start(20);
  }
  bool allDone() const { return next_ == steps_.size(); }

 private:
  void poll() {
    if (++ticks_ > 500) {
      if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) open->reject();
      return;
    }
    QWidget* w = QApplication::activeModalWidget();
    if (!w || w == last_ || next_ >= steps_.size()) return;
    if (steps_[next_](w)) {
      last_ = w;
      ++next_;
    }
  }
  std::vector<Step> steps_;
  size_t next_ = 0;
  QWidget* last_ = nullptr;
  int ticks_ = 0;
  QTimer timer_;
};

void addCustomers(const std::string& dir, int count) {
  engine::Engine engine(dir);
  engine::Table* table = engine.open("CUST5");
  ASSERT_NE(table, nullptr);
  for (int cuno = 1; cuno <= count; ++cuno) {
    ASSERT_EQ(table->appendBlank(), 0);
    table->field("cuno")->assignLong(cuno);
    table->field("last")->assign("Customer " + std::to_string(cuno));
    table->field("ngroup")->assignLong(1);
    ASSERT_EQ(table->flush(), 0);
  }
  table->close();
}

void addInvoices(const std::string& dir, int count) {
  engine::Engine engine(dir);
  engine::Table* table = engine.open("INV5");
  ASSERT_NE(table, nullptr);
  for (int ivno = 1; ivno <= count; ++ivno) {
    ASSERT_EQ(table->appendBlank(), 0);
    table->field("IvNo")->assignLong(ivno);
    table->field("CuNo")->assignLong(1);
    ASSERT_EQ(table->flush(), 0);
  }
  table->close();
}

uint32_t recordsIn(const std::string& dir, const char* name) {
  engine::Engine engine(dir);
  engine::Table* table = engine.open(name);
  return table ? table->recCount() : 0;
}

template <class Window>
ModalSteps::Step on(std::function<void(Window&)> action) {
  return [action](QWidget* w) {
    auto* window = dynamic_cast<Window*>(w);
    if (!window) return false;
    action(*window);
    return true;
  };
}

class CatalogButtons : public ::testing::Test {
 protected:
  void SetUp() override { addCustomers(dir.path(), 3); }
  DataDir dir;
};

TEST_F(CatalogButtons, CustomerDeletedInTheCycleIsPackedAtItsEnd) {
  ProgramRun run(dir.path());
  run.startUp();
  ModalSteps steps(
      {on<vt::catalog::TPickCust>([](vt::catalog::TPickCust& p) { p.selectClicked(); }),
       on<catalog::TCustomer>([](catalog::TCustomer& c) { c.deleteClicked(); }),
       on<vt::catalog::TPickCust>([](vt::catalog::TPickCust& p) { p.cancelClicked(); })});
  run.main->button("customersButton")->click();

  EXPECT_TRUE(steps.allDone());
  EXPECT_EQ(run.state.session()->customers(), nullptr);  // every table closed
  EXPECT_FALSE(run.state.session()->NeedsPack);
  EXPECT_EQ(recordsIn(dir.path(), "CUST5"), 2u);
}

TEST_F(CatalogButtons, CancelledCycleChangesNothing) {
  ProgramRun run(dir.path());
  run.startUp();
  ModalSteps steps(
      {on<vt::catalog::TPickProd>([](vt::catalog::TPickProd& p) { p.cancelClicked(); })});
  run.main->button("productsButton")->click();

  EXPECT_TRUE(steps.allDone());
  EXPECT_EQ(run.state.session()->products(), nullptr);
  EXPECT_EQ(recordsIn(dir.path(), "Prod5"), 0u);
  EXPECT_EQ(recordsIn(dir.path(), "CUST5"), 3u);
}

TEST_F(CatalogButtons, InvoiceCycleRunsOnTheInvoiceWindowsAndClosesTheTables) {
  addInvoices(dir.path(), 2);
  ProgramRun run(dir.path());
  run.startUp();
  ModalSteps steps({on<invoicing::TPickInv>([](invoicing::TPickInv& p) { p.selectClicked(); }),
                    on<invoicing::TInvoice>([](invoicing::TInvoice& w) { w.deleteClicked(); }),
                    on<invoicing::TPickInv>([](invoicing::TPickInv& p) { p.cancelClicked(); })});
  run.main->button("invoicesButton")->click();

  EXPECT_TRUE(steps.allDone());
  EXPECT_EQ(run.state.session()->invoices(), nullptr);
  EXPECT_EQ(recordsIn(dir.path(), "INV5"), 1u);
}

}  // namespace
}  // namespace vt::shell::testing
