// Saving, cancelling and deleting a customer: the group is required, nothing
// is written on Cancel or on a refusal, Delete asks nothing and is undone by
// a later Save, and the fields keep to the widths of CUST5.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <fstream>
#include <iterator>

#include "catalog/tcustomer.h"
#include "catalog/tgroupdef.h"
#include "catalog/tpickgroup.h"
#include "customer_test_support.h"

namespace vt::catalog {
namespace {

using custtest::Click;
using custtest::ModalScript;
using custtest::SelectListItem;
using custtest::TypeInto;

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CustomerSaveTest : public custtest::CustomerWindowTest {
 protected:
  CustomerSaveTest() {
    retail = addGroup(1, "Retail");
    addGroup(2, "Wholesale");
  }

  bool runWindow(long& current, ModalScript& script) {
    return script.run([&] { window.edit(current); });
  }

  std::string customerFiles() const {
    return fileBytes(dir.path() + "/CUST5.DBF") + fileBytes(dir.path() + "/CUST5.DBT");
  }

  long retail = 0;
  TCustomer window{nullptr, session, ui};
};

TEST_F(CustomerSaveTest, SaveWithoutAGroupAsksForOneAndWritesNothing) {
  ModalScript script;
  script.on<TCustomer>([](TCustomer& w) {
    TypeInto(w.lastNameEdit, "Adams");
    Click(w.saveButton);
    EXPECT_TRUE(w.isVisible()) << "the window closed after the refusal";
    Click(w.cancelButton);
  });
  long current = 0;
  ASSERT_TRUE(runWindow(current, script));
  EXPECT_EQ(messages(), std::vector<std::string>{"Please Select Customer Group"});
  EXPECT_EQ(dialogs.shown()[0].kind, base::DialogKind::Information);
  EXPECT_TRUE(storedCustomers().empty());
  EXPECT_EQ(current, -1);
}

TEST_F(CustomerSaveTest, SaveAfterTheRefusalSucceedsOnceAGroupIsChosen) {
  ModalScript script;
  script
      .on<TCustomer>([](TCustomer& w) {
        TypeInto(w.lastNameEdit, "Adams");
        Click(w.saveButton);
        Click(w.groupButton);
      })
      .on<TPickGroup>([](TPickGroup& p) { SelectListItem(p, "Wholesale"); })
      .on<TCustomer>([](TCustomer& w) {
        EXPECT_EQ(w.groupNameEdit->text().trimmed(), QString("Wholesale"));
        Click(w.saveButton);
      });
  long current = 0;
  ASSERT_TRUE(runWindow(current, script));
  const auto stored = storedCustomers();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].record.ngroup, 2);
  EXPECT_EQ(current, stored[0].recNo);
}

TEST_F(CustomerSaveTest, CancelWritesNothingWhateverWasChanged) {
  const long record = addCustomer(7, "Baker", 1);
  const std::string before = customerFiles();
  ModalScript script;
  script
      .on<TCustomer>([](TCustomer& w) {
        TypeInto(w.lastNameEdit, "Changed");
        TypeInto(w.commentsMemo, "A remark");
        Click(w.groupButton);
      })
      .on<TPickGroup>([](TPickGroup& p) { SelectListItem(p, "Wholesale"); })
      .on<TCustomer>([](TCustomer& w) { Click(w.cancelButton); });
  long current = record;
  ASSERT_TRUE(runWindow(current, script));
  EXPECT_EQ(customerFiles(), before);
  EXPECT_EQ(current, record);
  EXPECT_FALSE(session.NeedsPack);
}

TEST_F(CustomerSaveTest, CancelOnANewCustomerAddsNoRecord) {
  ModalScript script;
  script
      .on<TCustomer>([](TCustomer& w) {
        TypeInto(w.lastNameEdit, "Adams");
        Click(w.groupButton);
      })
      .on<TPickGroup>([](TPickGroup& p) { SelectListItem(p, "Retail"); })
      .on<TCustomer>([](TCustomer& w) { Click(w.cancelButton); });
  long current = 0;
  ASSERT_TRUE(runWindow(current, script));
  EXPECT_TRUE(storedCustomers().empty());
  EXPECT_EQ(current, -1);
}

TEST_F(CustomerSaveTest, DeleteAsksNothingAndMarksTheCustomerForPacking) {
  const long record = addCustomer(3, "Baker", 1);
  ModalScript script;
  script.on<TCustomer>([](TCustomer& w) {
    EXPECT_TRUE(w.deleteButton->isEnabled());
    Click(w.deleteButton);
  });
  long current = record;
  ASSERT_TRUE(runWindow(current, script));
  EXPECT_TRUE(dialogs.shown().empty());
  const auto stored = storedCustomers();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_TRUE(stored[0].deleted);
  EXPECT_EQ(current, record);
  EXPECT_TRUE(session.NeedsPack);
}

TEST_F(CustomerSaveTest, ANewCustomerCannotBeDeleted) {
  ModalScript script;
  script.on<TCustomer>([](TCustomer& w) {
    EXPECT_FALSE(w.deleteButton->isEnabled());
    Click(w.cancelButton);
  });
  long current = 0;
  ASSERT_TRUE(runWindow(current, script));
}

