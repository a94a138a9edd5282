// Deleting a customer group moves its customers, deleted ones too, to a group
// the user picks, then marks the group deleted. Answering Cancel, cancelling
// the choice or choosing the same group changes nothing.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "catalog/tgroupdef.h"
#include "catalog/tpickgroup.h"
#include "customer_test_support.h"

namespace vt::catalog {
namespace {

using custtest::Click;
using custtest::ModalScript;
using custtest::SelectListItem;

class GroupDeleteTest : public custtest::CustomerWindowTest {
 protected:
  GroupDeleteTest() {
    addGroup(1, "Retail");
    dealers = addGroup(2, "Dealers");
    addGroup(3, "Agents");
    addCustomer(1, "Adams", 2);
    addCustomer(2, "Baker", 1);
    addCustomer(3, "Clark", 2, true);
    addCustomer(4, "Dunn", 3);
  }

  std::vector<int> customerGroups() const {
    std::vector<int> groups;
    for (const auto& c : storedCustomers()) groups.push_back(c.record.ngroup);
    return groups;
  }

  // Opens group 2, presses Delete and runs `rest` on what follows.
  void deleteDealers(ModalScript& rest) {
    long current = dealers;
    ASSERT_TRUE(rest.run([&] { window.edit(current); }));
    result = current;
  }

  long dealers = 0;
  long result = 0;
  TGroupDef window{nullptr, session, ui};
};

TEST_F(GroupDeleteTest, MembersMoveToTheChosenGroupAndTheGroupIsMarkedDeleted) {
  dialogs.queueChoice(true);
  ModalScript script;
  script.on<TGroupDef>([](TGroupDef& g) { Click(g.deleteButton); })
      .on<TPickGroup>([](TPickGroup& p) {
        EXPECT_FALSE(p.newButton->isEnabled());
        SelectListItem(p, "Retail");
      });
  deleteDealers(script);
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].kind, base::DialogKind::Warning);
  EXPECT_EQ(dialogs.shown()[0].text, "Move Customers in Dealers to a selected group");
  EXPECT_EQ(customerGroups(), (std::vector<int>{1, 1, 1, 3}));
  const auto groups = storedGroups();
  EXPECT_FALSE(groups[0].deleted);
  EXPECT_TRUE(groups[1].deleted);
  EXPECT_FALSE(groups[2].deleted);
  EXPECT_EQ(result, dealers);
  EXPECT_TRUE(session.NeedsPack);
}

TEST_F(GroupDeleteTest, AnsweringCancelChangesNothing) {
  dialogs.queueChoice(false);
  ModalScript script;
  script.on<TGroupDef>([](TGroupDef& g) {
    Click(g.deleteButton);
    EXPECT_TRUE(g.isVisible());
    Click(g.cancelButton);
  });
  deleteDealers(script);
  EXPECT_EQ(customerGroups(), (std::vector<int>{2, 1, 2, 3}));
  EXPECT_FALSE(storedGroups()[1].deleted);
  EXPECT_FALSE(session.NeedsPack);
}

TEST_F(GroupDeleteTest, CancellingTheGroupChoiceChangesNothing) {
  dialogs.queueChoice(true);
  ModalScript script;
  script.on<TGroupDef>([](TGroupDef& g) { Click(g.deleteButton); })
      .on<TPickGroup>([](TPickGroup& p) { Click(p.cancelButton); })
      .on<TGroupDef>([](TGroupDef& g) { Click(g.cancelButton); });
  deleteDealers(script);
  EXPECT_EQ(customerGroups(), (std::vector<int>{2, 1, 2, 3}));
  EXPECT_FALSE(storedGroups()[1].deleted);
  EXPECT_FALSE(session.NeedsPack);
  EXPECT_EQ(result, dealers);
}

TEST_F(GroupDeleteTest, ChoosingTheSameGroupChangesNothingAndTheEditorStaysOnIt) {
  dialogs.queueChoice(true);
  ModalScript script;
  script.on<TGroupDef>([](TGroupDef& g) { Click(g.deleteButton); })
      .on<TPickGroup>([](TPickGroup& p) { SelectListItem(p, "Dealers"); })
      .on<TGroupDef>([](TGroupDef& g) {
        // Still on group 2: saving writes it back under its own number.
        Click(g.saveButton);
      });
  deleteDealers(script);
  EXPECT_EQ(customerGroups(), (std::vector<int>{2, 1, 2, 3}));
  const auto groups = storedGroups();
  EXPECT_FALSE(groups[1].deleted);
  EXPECT_EQ(groups[1].record.nGroup, 2);
  EXPECT_EQ(groups[1].record.cGroup.substr(0, 8), "Dealers ");
  EXPECT_EQ(groups.size(), 3u);
  EXPECT_FALSE(session.NeedsPack);
  EXPECT_EQ(result, dealers);
}

TEST_F(GroupDeleteTest, APickerOpensOnTheGroupBeingDeleted) {
  dialogs.queueChoice(true);
  QString selected;
  ModalScript script;
  script.on<TGroupDef>([](TGroupDef& g) { Click(g.deleteButton); })
      .on<TPickGroup>([&](TPickGroup& p) {
        selected = p.namesList->currentItem()->text().trimmed();
        Click(p.cancelButton);
      })
      .on<TGroupDef>([](TGroupDef& g) { Click(g.cancelButton); });
  deleteDealers(script);
  EXPECT_EQ(selected, QString("Dealers"));
}

}  // namespace
}  // namespace vt::catalog
