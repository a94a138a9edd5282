// The label stock editor and picker, and the mail-merge run, as a user
// works them: values shown, what Save refuses and stores, the list with its
// deleted stocks, and the file written for the groups chosen.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "base/text1252.h"
#include "customer_test_support.h"
#include "data_test_support.h"
#include "labels/mail_merge_run.h"
#include "labels/tlabeldef.h"
#include "labels/tpicklab.h"
#include "reports/tmultgroup.h"
#include "ui/amount_edit.h"
#include "ui/masked_edit.h"

namespace vt::labels {
namespace {

using catalog::custtest::Click;
using catalog::custtest::ModalScript;
using catalog::custtest::SelectListItem;
using catalog::custtest::TypeInto;
using data::LabelDim;

class LabelStockTest : public catalog::custtest::CustomerWindowTest {
 protected:
  LabelStockTest() { EXPECT_TRUE(session.OpenLabels()); }

  long addStock(const std::string& name, bool deleted) {
    engine::Table* labels = session.labels();
    EXPECT_EQ(labels->appendBlank(), 0);
    session.Label = {name, {}, 2, false};
    EXPECT_EQ(session.StoreLabel(), 0);
    if (deleted) labels->deleteRecord();
    return static_cast<long>(labels->recNo());
  }

  // Shows the editor on stock `current` with `act`; the number it leaves.
  long edit(long current, const std::function<void(TLabelDef&)>& act) {
    EXPECT_TRUE(ModalScript().on<TLabelDef>(act).run([&] { editor.edit(current); }));
    return current;
  }

  data::LabelRecord stored(long recNo) {
    EXPECT_EQ(session.labels()->go(static_cast<uint32_t>(recNo)), engine::Result::Success);
    EXPECT_EQ(session.LoadLabel(), 0);
    return session.Label;
  }

  TLabelDef editor{nullptr, session, ui};
};

TEST_F(LabelStockTest, NewStockShowsZeroDimensionsAndOneAcross) {
  const long left = edit(0, [](TLabelDef& w) {
    for (ui::AmountEdit* field :
         {w.topMarginEdit, w.leftMarginEdit, w.bottomMarginEdit, w.rightMarginEdit, w.widthEdit,
          w.heightEdit, w.horizontalGapEdit, w.verticalGapEdit}) {
      EXPECT_EQ(field->text(), "   0.000") << field->objectName().toStdString();
    }
    EXPECT_EQ(w.labelsAcrossEdit->text(), "1");
    EXPECT_EQ(w.focusWidget(), w.labelNameEdit);
    Click(w.cancelButton);
  });
  EXPECT_EQ(left, -1);
  EXPECT_EQ(session.labels()->recCount(), 0u);
}

TEST_F(LabelStockTest, BlankNameIsRefused) {
  edit(0, [this](TLabelDef& w) {
    TypeInto(w.labelNameEdit, "   ");
    Click(w.saveButton);
    EXPECT_EQ(messages(), std::vector<std::string>{"Please fill in label name."});
    EXPECT_TRUE(w.isVisible());
    Click(w.cancelButton);
  });
  EXPECT_EQ(session.labels()->recCount(), 0u);
}

TEST_F(LabelStockTest, TypedStockIsStoredWithoutLeadingBlanks) {
  const long saved = edit(0, [](TLabelDef& w) {
    TypeInto(w.labelNameEdit, "  Avery 5160");
    TypeInto(w.widthEdit, "2.");
    EXPECT_EQ(w.widthEdit->text(), "   2.000");
    TypeInto(w.heightEdit, "72.");
    TypeInto(w.labelsAcrossEdit, "3");
    QTest::mouseClick(w.continuousCheck, Qt::LeftButton, {},
                      QPoint(4, w.continuousCheck->height() / 2));
    Click(w.saveButton);
  });
  ASSERT_GT(saved, 0);
  const data::LabelRecord stock = stored(saved);
  EXPECT_EQ(base::trimRight(stock.Name), "Avery 5160");
  EXPECT_EQ(stock.Dims[LabelDim::Width], 2.0);
  EXPECT_EQ(stock.NAcross, 3);
  EXPECT_TRUE(stock.Continuous);
  EXPECT_TRUE(messages().empty());
}

TEST_F(LabelStockTest, AStockThatCannotFitThePageIsRefusedNamingTheDimension) {
  edit(0, [this](TLabelDef& w) {
    TypeInto(w.labelNameEdit, "Tall");
    TypeInto(w.widthEdit, "200.");
    TypeInto(w.heightEdit, "9999.");
    Click(w.saveButton);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].find("Height with the Top Margin and Bottom Margin is taller than the "
                                 "page"),
              std::string::npos)
        << messages()[0];
    EXPECT_TRUE(w.isVisible());
    Click(w.cancelButton);
  });
  EXPECT_EQ(session.labels()->recCount(), 0u);
}

TEST_F(LabelStockTest, PickerListsStocksByNameWithDeletedMarked) {
  const long zebra = addStock("Zebra", false);
  const long avery = addStock("Avery", true);
  TPickLab picker(nullptr, session, ui);
  QStringList items;
  QString selected;
  long current = zebra;
  ASSERT_TRUE(ModalScript()
                  .on<TPickLab>([&](TPickLab& p) {
                    EXPECT_EQ(p.windowTitle(), "Choose a Label Stock");
                    EXPECT_EQ(p.seekEdit, nullptr);
                    for (int row = 0; row < p.namesList->count(); ++row)
                      items << p.namesList->item(row)->text();
                    const int row = p.selectedIndex();
                    if (row >= 0) selected = p.namesList->item(row)->text().trimmed();
                    SelectListItem(p, "Avery");
                  })
                  .run([&] { picker.pick(false, current); }));
  EXPECT_EQ(items, (QStringList{QString("Avery").leftJustified(40) + "<DELETED>",
                                QString("Zebra").leftJustified(40)}));
  EXPECT_EQ(selected, "Zebra");
  EXPECT_EQ(current, avery);
}

TEST_F(LabelStockTest, MailMergeWritesTheChosenGroupToTheFileChosen) {
  addGroup(1, "Retail");
  addGroup(2, "Agents");
  addCustomer(1, "Adams", 1);
  addCustomer(2, "Baker", 2);
  session.CloseAll();
  reports::ReportChoices choices;
  reports::TMultGroup groups(nullptr, session, ui, choices);
  const std::string chosen = dir.path() + "/merge";
  dialogs.queueText(chosen);
  ASSERT_TRUE(ModalScript()
                  .on<reports::TMultGroup>([](reports::TMultGroup& w) {
                    QListWidget* list = w.groupList;
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                      list->visualItemRect(list->item(0)).center());
                    Click(w.runButton);
                  })
                  .run([&] { RunMailMerge(session, ui, groups, choices, nullptr); }));
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].text, kMailMergeFilter);
  EXPECT_EQ(data::testing::readFile(chosen + ".doc"),
            "Title\tFirstName\tLastName\tCompany\tAddr1\tAddr2\tAddr3\tPostalCode\r\n"
            "\t\tAdams\t\t\t\t\t\r\n");
  EXPECT_EQ(session.customers(), nullptr);
}

}  // namespace
}  // namespace vt::labels
