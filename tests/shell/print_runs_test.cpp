// The print runs of customer documents as a user starts them, from the
// report menu and from the invoice window's Print: each ends in the report
// window, whose tab-delimited export shows what the document holds.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <fstream>
#include <sstream>
#include <utility>

#include "base/convert.h"
#include "catalog/tpickcust.h"
#include "catalog/tpickprod.h"
#include "customer_test_support.h"
#include "engine/engine.h"
#include "invoicing/tinvoice.h"
#include "invoicing/titemdef.h"
#include "invoicing/tpickinv.h"
#include "reports/tdatespan.h"
#include "reports/tmultgroup.h"
#include "reports/treportf.h"
#include "shell/picture_button.h"
#include "shell/shell_test_support.h"
#include "ui/date_edit.h"

namespace vt::shell::testing {
namespace {

using catalog::custtest::Click;
using catalog::custtest::ModalScript;

// Appends one record to `table` with its fields set by `fill`.
void append(engine::Engine& engine, const char* table,
            const std::function<void(engine::Table&)>& fill) {
  engine::Table* records = engine.open(table);
  ASSERT_NE(records, nullptr);
  ASSERT_EQ(records->appendBlank(), 0);
  fill(*records);
  ASSERT_EQ(records->flush(), 0);
  records->close();
}

class PrintRuns : public ::testing::Test {
 protected:
  // Customer 1 with invoices 501 and 502, dated today, and one product,
  // sold on invoice 501.
  void SetUp() override {
    engine::Engine engine(dir.path());
    append(engine, "CUST5", [](engine::Table& t) {
      t.field("cuno")->assignLong(1);
      t.field("last")->assign("Baker");
      t.field("ngroup")->assignLong(1);
    });
    append(engine, "Prod5", [](engine::Table& t) {
      t.field("PrID")->assign("BOLT");
      t.field("UPrice")->assignDouble(12.5);
    });
    append(engine, "ITM5", [](engine::Table& t) {
      t.field("IvNo")->assignLong(501);
      t.field("PrID")->assign("BOLT");
      t.field("Qty")->assignDouble(2);
      t.field("UPR")->assignDouble(12.5);
    });
    for (long ivno : {501L, 502L}) {
      append(engine, "INV5", [ivno](engine::Table& t) {
        t.field("IvNo")->assignLong(ivno);
        t.field("CuNo")->assignLong(1);
        t.field("IDate")->assign(base::DateToKey(base::Now().date()));
        t.field("Due")->assignDouble(ivno == 501 ? 25 : 0);
      });
    }
  }

