// The group picker: every group by name, deleted ones marked and still
// selectable, opening on the caller's group, the incremental search, the
// refusal without a selection, New / Cancel / closing, and the table's order
// put back on closing.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "catalog/tpickgroup.h"
#include "customer_test_support.h"

namespace vt::catalog {
namespace {

using custtest::Click;
using custtest::ModalScript;
using custtest::SelectListItem;

// A deleted group's item: the name padded to the field's width, then the mark.
QString deleted(const char* name) {
  return QString(name).leftJustified(30) + "<DELETED>";
}

class PickerTest : public custtest::CustomerWindowTest {
 protected:
  // Shows the picker starting at `start`; the number it leaves.
  long pick(long start, bool allowNew, ModalScript& script) {
    long current = start;
    EXPECT_TRUE(script.run([&] { picker.pick(allowNew, current); }));
    return current;
  }

  static QStringList items(const TPickGroup& p) {
    QStringList texts;
    for (int row = 0; row < p.namesList->count(); ++row) texts << p.namesList->item(row)->text();
    return texts;
  }

  static QString selected(const TPickGroup& p) {
    const int row = p.selectedIndex();
    return row < 0 ? QString() : p.namesList->item(row)->text().trimmed();
  }

  TPickGroup picker{nullptr, session, ui};
};

class GroupPickerTest : public PickerTest {
 protected:
  GroupPickerTest() {
    wholesale = addGroup(1, "Wholesale");
    retail = addGroup(2, "Retail", true);
    agents = addGroup(3, "Agents");
  }

