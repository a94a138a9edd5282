// The invoice picker: INV5 in invoice number order, sought by a typed
// number (the next higher when it is not on file), showing the customer of
// the selected invoice; opening it on any invoice of a large table reads a
// window of records, not the table.
#include <QDate>
#include <QTest>

#include "engine/fault_fs.h"
#include "invoicing/tpickinv.h"
#include "pick_fixture.h"
#include "ui/locale_format.h"

namespace vt::invoicing {
namespace {

using namespace vt::catalog::picktest;

class PickInvoice : public PickerTest {
 protected:
  // 25 invoices numbered 2, 4, ... 50 in record order; invoice n belongs to
  // customer n % 3 (1 Ann Smith, 2 Bob Jones, 0 not on file); the 18th is
  // deleted.
  void SetUp() override {
    writeCustomers({{"Smith", "Ann", "", "", 1, false}, {"Jones", "Bob", "", "", 1, false}});
    std::vector<InvoiceRow> rows = numberedInvoices(25);
    for (InvoiceRow& row : rows) {
      row.customer = row.number % 3;
      row.number *= 2;
    }
    rows[17].deleted = true;
    writeInvoices(rows);
  }
  long run(long start, const std::function<void(TPickInv&)>& act) {
    data::DataSession& session = openSession();
    EXPECT_TRUE(session.OpenInvoices());
    TPickInv picker(nullptr, session, ui);
    return Pick(picker, start, [&](ui::GridPicker&) { act(picker); });
  }
};

TEST_F(PickInvoice, OpensWithTheStartInvoiceOnTheLastPageAndItsCustomerShown) {
  run(20, [](TPickInv& p) {
    EXPECT_EQ(p.windowTitle(), "Select Invoice");
    EXPECT_EQ(Titles(p), (QStringList{"Invoice", "Date", "Note", "RecNo"}));
    EXPECT_EQ(p.seekLabel->text(), "Seek Invoice No:");
    EXPECT_EQ(p.customerLabel->text(), "Customer:");
    EXPECT_EQ(Shown(p), Consecutive(16, 10));
    EXPECT_EQ(p.recordsGrid->currentRow(), 4);
    const QString date = ui::FormatShortDate(QDate(2024, 1, 1));
    EXPECT_EQ(RowTexts(p, 4),
              (QStringList{"    40", date, QString("Note 20").leftJustified(30), "20"}));
    EXPECT_EQ(Cell(p, 2, 2), "< DELETED >");
    // Invoice 20's customer, then 21's (not on file), 22's.
    const char* names[] = {"Bob Jones", "UNKNOWN", "Ann Smith"};
    for (const char* name : names) {
      EXPECT_EQ(p.customerNameEdit->text(), name) << p.recordsGrid->currentRow();
      QTest::keyClick(p.recordsGrid, Qt::Key_Down);
    }
  });
}

TEST_F(PickInvoice, PageKeysTurnWholePagesWithTheFirstRowSelected) {
  run(20, [](TPickInv& p) {
    QTest::keyClick(p.recordsGrid, Qt::Key_PageDown);
    EXPECT_EQ(Shown(p), Consecutive(16, 10));
    EXPECT_EQ(p.recordsGrid->currentRow(), 0);
    QTest::keyClick(p.recordsGrid, Qt::Key_PageUp);
    EXPECT_EQ(Shown(p), Consecutive(6, 10));
    EXPECT_EQ(p.recordsGrid->currentRow(), 0);
  });
}

TEST_F(PickInvoice, SeekGoesToTheNumberOrTheNextHigherAndPastTheHighestNowhere) {
  // Typed key by key: "9" finds 10 (record 5), "99" is above every number.
  const std::pair<const char*, long> cases[] = {{"12", 6}, {"13", 7}, {"99", 5}, {"1x2", 6}};
  run(1, [&](TPickInv& p) {
    for (const auto& [typed, found] : cases) {
      p.seekEdit->clear();
      QTest::keyClicks(p.seekEdit, typed);
      EXPECT_EQ(p.recordAt(p.recordsGrid->currentRow()), found) << typed;
    }
    EXPECT_EQ(p.seekEdit->text(), "12");
  });
}

class PickFewInvoices : public PickerTest {
 protected:
  void SetUp() override {
    writeCustomers({{"Smith", "Ann", "", "", 1, false}});
    writeInvoices(numberedInvoices(2));
  }
};

TEST_F(PickFewInvoices, ABlankRowAsksForANewInvoiceOnlyWhenNewIsOffered) {
  for (bool allowNew : {true, false}) {
    data::DataSession& session = openSession();
    ASSERT_TRUE(session.OpenInvoices());
    TPickInv picker(nullptr, session, ui);
    const long chosen = Pick(
        picker, 1,
        [](ui::GridPicker& p) {
          p.recordsGrid->setCurrentCell(5, 0);
          p.selectButton->click();
        },
        allowNew);
    // Without New the blank row chooses nothing and the picker stays open
    // until it is closed.
    EXPECT_EQ(chosen, allowNew ? 0 : -1) << allowNew;
    EXPECT_TRUE(picker.customerNameEdit->text().isEmpty()) << allowNew;
  }
}

// The counting file system outlives the session, which the fixture closes.
struct CountedFiles {
  engine::FaultFileSystem files{engine::realFileSystem()};
};
class PickInvoiceReads : public CountedFiles, public PickerTest {};

TEST_F(PickInvoiceReads, OpeningOnAnyOfManyInvoicesReadsAWindowNotTheTable) {
  useLargeInvoiceTable();
  data::DataSession& session = openSession(&files);
  ASSERT_TRUE(session.OpenInvoices());
  const std::pair<long, long> cases[] = {
      {1, 1}, {kLargeTable / 2, kLargeTable / 2}, {kLargeTable, kLargeTable - 9}};
  for (const auto& [start, first] : cases) {
    TPickInv picker(nullptr, session, ui);
    files.reset();
    Pick(picker, start, [&](ui::GridPicker& p) {
      EXPECT_EQ(Shown(p), Consecutive(first, 10)) << start;
      // As for the customer picker: a fill's records, a few to place the
      // window, the headers checked at each step and a few tree pages.
      uint64_t dbf = files.readsOf(path("INV5.dbf")), index = 0;
      for (const char* file : {"inv.ntx", "invc.ntx", "invd.ntx"})
        index += files.readsOf(path(file));
      EXPECT_GT(dbf, 0u) << start;  // counted on the right file
      EXPECT_LT(dbf, 60u) << start;
      EXPECT_LT(index, 150u) << start;
    });
  }
}

}  // namespace
}  // namespace vt::invoicing