  // The report window's step: the document exported tab-delimited, then
  // the window left.
  std::function<void(reports::TReportF&)> exportAndExit() {
    return [this](reports::TReportF& report) {
      run.dialogs.queueText(exported);
      report.tabExportAction->trigger();
      report.exitAction->trigger();
    };
  }
  std::string exportedText() const {
    std::ifstream file(exported, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }
  void trigger(const char* action) {
    run.startUp();
    run.main->findChild<QAction*>(action)->trigger();
  }

  DataDir dir;
  TempDir out;
  const std::string exported = out.file("report.asc");
  ProgramRun run{dir.path()};
};

TEST_F(PrintRuns, InvoicesOfTheDefaultSpanShareOneDocument) {
  ModalScript script;
  script.on<reports::TDateSpan>([](reports::TDateSpan& span) { Click(span.okButton); })
      .on<reports::TReportF>(exportAndExit());
  EXPECT_TRUE(script.run([this] { trigger("invoicesByDate"); }));

  const std::string text = exportedText();
  EXPECT_NE(text.find("Invoice No:\t501\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Invoice No:\t502\r\n"), std::string::npos) << text;
  EXPECT_EQ(run.state.session()->invoices(), nullptr);
}

TEST_F(PrintRuns, StatementOfAChosenCustomer) {
  ModalScript script;
  // The picker comes back after each customer and says what Cancel does.
  script
      .on<catalog::TPickCust>([](catalog::TPickCust& p) {
        EXPECT_TRUE(p.promptLabel->isVisible());
        EXPECT_EQ(p.promptLabel->text(), "Choose a customer to print a statement for.");
        Click(p.selectButton);
      })
      .on<catalog::TPickCust>([](catalog::TPickCust& p) {
        EXPECT_EQ(p.promptLabel->text(),
                  "Choose another customer, or Cancel to print the statements.");
        Click(p.cancelButton);
      })
      .on<reports::TReportF>(exportAndExit());
  EXPECT_TRUE(script.run([this] { trigger("statementsSelected"); }));
  EXPECT_TRUE(run.main->findChild<catalog::TPickCust*>()->promptLabel->text().isEmpty())
      << "other runs show the picker without the prompt";

  const std::string text = exportedText();
  EXPECT_NE(text.find("Account Statement\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n   502\t"), std::string::npos) << text;
}

TEST_F(PrintRuns, EachDateWindowIsTitledByWhatItIsFor) {
  const std::pair<const char*, QString> runs[] = {
      {"invoicesByDate", "Print Invoices"},
      {"billsWithBalance", "Print Bills with Balances Due"},
      {"statementsWithBalance", "Print Statements with Balances"},
      {"salesSummary", "Sales Summary"},
      {"receivablesAging", "Receivables Aging"},
      {"salesChart", "Sales Chart"},
      {"inventoryReport", "Inventory"},
      {"costOfGoodsSold", "Cost of Goods Sold"}};
  run.startUp();
  for (const auto& [action, title] : runs) {
    SCOPED_TRACE(action);
    QString shown;
    ModalScript script;
    script.on<reports::TDateSpan>([&shown](reports::TDateSpan& span) {
      shown = span.windowTitle();
      Click(span.cancelButton);
    });
    EXPECT_TRUE(script.run([&] { run.main->findChild<QAction*>(action)->trigger(); }));
    EXPECT_EQ(shown, title);
  }
}

// A span with nothing to print is told and the dates are asked again.
TEST_F(PrintRuns, ASpanWithNothingToPrintIsToldAndOtherDatesAsked) {
  const std::pair<const char*, std::string> runs[] = {
      {"invoicesByDate", "No invoices are dated in this span."},
      {"billsWithBalance", "No invoice dated in this span has a balance due."},
      {"statementsWithBalance",
       "No customer has a balance due or a credit on invoices dated up to the end of this "
       "span."}};
  run.startUp();
  for (const auto& [action, told] : runs) {
    SCOPED_TRACE(action);
    ModalScript script;
    script
        .on<reports::TDateSpan>([this, told = told](reports::TDateSpan& span) {
          span.startDateEdit->setDate(QDate(2001, 1, 1));
          span.endDateEdit->setDate(QDate(2001, 1, 31));
          Click(span.okButton);
          EXPECT_TRUE(span.isVisible());
          ASSERT_FALSE(run.dialogs.shown().empty());
          EXPECT_EQ(run.dialogs.shown().back().text, told);
          span.endDateEdit->setDate(QDate::currentDate());
          Click(span.okButton);
        })
        .on<reports::TReportF>(exportAndExit());
    EXPECT_TRUE(script.run([&] { run.main->findChild<QAction*>(action)->trigger(); }));
    EXPECT_NE(exportedText().find("501"), std::string::npos) << exportedText();
  }
}

TEST_F(PrintRuns, InvoiceWindowPrintsTheNewInvoiceWithoutStoringIt) {
  ModalScript script;
  script.on<invoicing::TPickInv>([](invoicing::TPickInv& p) { Click(p.newButton); })
      .on<invoicing::TInvoice>([this](invoicing::TInvoice& w) {
        Click(w.customerButton);
        Click(w.addItemButton);
        Click(w.printButton);
        EXPECT_NE(run.state.session()->invoices(), nullptr);  // the editor's tables stay open
        Click(w.cancelButton);
      })
      .on<catalog::TPickCust>([](catalog::TPickCust& p) { Click(p.selectButton); })
      .on<catalog::TPickProd>([](catalog::TPickProd& p) { Click(p.selectButton); })
      .on<invoicing::TItemDef>([](invoicing::TItemDef& d) { Click(d.saveButton); })
      .on<reports::TReportF>(exportAndExit());
  EXPECT_TRUE(script.run([this] {
    run.startUp();
    run.main->button("invoicesButton")->click();
  }));

  const std::string text = exportedText();
  EXPECT_NE(text.find("\r\nInvoice\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Invoice No:\t503\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("BOLT\t"), std::string::npos) << text;
  engine::Engine engine(dir.path());
  EXPECT_EQ(engine.open("INV5")->recCount(), 2u);
}

TEST_F(PrintRuns, SalesSummaryOfTheMonthAndTaxReportOfAnEmptySpan) {
  ModalScript script;
  script.on<reports::TDateSpan>([](reports::TDateSpan& span) { Click(span.okButton); })
      .on<reports::TReportF>(exportAndExit());
  EXPECT_TRUE(script.run([this] { trigger("salesSummary"); }));
  const std::string text = exportedText();
  EXPECT_NE(text.find("Sales Summary for "), std::string::npos) << text;
  EXPECT_NE(text.find("\n   501\t"), std::string::npos) << text;
  EXPECT_NE(text.find("\n   502\t"), std::string::npos) << text;

  ModalScript empty;
  empty.on<reports::TDateSpan>([](reports::TDateSpan& span) {
    span.startDateEdit->setDate(QDate(2001, 1, 1));
    span.endDateEdit->setDate(QDate(2001, 1, 31));
    Click(span.okButton);
  });
  EXPECT_TRUE(empty.run([this] { run.main->findChild<QAction*>("taxSummary")->trigger(); }));
  EXPECT_EQ(run.dialogs.shown().back().text, "No Invoices within selected dates.");
  EXPECT_EQ(run.state.session()->invoices(), nullptr);
}

TEST_F(PrintRuns, ProductBuyersChooseTheProductFirst) {
  ModalScript script;
  script.on<catalog::TPickProd>([](catalog::TPickProd& p) { Click(p.selectButton); })
      .on<reports::TDateSpan>([](reports::TDateSpan& span) { Click(span.okButton); })
      .on<reports::TReportF>(exportAndExit());
  EXPECT_TRUE(script.run([this] { trigger("productBuyers"); }));
  EXPECT_NE(exportedText().find("Buyers of BOLT-"), std::string::npos) << exportedText();
  EXPECT_EQ(run.state.session()->products(), nullptr);
}

TEST_F(PrintRuns, ReceivablesAskForNoSpan) {
  ModalScript script;
  script.on<reports::TReportF>(exportAndExit());
  EXPECT_TRUE(script.run([this] { trigger("receivableIncome"); }));
  EXPECT_NE(exportedText().find("RECEIVABLES\r\n"), std::string::npos) << exportedText();
  EXPECT_EQ(run.state.session()->invoices(), nullptr);
}

TEST_F(PrintRuns, ReceivablesAgingAsksTheDayWithShowInvoices) {
  ModalScript script;
  script
      .on<reports::TDateSpan>([](reports::TDateSpan& span) {
        EXPECT_TRUE(span.endDateEdit->isHidden());
        EXPECT_TRUE(span.optionCheckBox->isVisible());
        span.optionCheckBox->setChecked(true);
        Click(span.okButton);
      })
      .on<reports::TReportF>(exportAndExit());
  EXPECT_TRUE(script.run([this] { trigger("receivablesAging"); }));
  const std::string text = exportedText();
  EXPECT_NE(text.find("Receivables Aging as of "), std::string::npos) << text;
  EXPECT_NE(text.find("\tInvoice\tDate\tDays\t"), std::string::npos) << text;
  EXPECT_NE(text.find("\t501\t"), std::string::npos) << text;
  EXPECT_EQ(run.state.session()->invoices(), nullptr);
}

// Each report of products, stock and customers from its button or menu item,
// with the dialog it asks first: the report window shows its title.
TEST_F(PrintRuns, StockReportsAndProfilesRunFromTheirButtonsAndMenus) {
  {
    engine::Engine engine(dir.path());
    append(engine, "Pur5", [](engine::Table& t) {
      t.field("PURProd")->assign("BOLT");
      t.field("PURDate")->assign(base::DateToKey(base::Now().date()));
      t.field("PURQty")->assignDouble(10);
      t.field("PURCost")->assignDouble(40);
    });
    append(engine, "GROUPS", [](engine::Table& t) {
      t.field("nGroup")->assignLong(1);
      t.field("cGroup")->assign("Trade");
    });
    engine::Table* products = engine.open("Prod5");
    ASSERT_EQ(products->top(), engine::Result::Success);
    products->field("lInven")->assign("T");
    ASSERT_EQ(products->flush(), 0);
  }
  using Ask = std::function<void(ModalScript&)>;
  const Ask none = [](ModalScript&) {};
  const Ask span = [](ModalScript& s) {
    s.on<reports::TDateSpan>([](reports::TDateSpan& d) { Click(d.okButton); });
  };
  const Ask customer = [](ModalScript& s) {
    s.on<catalog::TPickCust>([](catalog::TPickCust& p) {
       Click(p.selectButton);
     }).on<catalog::TPickCust>([](catalog::TPickCust& p) { Click(p.cancelButton); });
  };
  const Ask group = [](ModalScript& s) {
    s.on<reports::TMultGroup>([](reports::TMultGroup& g) { Click(g.runButton); });
  };
  const struct {
    const char* name;
    bool button;
    Ask ask;
    const char* title;
  } runs[] = {
      {"productListButton", true, none, "Product Listing"},
      {"purchaseReportButton", true, span, "Purchasing Report for "},
      {"inventoryReport", false, span, "Inventory as of "},
      {"costOfGoodsSold", false, span, "Cost of Goods Sold from "},
      {"stockOnHand", false, none, "Stock On-Hand as of "},
      {"profileCustomers", false, customer, "Baker"},
      {"profileGroups", false, group, "Group: Trade"},
  };
  run.startUp();
  for (const auto& r : runs) {
    SCOPED_TRACE(r.name);
    ModalScript script;
    r.ask(script);
    script.on<reports::TReportF>(exportAndExit());
    EXPECT_TRUE(script.run([&] {
      if (r.button) {
        run.main->button(r.name)->click();
      } else {
        run.main->findChild<QAction*>(r.name)->trigger();
      }
    }));
    EXPECT_NE(exportedText().find(r.title), std::string::npos) << exportedText();
    EXPECT_EQ(run.state.session()->products(), nullptr);
  }
}

}  // namespace
}  // namespace vt::shell::testing
