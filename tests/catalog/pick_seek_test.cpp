// Incremental search in the customer picker: every change of "Seek:" is
// upper-cased, trimmed and sought in the order shown, by name (the key is
// the upper-cased last and first name) or by company (the first address line
// as stored); the customer found is selected in a window placed on it.
#include "base/text1252.h"
#include "catalog/tpickcust.h"
#include "pick_fixture.h"

namespace vt::catalog::picktest {
namespace {

class PickSeek : public PickerTest {
 protected:
  // Forty customers "C000001"..., then a few real names at the end of the
  // table, out of order.
  void SetUp() override {
    std::vector<CustomerRow> rows = numberedCustomers(40);
    rows.push_back({"Smith", "Anna", "ZEPHYR SUPPLY", "", 1, false});   // 41
    rows.push_back({"SMITH", "Bob", "ACME TOOLS", "", 1, false});       // 42
    rows.push_back({"Smithers", "Carl", "Acme Garden", "", 1, false});  // 43
    rows.push_back({"Jones", "Dora", "MIDWAY MOTORS", "", 1, false});   // 44
    rows.push_back({"Young", "Ed", "BAKER & SONS", "", 1, false});      // 45
    writeCustomers(rows);
  }
  void run(bool byName, const std::function<void(ui::GridPicker&)>& act) {
    data::DataSession& session = openSession();
    session.settings.ByCust = byName;
    vt::catalog::TPickCust picker(nullptr, session, ui);
    Pick(picker, 1, act);
  }
};

long Selected(const ui::GridPicker& p) {
  return p.recordAt(p.recordsGrid->currentRow());
}

TEST_F(PickSeek, TypingTheStartOfALastNameInAnyCaseFindsTheFirstAtOrAfter) {
  run(true, [](ui::GridPicker& p) {
    QTest::keyClicks(p.seekEdit, "smi");
    EXPECT_EQ(p.seekText(), "SMI");
    EXPECT_EQ(Selected(p), 41);  // SMITHANNA before SMITHBOB
    // The key holds the last name padded with blanks, so "SMITHE" passes
    // both Smiths and finds Smithers.
    QTest::keyClicks(p.seekEdit, "thE");
    EXPECT_EQ(p.seekText(), "SMITHE");
    EXPECT_EQ(Selected(p), 43);
  });
}

TEST_F(PickSeek, TextBetweenNamesFindsTheNextName) {
  run(true, [](ui::GridPicker& p) {
    p.seekEdit->setText("k");
    EXPECT_EQ(Selected(p), 41);
    p.seekEdit->setText("Je");
    EXPECT_EQ(Selected(p), 44);
  });
}

TEST_F(PickSeek, FoundRecordNearTheEndSitsInTheWindowOfTheLastTen) {
  run(true, [](ui::GridPicker& p) {
    p.seekEdit->setText("y");
    EXPECT_EQ(p.windowTop(), p.topLimit());
    EXPECT_EQ(Selected(p), 45);
    EXPECT_EQ(p.recordsGrid->currentRow(), 9);
  });
}

TEST_F(PickSeek, TextAfterEveryKeyLeavesTheWindowAlone) {
  run(true, [](ui::GridPicker& p) {
    p.recordsScrollBar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    std::vector<long> before = Shown(p);
    p.seekEdit->setText("zz");
    EXPECT_EQ(p.seekText(), "ZZ");
    EXPECT_EQ(Shown(p), before);
    EXPECT_EQ(p.windowTop(), 10);
  });
}

TEST_F(PickSeek, BlanksAroundTheTextChangeNothing) {
  run(true, [](ui::GridPicker& p) {
    p.seekEdit->setText("jo");
    p.recordsScrollBar->triggerAction(QAbstractSlider::SliderToMinimum);
    p.seekEdit->setText("  jo ");
    EXPECT_EQ(p.seekText(), "JO");
    EXPECT_EQ(p.windowTop(), 0);  // the same text is not sought again
  });
}

TEST_F(PickSeek, ByCompanyTheFirstAddressLineIsSought) {
  run(false, [](ui::GridPicker& p) {
    EXPECT_EQ(Titles(p), (QStringList{"Company", "Last", "First", "RecNo"}));
    p.seekEdit->setText("acme");
    EXPECT_EQ(Selected(p), 42);  // "ACME TOOLS"
    EXPECT_EQ(Cell(p, p.recordsGrid->currentRow(), 0).trimmed(), "ACME TOOLS");
    p.seekEdit->setText("mid");
    EXPECT_EQ(Selected(p), 44);
  });
}

TEST_F(PickSeek, ByCompanyAMixedCaseNameIsFoundOnlyWhereItsUpperCaseSorts) {
  run(false, [](ui::GridPicker& p) {
    // Stored "Acme Garden" sorts after "ACME TOOLS"; its upper-cased name
    // sorts before it, so the seek stops at "ACME TOOLS".
    p.seekEdit->setText("acme garden");
    EXPECT_EQ(Selected(p), 42);
  });
}

TEST_F(PickSeek, NamesWithSharpSAndMicroAreFoundByTypingThemAsStored) {
  writeCustomers({{base::fromUtf8("Straße"), "Eva", "", "", 1, false},   // 46
                  {"Strasse", "Max", "", "", 1, false},                  // 47
                  {base::fromUtf8("µller"), "Kai", "", "", 1, false}});  // 48
  const std::pair<const char*, long> cases[] = {
      {"straße", 46}, {"STRASSE", 47}, {"µ", 48}, {"µLL", 48}};
  run(true, [&](ui::GridPicker& p) {
    for (const auto& [typed, found] : cases) {
      p.seekEdit->clear();
      QTest::keyClicks(p.seekEdit, QString::fromUtf8(typed));
      EXPECT_EQ(Selected(p), found) << typed;
    }
  });
}

TEST_F(PickSeek, OpeningEmptiesTheSeekText) {
  data::DataSession& session = openSession();
  vt::catalog::TPickCust picker(nullptr, session, ui);
  Pick(picker, 1, [](ui::GridPicker& p) { p.seekEdit->setText("smith"); });
  EXPECT_EQ(picker.seekText(), "SMITH");
  Pick(picker, 1, [](ui::GridPicker& p) {
    EXPECT_EQ(p.seekText(), "");
    EXPECT_EQ(p.seekEdit->text(), "");
    EXPECT_EQ(Selected(p), 1);
  });
}

}  // namespace
}  // namespace vt::catalog::picktest
