// The five label runs on a small data set, as a user starts them: the
// printing window, the date span or groups asked, and the labels drawn
// (recorded by the device), and the inputs that end a run with nothing
// printed.
#include "labels/label_runs.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QTest>
#include <deque>

#include "customer_test_support.h"
#include "labels/tlabprint.h"
#include "reports/tdatespan.h"
#include "reports/tmultgroup.h"
#include "ui/locale_format.h"

namespace vt::labels {
namespace {

using base::MakeDate;
using catalog::custtest::Click;
using catalog::custtest::ModalScript;
using catalog::custtest::TypeInto;

// Records the customer's name of every label drawn.
class RecordingDevice : public LabelDevice {
 public:
  explicit RecordingDevice(std::vector<std::string>& names) : names_(names) {}
  void beginDocument() override {}
  void newPage() override {}
  void endDocument() override {}
  int dpiX() const override { return 72; }
  int dpiY() const override { return 72; }
  DeviceSize printingOffset() const override { return {}; }
  DeviceSize physicalSize() const override { return {612, 792}; }
  DeviceSize printableSize() const override { return {612, 792}; }
  int fontSize() const override { return 8; }
  void setFontSize(int) override {}
  int textWidth(const std::string& text) const override { return static_cast<int>(text.size()); }
  int textHeight(const std::string&) const override { return 10; }
  void drawText(int, int, const std::string& text) override {
    for (const char* name : {"Adams", "Baker", "Clark"}) {
      if (text.find(name) != std::string::npos) names_.push_back(name);
    }
  }

 private:
  std::vector<std::string>& names_;
};

// Picks the queued records one after another, then cancels.
class QueuedPicker : public data::RecordPicker {
 public:
  std::deque<long> picks;
  void pick(bool, long& current) override {
    current = picks.empty() ? -1 : picks.front();
    if (!picks.empty()) picks.pop_front();
  }
};
class NoEditor : public data::RecordEditor {
 public:
  void edit(long&) override { ADD_FAILURE() << "no editor in a label run"; }
};

class LabelRunsTest : public catalog::custtest::CustomerWindowTest {
 protected:
  LabelRunsTest() {
    addGroup(1, "Retail");
    addGroup(2, "Trade");
    adams = addCustomer(1, "Adams", 1);
    addCustomer(2, "Baker", 2);
    clark = addCustomer(3, "Clark", 1);
    if (!session.OpenInvoices()) throw std::runtime_error("cannot open the invoices");
    addInvoice(1, 1, MakeDate(2026, 3, 1), 10);
    addInvoice(2, 1, MakeDate(2026, 3, 5), 5);
    addInvoice(3, 2, MakeDate(2026, 3, 3), 0);
    addInvoice(4, 3, MakeDate(2026, 4, 10), 7);
    session.CloseAll();
    runs.setDeviceFactory([this](const std::string*) {
      ++devicesMade;
      return std::make_unique<RecordingDevice>(names);
    });
  }

  void addInvoice(int number, int customer, const base::DateTime& date, double due) {
    session.Invoice = {};
    session.Invoice.IvNo = number;
    session.Invoice.CuNo = customer;
    session.Invoice.IDate = date;
    session.Invoice.Due = due;
    if (session.invoices()->appendBlank() < 0 || session.StoreInvoice() < 0) {
      throw std::runtime_error("cannot write a test invoice");
    }
  }

  void addStock(int across, const std::string& name = "Sheet") {
    if (!session.OpenLabels()) throw std::runtime_error("cannot open the label stocks");
    session.Label = {};
    session.Label.Name = name;
    session.Label.NAcross = across;
    session.Label.Dims[data::LabelDim::Width] = 250;
    session.Label.Dims[data::LabelDim::Height] = 72;
    if (session.labels()->appendBlank() < 0 || session.StoreLabel() < 0) {
      throw std::runtime_error("cannot write a test label stock");
    }
    session.CloseAll();
  }

  // Runs `run`, accepting the printing window (to a PDF file when no
  // printer is installed) and acting on the window that follows.
  template <class Window>
  void print(void (LabelRuns::*run)(), std::function<void(Window&)> next) {
    if (!printers.available()) dialogs.queueText("labels.pdf");
    ModalScript script;
    script.on<TLabPrint>([](TLabPrint& w) { Click(w.okButton); });
    if (next) script.on<Window>(next);
    EXPECT_TRUE(script.run([&] { (runs.*run)(); }));
  }