TEST_F(CustomerSaveTest, SavingADeletedCustomerUndeletesIt) {
  const long record = addCustomer(3, "Baker", 1);
  ModalScript deleting;
  deleting.on<TCustomer>([](TCustomer& w) { Click(w.deleteButton); });
  long current = record;
  ASSERT_TRUE(runWindow(current, deleting));
  ASSERT_TRUE(storedCustomers()[0].deleted);

  ModalScript saving;
  saving.on<TCustomer>([](TCustomer& w) {
    TypeInto(w.firstNameEdit, "Bea");
    Click(w.saveButton);
  });
  ASSERT_TRUE(runWindow(current, saving));
  const auto stored = storedCustomers();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_FALSE(stored[0].deleted);
  EXPECT_EQ(stored[0].record.first.substr(0, 3), "Bea");
  EXPECT_EQ(stored[0].record.cuno, 3);
}

TEST_F(CustomerSaveTest, ACustomerWhoseGroupIsGoneMustBeGivenOneAgain) {
  const long record = addCustomer(3, "Baker", 9);
  ModalScript script;
  script
      .on<TCustomer>([](TCustomer& w) {
        EXPECT_TRUE(w.groupNameEdit->text().isEmpty());
        Click(w.saveButton);
        EXPECT_TRUE(w.isVisible());
        Click(w.groupButton);
      })
      .on<TPickGroup>([](TPickGroup& p) { SelectListItem(p, "Retail"); })
      .on<TCustomer>([](TCustomer& w) { Click(w.saveButton); });
  long current = record;
  ASSERT_TRUE(runWindow(current, script));
  EXPECT_EQ(messages(), std::vector<std::string>{"Please Select Customer Group"});
  EXPECT_EQ(storedCustomers()[0].record.ngroup, 1);
}

TEST_F(CustomerSaveTest, TheGroupOnFileIsShownAndCancellingTheChoiceKeepsIt) {
  const long record = addCustomer(3, "Baker", 2);
  ModalScript script;
  script
      .on<TCustomer>([](TCustomer& w) {
        EXPECT_EQ(w.groupNameEdit->text().trimmed(), QString("Wholesale"));
        Click(w.groupButton);
      })
      .on<TPickGroup>([](TPickGroup& p) {
        EXPECT_TRUE(p.newButton->isEnabled());
        Click(p.cancelButton);
      })
      .on<TCustomer>([](TCustomer& w) {
        EXPECT_EQ(w.groupNameEdit->text().trimmed(), QString("Wholesale"));
        Click(w.saveButton);
      });
  long current = record;
  ASSERT_TRUE(runWindow(current, script));
  EXPECT_EQ(storedCustomers()[0].record.ngroup, 2);
}

TEST_F(CustomerSaveTest, AGroupMadeWithNewInThePickerIsGivenToTheCustomer) {
  ModalScript script;
  script
      .on<TCustomer>([](TCustomer& w) {
        TypeInto(w.lastNameEdit, "Adams");
        Click(w.groupButton);
      })
      .on<TPickGroup>([](TPickGroup& p) { Click(p.newButton); })
      .on<TGroupDef>([](TGroupDef& g) {
        TypeInto(g.groupNameEdit, "Agents");
        Click(g.saveButton);
      })
      .on<TCustomer>([](TCustomer& w) {
        EXPECT_EQ(w.groupNameEdit->text().trimmed(), QString("Agents"));
        Click(w.saveButton);
      });
  long current = 0;
  ASSERT_TRUE(runWindow(current, script));
  const auto groups = storedGroups();
  ASSERT_EQ(groups.size(), 3u);
  EXPECT_EQ(groups[2].record.nGroup, 3);
  EXPECT_EQ(storedCustomers()[0].record.ngroup, 3);
}

TEST_F(CustomerSaveTest, FieldsTakeNoMoreThanTheirWidthsAndKeepLeadingBlanks) {
  const QString longText(70, QChar('x'));
  ModalScript script;
  script
      .on<TCustomer>([&](TCustomer& w) {
        for (QLineEdit* edit :
             {w.titleEdit, w.firstNameEdit, w.address1Edit, w.address2Edit, w.address3Edit,
              w.address4Edit, w.zipEdit, w.phoneEdit, w.faxEdit, w.emailEdit, w.noteEdit}) {
          TypeInto(edit, longText);
        }
        TypeInto(w.lastNameEdit, "  Adams");
        Click(w.groupButton);
      })
      .on<TPickGroup>([](TPickGroup& p) { SelectListItem(p, "Retail"); })
      .on<TCustomer>([](TCustomer& w) { Click(w.saveButton); });
  long current = 0;
  ASSERT_TRUE(runWindow(current, script));
  const data::CustomerRecord c = storedCustomers().at(0).record;
  auto typed = [](const std::string& field) { return field.find_last_not_of(' ') + 1; };
  EXPECT_EQ(typed(c.title), 3u);
  EXPECT_EQ(typed(c.first), 13u);
  EXPECT_EQ(c.last.substr(0, 8), "  Adams ");
  EXPECT_EQ(typed(c.addr1), 34u);
  EXPECT_EQ(typed(c.addr2), 34u);
  EXPECT_EQ(typed(c.addr3), 34u);
  EXPECT_EQ(typed(c.addr4), 19u);
  EXPECT_EQ(typed(c.zip), 10u);
  EXPECT_EQ(typed(c.phone), 20u);
  EXPECT_EQ(typed(c.fax), 20u);
  EXPECT_EQ(typed(c.email), 59u);  // 60 typed, stored texts are cut to 59
  EXPECT_EQ(typed(c.note), 34u);

  ModalScript reopened;
  reopened.on<TCustomer>([](TCustomer& w) {
    EXPECT_EQ(w.lastNameEdit->text(), QString("Adams"));  // blanks trimmed for display only
    EXPECT_EQ(w.emailEdit->text().size(), 59);
    Click(w.cancelButton);
  });
  ASSERT_TRUE(runWindow(current, reopened));
}

}  // namespace
}  // namespace vt::catalog
