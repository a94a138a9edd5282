// Keys every picker and editor shares: Enter on a focused button presses
// that button and no other; Escape and the frame's close button are Cancel,
// so closing a list never opens an editor, and on an editor with changes
// they ask first.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "catalog/tcustomer.h"
#include "catalog/tgroupdef.h"
#include "catalog/tpickcust.h"
#include "catalog/tpickgroup.h"
#include "catalog/tpickprod.h"
#include "catalog/tpickpur.h"
#include "catalog/tproddef.h"
#include "catalog/tpurdef.h"
#include "customer_test_support.h"
#include "pick_fixture.h"

namespace vt::catalog::picktest {
namespace {

using custtest::ModalScript;
using data::RecordKind;

enum class Kind { PickCust, PickGroup, PickProd, PickPur, Customer, GroupDef, ProdDef, PurDef };

std::unique_ptr<QDialog> Make(Kind kind, data::DataSession& session, ui::UiContext& ui) {
  switch (kind) {
    case Kind::PickCust:
      return std::make_unique<TPickCust>(nullptr, session, ui);
    case Kind::PickGroup:
      return std::make_unique<TPickGroup>(nullptr, session, ui);
    case Kind::PickProd:
      return std::make_unique<TPickProd>(nullptr, session, ui);
    case Kind::PickPur:
      return std::make_unique<TPickPur>(nullptr, session, ui);
    case Kind::Customer:
      return std::make_unique<TCustomer>(nullptr, session, ui);
    case Kind::GroupDef:
      return std::make_unique<TGroupDef>(nullptr, session, ui);
    case Kind::ProdDef:
      return std::make_unique<TProdDef>(nullptr, session, ui);
    case Kind::PurDef:
      break;
  }
  return std::make_unique<TPurDef>(nullptr, session, ui);
}

// Shows a picker or an editor modally on record 1.
void Open(QDialog& window) {
  long current = 1;
  if (auto* picker = dynamic_cast<data::RecordPicker*>(&window)) picker->pick(true, current);
  if (auto* editor = dynamic_cast<data::RecordEditor*>(&window)) editor->edit(current);
}

// The window's own button of that name (not one of a window it owns).
QPushButton* ButtonOf(QDialog& window, const QString& name) {
  for (QPushButton* button : window.findChildren<QPushButton*>(name)) {
    if (button->window() == &window) return button;
  }
  return nullptr;
}

// Few records, so that each picker shows its whole table at once.
class WindowKeys : public PickerTest {
 protected:
  WindowKeys() {
    writeGroups({{1, "Retail"}});
    writeCustomers(numberedCustomers(5));
    writeProducts({{"BOLT", "Bolt", 1.5}, {"NUT", "Nut", 0.5}});
    writePurchases({{"BOLT", "20250301", 10, 12.5}, {"NUT", "20250302", 4, 2}});
  }
};

TEST_F(WindowKeys, EnterOnAFocusedButtonPressesThatButton) {
  struct Case {
    Kind window;
    const char* button;
    bool opensAWindow;
  };
  const Case cases[] = {
      {Kind::PickCust, "newButton", false},    {Kind::PickCust, "cancelButton", false},
      {Kind::PickProd, "newButton", false},    {Kind::PickPur, "cancelButton", false},
      {Kind::PickGroup, "newButton", false},   {Kind::PickGroup, "cancelButton", false},
      {Kind::Customer, "groupButton", true},   {Kind::Customer, "cancelButton", false},
      {Kind::GroupDef, "cancelButton", false}, {Kind::ProdDef, "cancelButton", false},
      {Kind::PurDef, "cancelButton", false},
  };
  data::DataSession& session = openSession();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button + std::string(" of window ") + std::to_string(int(c.window)));
    std::unique_ptr<QDialog> window = Make(c.window, session, ui);
    QStringList pressed;
    ModalScript script;
    script.on<QDialog>([&](QDialog& w) {
      for (QPushButton* b : w.findChildren<QPushButton*>()) {
        QObject::connect(b, &QPushButton::clicked, [&pressed, b] { pressed << b->objectName(); });
      }
      QPushButton* button = ButtonOf(w, c.button);
      ASSERT_NE(button, nullptr);
      button->setFocus();
      QTest::keyClick(button, Qt::Key_Return);
      if (w.isVisible()) w.reject();
    });
    if (c.opensAWindow) script.on<QDialog>([](QDialog& w) { w.reject(); });
    script.run([&] { Open(*window); });
    EXPECT_EQ(pressed, QStringList{c.button});
  }
}

TEST_F(WindowKeys, EscapeAndTheFramesCloseAreCancelAndOpenNoEditor) {
  const std::pair<Kind, RecordKind> cases[] = {
      {Kind::PickCust, RecordKind::Customer},
      {Kind::PickGroup, RecordKind::Group},
      {Kind::PickProd, RecordKind::Product},
      {Kind::PickPur, RecordKind::Purchase},
  };
  struct NoEditor : data::RecordEditor {
    void edit(long&) override { ADD_FAILURE() << "an editor was opened"; }
  } editor;
  data::DataSession& session = openSession();
  for (const auto& [kind, records] : cases) {
    for (bool byEscape : {true, false}) {
      SCOPED_TRACE(std::to_string(int(kind)) + (byEscape ? " by Escape" : " by its frame"));
      std::unique_ptr<QDialog> window = Make(kind, session, ui);
      auto* picker = dynamic_cast<data::RecordPicker*>(window.get());
      ASSERT_NE(picker, nullptr);
      session.Current(records) = 1;
      ModalScript script;
      script.on<QDialog>([byEscape](QDialog& w) {
        if (!byEscape) return void(w.close());
        QTest::keyClick(w.focusWidget() ? w.focusWidget() : &w, Qt::Key_Escape);
      });
      data::PickOutcome outcome;
      script.run([&] { outcome = session.Pick(records, true, *picker, editor); });
      EXPECT_FALSE(outcome.chosen);
      EXPECT_EQ(session.Current(records), -1);
    }
  }
}

TEST_F(WindowKeys, EscapeOrTheFrameOnAnEditorWithChangesAsksFirst) {
  const std::pair<Kind, std::string> cases[] = {
      {Kind::Customer, "Discard the changes to this customer?"},
      {Kind::ProdDef, "Discard the changes to this product?"},
      {Kind::PurDef, "Discard the changes to this purchase?"},
  };
  data::DataSession& session = openSession();
  for (const auto& [kind, question] : cases) {
    SCOPED_TRACE(question);
    std::unique_ptr<QDialog> window = Make(kind, session, ui);
    dialogs.clear();
    dialogs.queueChoice(false);  // keep working
    dialogs.queueChoice(true);   // then throw the change away
    ModalScript script;
    script.on<QDialog>([](QDialog& w) {
      QLineEdit* typedInto = nullptr;
      for (QLineEdit* field : w.findChildren<QLineEdit*>()) {
        if (!typedInto && field->window() == &w && !field->isReadOnly()) typedInto = field;
      }
      ASSERT_NE(typedInto, nullptr);
      custtest::TypeInto(typedInto, "7");
      QTest::keyClick(typedInto, Qt::Key_Escape);
      EXPECT_TRUE(w.isVisible());
      w.close();
      EXPECT_FALSE(w.isVisible());
    });
    EXPECT_TRUE(script.run([&] { Open(*window); }));
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[0].text, question);
    EXPECT_EQ(dialogs.shown()[1].text, question);
  }
}

}  // namespace
}  // namespace vt::catalog::picktest