  static void marchSpan(reports::TDateSpan& w) {
    TypeInto(w.startDateEdit, ui::FormatShortDate(QDate(2026, 3, 1)));
    TypeInto(w.endDateEdit, ui::FormatShortDate(QDate(2026, 3, 31)));
    Click(w.okButton);
  }

  long adams = 0, clark = 0;
  std::vector<std::string> names;
  int devicesMade = 0;
  reports::ReportChoices choices;
  TLabPrint labPrint{nullptr, session, ui};
  reports::TDateSpan dateSpan{nullptr, ui, choices};
  reports::TMultGroup multGroup{nullptr, session, ui, choices};
  QueuedPicker picker;
  NoEditor editor;
  LabelRuns runs{
      session, ui, QFont(), choices, LabelWindows{labPrint, dateSpan, multGroup, picker, editor},
      nullptr};
};

TEST_F(LabelRunsTest, EachRunLabelsItsCustomers) {
  addStock(1);
  using Span = std::function<void(reports::TDateSpan&)>;
  struct Case {
    const char* name;
    void (LabelRuns::*run)();
    std::vector<std::string> labels;
  };
  const Case spanCases[] = {
      {"one per invoice dated", &LabelRuns::InvoicesDated, {"Adams", "Baker", "Adams"}},
      {"one per invoice due", &LabelRuns::PastDueBilling, {"Adams", "Adams"}},
      {"one per customer with a balance", &LabelRuns::BalanceDueStatement, {"Adams"}},
  };
  for (const Case& c : spanCases) {
    names.clear();
    print<reports::TDateSpan>(c.run, Span(&marchSpan));
    EXPECT_EQ(names, c.labels) << c.name;
  }
  names.clear();
  print<reports::TMultGroup>(&LabelRuns::CustomerGroups, [](reports::TMultGroup& w) {
    w.groupList->item(0)->setSelected(true);
    Click(w.runButton);
  });
  EXPECT_EQ(names, (std::vector<std::string>{"Adams", "Clark"})) << "the customers of a group";
  names.clear();
  picker.picks = {clark, adams};
  print<TLabPrint>(&LabelRuns::SelectedCustomers, nullptr);
  EXPECT_EQ(names, (std::vector<std::string>{"Clark", "Adams"})) << "the customers picked";
}

TEST_F(LabelRunsTest, LabelsSavedAsANameWithoutExtensionGoToAPdfFile) {
  addStock(1);
  std::string written;
  runs.setDeviceFactory([&](const std::string* path) {
    if (path) written = *path;
    return std::make_unique<RecordingDevice>(names);
  });
  dialogs.queueText("march labels");
  picker.picks = {adams};
  ModalScript script;
  script.on<TLabPrint>([](TLabPrint& w) {
    if (w.pdfCheck->isEnabled()) w.pdfCheck->setChecked(true);
    Click(w.okButton);
  });
  EXPECT_TRUE(script.run([&] { runs.SelectedCustomers(); }));
  EXPECT_EQ(written, "march labels.pdf");
}

TEST_F(LabelRunsTest, BadInputPrintsNothing) {
  // Each case adds a stock that comes first in the list.
  struct Case {
    const char* name;
    const char* stock;  // none added when null
    int across;
    bool cancel;
    std::string message;
  };
  const Case cases[] = {
      {"no stock", nullptr, 0, false, LabelRuns::kNoStock},
      {"cancelled", "Sheet", 1, true, ""},
      {"no labels across", "Empty", 0, false,
       "The label stock \"Empty\" cannot be printed: it has no labels across. Choose Setup - "
       "Labels to correct it."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.stock) addStock(c.across, c.stock);
    dialogs.clear();
    ModalScript script;
    if (c.stock) {
      script.on<TLabPrint>([&c](TLabPrint& w) { Click(c.cancel ? w.cancelButton : w.okButton); });
    }
    EXPECT_TRUE(script.run([&] { runs.CustomerGroups(); }));
    EXPECT_EQ(devicesMade, 0);
    EXPECT_EQ(messages(),
              c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
  }
}

}  // namespace
}  // namespace vt::labels
