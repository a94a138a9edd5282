// The date span and group selection dialogs as a user works them, and the
// month a date span offers first.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "customer_test_support.h"
#include "reports/tdatespan.h"
#include "reports/tmultgroup.h"
#include "ui/locale_format.h"

namespace vt::reports {
namespace {

using base::MakeDate;
using catalog::custtest::Click;
using catalog::custtest::ModalScript;
using catalog::custtest::TypeInto;

TEST(SetMonthSpanTest, SpansTheWholeMonthOfToday) {
  struct Case {
    base::DateTime today;
    int lastDay;
  };
  for (const Case& c : {Case{MakeDate(2025, 12, 17), 31}, Case{MakeDate(2024, 2, 10), 29},
                        Case{MakeDate(2026, 2, 28), 28}, Case{MakeDate(2026, 1, 31), 31}}) {
    ReportChoices choices;
    SetMonthSpan(choices, c.today);
    EXPECT_EQ(choices.SpanStart, MakeDate(c.today.year, c.today.month, 1));
    EXPECT_EQ(choices.SpanEnd, MakeDate(c.today.year, c.today.month, c.lastDay));
  }
}

class SelectionDialogsTest : public catalog::custtest::CustomerWindowTest {
 protected:
  // Shows the window with `open` and acts on it once it has the keyboard.
  template <class Window>
  static void use(const std::function<void()>& open, std::function<void(Window&)> action) {
    ModalScript script;
    script.on<Window>([action](Window& w) {
      ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
      action(w);
    });
    EXPECT_TRUE(script.run(open));
  }

  // Day and month of two digits each, so the text fills the field's mask.
  static void typeDate(QWidget* field, const base::DateTime& date) {
    TypeInto(field, ui::FormatShortDate(QDate(date.year, date.month, date.day)));
  }

  ReportChoices choices;
};

TEST_F(SelectionDialogsTest, OkTakesASpanWhoseEndIsNotBeforeItsStart) {
  struct Case {
    const char* name;
    base::DateTime start, end;
    bool accepted;
  };
  for (const Case& c : {Case{"equal dates", MakeDate(2026, 11, 12), MakeDate(2026, 11, 12), true},
                        Case{"end first", MakeDate(2026, 11, 20), MakeDate(2026, 11, 12), false}}) {
    SCOPED_TRACE(c.name);
    dialogs.clear();
    SetMonthSpan(choices, MakeDate(2026, 10, 5));
    TDateSpan window(nullptr, ui, choices);
    bool accepted = !c.accepted;
    use<TDateSpan>([&] { accepted = window.Run("Sales Summary"); },
                   [&](TDateSpan& w) {
                     typeDate(w.startDateEdit, c.start);
                     typeDate(w.endDateEdit, c.end);
                     Click(w.okButton);
                     if (c.accepted) return;
                     QCoreApplication::processEvents();
                     EXPECT_TRUE(w.isVisible());
                     Click(w.cancelButton);
                   });
    EXPECT_EQ(accepted, c.accepted);
    EXPECT_EQ(choices.SpanCancelled, !c.accepted);
    EXPECT_EQ(choices.SpanStart, c.start);
    EXPECT_EQ(choices.SpanEnd, c.end);
    EXPECT_EQ(messages(), c.accepted ? std::vector<std::string>{}
                                     : std::vector<std::string>{TDateSpan::kEndBeforeStart});
  }
}

TEST_F(SelectionDialogsTest, SingleDateUseAsksOneDateAndLeavesASpanWindow) {
  choices.SpanStart = MakeDate(2026, 10, 5);
  choices.SpanEnd = MakeDate(2026, 9, 1);
  TDateSpan window(nullptr, ui, choices);
  bool accepted = false;
  use<TDateSpan>([&] { accepted = window.RunSingleDate("Inventory", "Inventory as Of:"); },
                 [](TDateSpan& w) {
                   EXPECT_TRUE(w.endDateEdit->isHidden() && w.endLabel->isHidden());
                   EXPECT_EQ(w.startLabel->text(), QString("Inventory as Of:"));
                   Click(w.okButton);
                 });
  EXPECT_TRUE(accepted);
  EXPECT_EQ(choices.SpanStart, MakeDate(2026, 10, 5));
  EXPECT_FALSE(window.endDateEdit->isHidden() || window.endLabel->isHidden());
  EXPECT_EQ(window.startLabel->text(), QString(TDateSpan::kStartCaption));
  EXPECT_TRUE(messages().empty());
}

void ClickItem(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
}

struct Group {
  int number;
  const char* name;
  bool deleted;
};

struct GroupCase {
  const char* name;
  std::vector<Group> groups;
  bool callerOpens;  // else the dialog opens GROUPS and closes it after
  std::function<void(TMultGroup&)> act;
  QStringList items;
  std::vector<int> chosen;
};

class GroupDialogTest : public SelectionDialogsTest,
                        public ::testing::WithParamInterface<GroupCase> {};

TEST_P(GroupDialogTest, ListsLiveGroupsAndHandsBackThoseChosen) {
  const GroupCase& c = GetParam();
  for (const Group& group : c.groups) addGroup(group.number, group.name, group.deleted);
  if (!c.callerOpens) session.CloseTable(data::TableId::Groups);
  choices.SelectedGroups = {99};
  TMultGroup window(nullptr, session, ui, choices);
  QStringList items;
  bool chosen = false;
  use<TMultGroup>([&] { chosen = window.Run(); },
                  [&](TMultGroup& w) {
                    for (int row = 0; row < w.groupList->count(); ++row) {
                      items << w.groupList->item(row)->text();
                    }
                    c.act(w);
                  });
  EXPECT_EQ(items, c.items);
  EXPECT_EQ(choices.SelectedGroups, c.chosen);
  EXPECT_EQ(chosen, !c.chosen.empty());
  EXPECT_EQ(session.groups() != nullptr, c.callerOpens);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GroupDialogTest,
    ::testing::Values(GroupCase{"OneGroupComesSelected",
                                {{4, "Retail", false}},
                                true,
                                [](TMultGroup& w) { Click(w.runButton); },
                                {" 4 - Retail"},
                                {4}},
                      GroupCase{
                          "AllButTheDeletedInNumberOrder",
                          {{7, "Wholesale", false}, {2, "Agents", true}, {1, "Retail", false}},
                          false,
                          [](TMultGroup& w) {
                            Click(w.allButton);
                            Click(w.runButton);
                          },
                          {" 1 - Retail", " 7 - Wholesale"},
                          {1, 7}},
                      GroupCase{"EachClickToggles",
                                {{1, "Retail", false}, {2, "Agents", false}},
                                true,
                                [](TMultGroup& w) {
                                  for (int row : {0, 1, 0}) ClickItem(w.groupList, row);
                                  Click(w.runButton);
                                },
                                {" 1 - Retail", " 2 - Agents"},
                                {2}},
                      GroupCase{"CancelChoosesNothing",
                                {{1, "Retail", false}},
                                true,
                                [](TMultGroup& w) { Click(w.cancelButton); },
                                {" 1 - Retail"},
                                {}}),
    [](const ::testing::TestParamInfo<GroupCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vt::reports
