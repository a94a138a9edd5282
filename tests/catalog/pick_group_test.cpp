// The customer picker's "Group:" box: the group of the customer in the
// selected row, found by its number in GROUPS, kept as it was when the
// customer's group is not on file.
#include "catalog/tpickcust.h"
#include "pick_fixture.h"

namespace vt::catalog::picktest {
namespace {

class PickGroup : public PickerTest {
 protected:
  void SetUp() override {
    writeGroups({{1, "Retail"}, {2, "Wholesale"}, {3, "Staff"}});
    writeCustomers({{"Adams", "Al", "", "", 2, false},
                    {"Baker", "Bo", "", "", 3, false},
                    {"Clark", "Cy", "", "", 7, false},  // group 7 is not on file
                    {"Dunn", "Di", "", "", 1, true}});
  }
  void run(const std::function<void(vt::catalog::TPickCust&)>& act) {
    data::DataSession& session = openSession();
    vt::catalog::TPickCust picker(nullptr, session, ui);
    Pick(picker, 1, [&](ui::GridPicker&) { act(picker); });
  }
};

QString Group(const vt::catalog::TPickCust& p) {
  return p.groupNameEdit->text().trimmed();
}

TEST_F(PickGroup, ShowsTheGroupOfTheSelectedCustomerOnOpening) {
  run([](vt::catalog::TPickCust& p) {
    EXPECT_EQ(p.recordsGrid->currentRow(), 0);
    EXPECT_EQ(p.groupNameEdit->text(), "Wholesale") << "without the padding";
    EXPECT_TRUE(p.groupNameEdit->isReadOnly());
    const QString name = p.recordsGrid->item(0, 0)->text();
    EXPECT_NE(name, name.trimmed()) << "cells show the names as stored";
    EXPECT_EQ(p.recordsGrid->item(0, 0)->data(Qt::AccessibleTextRole).toString(), name.trimmed());
  });
}

TEST_F(PickGroup, FollowsTheSelectionAsKeysMoveIt) {
  run([](vt::catalog::TPickCust& p) {
    QTest::keyClick(p.recordsGrid, Qt::Key_Down);
    EXPECT_EQ(Group(p), "Staff");
    QTest::keyClick(p.recordsGrid, Qt::Key_Down);
    QTest::keyClick(p.recordsGrid, Qt::Key_Down);
    EXPECT_EQ(Group(p), "Retail");  // deleted customers show theirs too
  });
}

TEST_F(PickGroup, FollowsAClickOnAnotherRow) {
  run([](vt::catalog::TPickCust& p) {
    QRect cell = p.recordsGrid->visualItemRect(p.recordsGrid->item(1, 0));
    QTest::mouseClick(p.recordsGrid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(Group(p), "Staff");
  });
}

TEST_F(PickGroup, GroupNotOnFileKeepsThePreviousText) {
  run([](vt::catalog::TPickCust& p) {
    p.recordsGrid->setCurrentCell(1, 0);
    EXPECT_EQ(Group(p), "Staff");
    p.recordsGrid->setCurrentCell(2, 0);
    EXPECT_EQ(Group(p), "Staff");
  });
}

TEST_F(PickGroup, BlankRowKeepsThePreviousText) {
  run([](vt::catalog::TPickCust& p) {
    p.recordsGrid->setCurrentCell(6, 0);
    EXPECT_EQ(Group(p), "Wholesale");
  });
}

TEST_F(PickGroup, LabelIsTiedToTheBox) {
  run([](vt::catalog::TPickCust& p) {
    EXPECT_EQ(p.groupLabel->text(), "Group:");
    EXPECT_EQ(p.groupLabel->buddy(), p.groupNameEdit);
    EXPECT_EQ(p.seekLabel->buddy(), p.seekEdit);
  });
}

}  // namespace
}  // namespace vt::catalog::picktest
