// Creating and renaming a customer group: the next free number, a blank name
// refused, leading blanks kept, Cancel writing nothing and a deleted group
// undeleted by saving it.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include "catalog/tgroupdef.h"
#include "customer_test_support.h"

namespace vt::catalog {
namespace {

using custtest::Click;
using custtest::ModalScript;
using custtest::TypeInto;

class GroupEditTest : public custtest::CustomerWindowTest {
 protected:
  // The user types `name` into the window for record `current` (0: new)
  // and saves; the number the window showed.
  QString save(long& current, const QString& name) {
    QString shown;
    ModalScript script;
    script.on<TGroupDef>([&](TGroupDef& g) {
      shown = g.groupNumberEdit->text();
      TypeInto(g.groupNameEdit, name);
      Click(g.saveButton);
    });
    EXPECT_TRUE(script.run([&] { window.edit(current); }));
    return shown;
  }

  int numberOf(const std::string& name) const {
    for (const auto& g : storedGroups()) {
      if (g.record.cGroup.rfind(name, 0) == 0) return g.record.nGroup;
    }
    ADD_FAILURE() << "no group " << name;
    return -1;
  }

  TGroupDef window{nullptr, session, ui};
};

TEST_F(GroupEditTest, TheFirstGroupIsNumberOne) {
  long current = 0;
  EXPECT_EQ(save(current, "Retail"), QString(" 0"));
  const auto stored = storedGroups();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].record.nGroup, 1);
  EXPECT_EQ(current, stored[0].recNo);
}

TEST_F(GroupEditTest, NewNumbersFillTheGapsAndDeletedGroupsCount) {
  addGroup(1, "One");
  addGroup(4, "Four");
  addGroup(2, "Two", true);
  long current = 0;
  save(current, "Three");
  current = 0;
  save(current, "Five");
  EXPECT_EQ(numberOf("Three"), 3);
  EXPECT_EQ(numberOf("Five"), 5);
}

TEST_F(GroupEditTest, ABlankNameIsRefusedAndNothingIsWritten) {
  ModalScript script;
  script.on<TGroupDef>([](TGroupDef& g) {
    EXPECT_FALSE(g.deleteButton->isEnabled());
    TypeInto(g.groupNameEdit, "   ");
    Click(g.saveButton);
    EXPECT_TRUE(g.isVisible());
    Click(g.cancelButton);
  });
  long current = 0;
  ASSERT_TRUE(script.run([&] { window.edit(current); }));
  EXPECT_EQ(messages(), std::vector<std::string>{"Can't Save Blank Name"});
  EXPECT_TRUE(storedGroups().empty());
  EXPECT_EQ(current, -1);
}

TEST_F(GroupEditTest, LeadingBlanksOfANameAreKept) {
  long current = 0;
  save(current, "  Agents");
  EXPECT_EQ(storedGroups()[0].record.cGroup.substr(0, 9), "  Agents ");
}

TEST_F(GroupEditTest, RenamingKeepsTheNumberAndTheRecord) {
  addGroup(1, "One");
  long current = addGroup(2, "Retail");
  const long record = current;
  QString shownName;
  ModalScript script;
  script.on<TGroupDef>([&](TGroupDef& g) {
    shownName = g.groupNameEdit->text();
    EXPECT_EQ(g.groupNumberEdit->text(), QString(" 2"));
    EXPECT_TRUE(g.deleteButton->isEnabled());
    TypeInto(g.groupNameEdit, "Shops");
    Click(g.saveButton);
  });
  ASSERT_TRUE(script.run([&] { window.edit(current); }));
  EXPECT_EQ(shownName, QString("Retail"));
  EXPECT_EQ(current, record);
  const auto stored = storedGroups();
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[1].record.nGroup, 2);
  EXPECT_EQ(stored[1].record.cGroup.substr(0, 6), "Shops ");
}

TEST_F(GroupEditTest, CancelWritesNothing) {
  long current = addGroup(1, "Retail");
  ModalScript script;
  script.on<TGroupDef>([](TGroupDef& g) {
    TypeInto(g.groupNameEdit, "Changed");
    Click(g.cancelButton);
  });
  ASSERT_TRUE(script.run([&] { window.edit(current); }));
  EXPECT_EQ(storedGroups()[0].record.cGroup.substr(0, 7), "Retail ");
}

TEST_F(GroupEditTest, SavingADeletedGroupUndeletesIt) {
  long current = addGroup(3, "Retail", true);
  save(current, "Retail");
  const auto stored = storedGroups();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_FALSE(stored[0].deleted);
  EXPECT_EQ(stored[0].record.nGroup, 3);
}

}  // namespace
}  // namespace vt::catalog
