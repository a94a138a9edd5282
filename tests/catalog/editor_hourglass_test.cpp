// The customer and group editors show the hourglass while they load their
// record, as every other window does: a message given while the loading
// runs finds it up, and it is gone afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <functional>
#include <utility>
#include <vector>

#include "catalog/tcustomer.h"
#include "catalog/tgroupdef.h"
#include "customer_test_support.h"

namespace vt::catalog {
namespace {

// Notes the cursor each message finds.
class CursorNotingDialogs : public base::ScriptedDialogs {
 public:
  void information(const std::string& caption, const std::string& text) override {
    const QCursor* cursor = QApplication::overrideCursor();
    shapes.push_back(cursor ? cursor->shape() : Qt::ArrowCursor);
    ScriptedDialogs::information(caption, text);
  }
  std::vector<Qt::CursorShape> shapes;
};

class EditorHourglass : public custtest::CustomerWindowTest {
 protected:
  CursorNotingDialogs noting;
  ui::UiContext notingUi{noting, printers, help};
};

TEST_F(EditorHourglass, LoadingARecordShowsTheHourglass) {
  TCustomer customer{nullptr, session, notingUi};
  TGroupDef group{nullptr, session, notingUi};
  // Record 99 is not on file: its loading fails and tells the user.
  const std::vector<std::pair<const char*, std::function<void(long&)>>> editors = {
      {"customer", [&](long& current) { customer.edit(current); }},
      {"group", [&](long& current) { group.edit(current); }},
  };
  for (const auto& [editor, edit] : editors) {
    SCOPED_TRACE(editor);
    noting.shapes.clear();
    long current = 99;
    edit(current);
    ASSERT_EQ(noting.shapes.size(), 1u);
    EXPECT_EQ(noting.shapes[0], Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  }
}

}  // namespace
}  // namespace vt::catalog