  long wholesale = 0, retail = 0, agents = 0;
};

TEST_F(GroupPickerTest, ListsEveryGroupByNameWithDeletedOnesMarked) {
  QStringList shown, spoken;
  ModalScript script;
  script.on<TPickGroup>([&](TPickGroup& p) {
    shown = items(p);
    EXPECT_EQ(p.windowTitle(), QString("Choose a Customer Group"));
    for (int row = 0; row < p.namesList->count(); ++row) {
      spoken << p.namesList->item(row)->data(Qt::AccessibleTextRole).toString();
    }
    SelectListItem(p, "Retail");
  });
  EXPECT_EQ(pick(wholesale, true, script), retail);
  EXPECT_EQ(shown, (QStringList{QString("Agents").leftJustified(30), deleted("Retail"),
                                QString("Wholesale").leftJustified(30)}));
  EXPECT_EQ(spoken, (QStringList{"Agents", "Retail <DELETED>", "Wholesale"}))
      << "read aloud without the padding";
}

TEST_F(GroupPickerTest, OpensOnTheCallersGroupOrElseOnTheFirst) {
  QString first, second;
  ModalScript script;
  script.on<TPickGroup>([&](TPickGroup& p) {
    first = selected(p);
    Click(p.selectButton);
  });
  EXPECT_EQ(pick(wholesale, true, script), wholesale);
  ModalScript again;
  again.on<TPickGroup>([&](TPickGroup& p) {
    second = selected(p);
    Click(p.selectButton);
  });
  EXPECT_EQ(pick(0, true, again), agents);
  EXPECT_EQ(first, QString("Wholesale"));
  EXPECT_EQ(second, QString("Agents"));
}

TEST_F(GroupPickerTest, TypingSelectsTheFirstNameAtOrAfterTheText) {
  ModalScript script;
  script.on<TPickGroup>([](TPickGroup& p) {
    EXPECT_EQ(p.seekEdit->maxLength(), 20);
    QTest::keyClicks(p.seekEdit, "w");
    EXPECT_EQ(selected(p), QString("Wholesale"));
    p.seekEdit->clear();
    QTest::keyClicks(p.seekEdit, " re ");
    EXPECT_EQ(selected(p), deleted("Retail"));
    p.seekEdit->clear();
    QTest::keyClicks(p.seekEdit, "B");
    EXPECT_EQ(selected(p), deleted("Retail"));
    Click(p.selectButton);
  });
  EXPECT_EQ(pick(agents, true, script), retail);
}

TEST_F(GroupPickerTest, NamesWithSharpSAndMicroAreFoundByTypingThemAsStored) {
  addGroup(4, "Straße");
  addGroup(5, "Strasse");
  addGroup(6, "µ-Markt");
  const std::pair<const char*, const char*> cases[] = {
      {"straße", "Straße"}, {"STRASSE", "Strasse"}, {"µ", "µ-Markt"}};
  ModalScript script;
  script.on<TPickGroup>([&](TPickGroup& p) {
    for (const auto& [typed, found] : cases) {
      p.seekEdit->clear();
      QTest::keyClicks(p.seekEdit, QString::fromUtf8(typed));
      EXPECT_EQ(selected(p), QString::fromUtf8(found)) << typed;
    }
    Click(p.cancelButton);
  });
  pick(agents, true, script);
}

TEST_F(GroupPickerTest, TextPastEveryNameLeavesNothingSelectedAndSelectRefuses) {
  ModalScript script;
  script.on<TPickGroup>([](TPickGroup& p) {
    QTest::keyClicks(p.seekEdit, "zz");
    EXPECT_EQ(p.selectedIndex(), -1);
    Click(p.selectButton);
    EXPECT_TRUE(p.isVisible());
    Click(p.cancelButton);
  });
  EXPECT_EQ(pick(agents, true, script), -1);
  EXPECT_EQ(messages(), std::vector<std::string>{"Item Not Selected"});
}

TEST_F(PickerTest, WithASingleGroupTypingDoesNotMoveTheSelection) {
  const long only = addGroup(1, "Retail");
  ModalScript script;
  script.on<TPickGroup>([](TPickGroup& p) {
    QTest::keyClicks(p.seekEdit, "zz");
    EXPECT_EQ(selected(p), QString("Retail"));
    Click(p.selectButton);
  });
  EXPECT_EQ(pick(0, true, script), only);
}

TEST_F(GroupPickerTest, DoubleClickAndEnterInTheListPick) {
  ModalScript byDoubleClick;
  byDoubleClick.on<TPickGroup>([](TPickGroup& p) {
    const QPoint at = p.namesList->visualItemRect(p.namesList->item(2)).center();
    QTest::mouseClick(p.namesList->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(p.namesList->viewport(), Qt::LeftButton, {}, at);
  });
  EXPECT_EQ(pick(agents, true, byDoubleClick), wholesale);
  ModalScript byEnter;
  byEnter.on<TPickGroup>([](TPickGroup& p) {
    p.namesList->setCurrentRow(1);
    QTest::keyClick(p.namesList, Qt::Key_Return);
  });
  EXPECT_EQ(pick(agents, true, byEnter), retail);
}

TEST_F(GroupPickerTest, NewCancelAndClosingTheWindow) {
  ModalScript byNew;
  byNew.on<TPickGroup>([](TPickGroup& p) {
    EXPECT_TRUE(p.newButton->isEnabled());
    Click(p.newButton);
  });
  EXPECT_EQ(pick(agents, true, byNew), 0);
  ModalScript byCancel;
  byCancel.on<TPickGroup>([](TPickGroup& p) {
    EXPECT_FALSE(p.newButton->isEnabled());
    Click(p.cancelButton);
  });
  EXPECT_EQ(pick(agents, false, byCancel), -1);
  ModalScript byEscape;
  byEscape.on<TPickGroup>([](TPickGroup& p) { QTest::keyClick(p.seekEdit, Qt::Key_Escape); });
  EXPECT_EQ(pick(agents, true, byEscape), -1);
}

TEST_F(GroupPickerTest, TheTablesOrderIsPutBackOnClosing) {
  engine::Table* groups = session.groups();
  ASSERT_NE(groups->selectedTag(), nullptr);
  const std::string before = groups->selectedTag()->name();
  std::string during;
  ModalScript script;
  script.on<TPickGroup>([&](TPickGroup& p) {
    during = groups->selectedTag()->name();
    Click(p.selectButton);
  });
  pick(agents, true, script);
  EXPECT_EQ(during, "cGroup");
  ASSERT_NE(groups->selectedTag(), nullptr);
  EXPECT_EQ(groups->selectedTag()->name(), before);
  EXPECT_NE(before, during);
}

TEST_F(PickerTest, AnEmptyListRefusesSelect) {
  ModalScript script;
  script.on<TPickGroup>([](TPickGroup& p) {
    EXPECT_EQ(p.namesList->count(), 0);
    Click(p.selectButton);
    Click(p.newButton);
  });
  EXPECT_EQ(pick(0, true, script), 0);
  EXPECT_EQ(messages(), std::vector<std::string>{"Item Not Selected"});
}

// The label stock picker's kind of list: no seek box, and closing the window
// counts as Cancel.
class ClosingCancelsPicker : public ui::ListPicker {
 public:
  ClosingCancelsPicker(data::DataSession& session, ui::UiContext& ui)
      : ListPicker(nullptr, ui, options()), session_(session) {}

 protected:
  engine::Table* listedTable() override { return session_.groups(); }
  const char* listOrder() const override { return nullptr; }
  int loadName(std::string* name) override {
    const int status = session_.LoadGroup();
    *name = session_.Group.cGroup;
    return status;
  }

 private:
  static Options options() {
    Options o;
    o.caption = "PickLab";
    o.seekBox = false;
    o.enterSelects = false;
    return o;
  }
  data::DataSession& session_;
};

TEST_F(GroupPickerTest, AListWhoseClosingCancelsHasNoSeekBoxAndKeepsItsOrder) {
  ClosingCancelsPicker labels(session, ui);
  QStringList shown;
  long current = agents;
  ModalScript script;
  script.on<ClosingCancelsPicker>([&](ClosingCancelsPicker& p) {
    EXPECT_EQ(p.seekEdit, nullptr);
    for (int row = 0; row < p.namesList->count(); ++row) {
      shown << p.namesList->item(row)->text().trimmed();
    }
    EXPECT_EQ(p.selectedIndex(), 2);
    QTest::keyClick(p.namesList, Qt::Key_Return);
    EXPECT_TRUE(p.isVisible());
    p.reject();
  });
  ASSERT_TRUE(script.run([&] { labels.pick(true, current); }));
  EXPECT_EQ(current, -1);
  // The order the table had: GROUPS by number.
  EXPECT_EQ(shown, (QStringList{"Wholesale", deleted("Retail"), "Agents"}));
}

}  // namespace
}  // namespace vt::catalog
