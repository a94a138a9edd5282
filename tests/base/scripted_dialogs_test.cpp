// The scripted answers tests rely on: given in order, recorded, and loud
// when a dialog comes that nobody expected.
#include <gtest/gtest.h>

#include <stdexcept>

#include "base/dialogs.h"

namespace vt::base {
namespace {

TEST(ScriptedDialogs, AnswersInOrderAndRecordsEveryDialog) {
  ScriptedDialogs dialogs;
  dialogs.queueChoice(true);
  dialogs.queueChoice(false);
  dialogs.queueText("1001");
  dialogs.queueCancel();
  Dialogs& d = dialogs;
  d.information("", "Customer selection required before saving.");
  EXPECT_TRUE(d.warning("Erase", "WARNING: You are about to erase all of your existing data."));
  EXPECT_FALSE(d.question("", "Add another invoice?"));
  EXPECT_EQ(d.inputBox("FIRST INVOICE", "What invoice number would you like to start with?", "1"),
            "1001");
  EXPECT_EQ(d.chooseDirectory("Choose Backup Drive & Directory", "Backup"), std::nullopt);
  EXPECT_EQ(dialogs.pendingAnswers(), 0u);

  ASSERT_EQ(dialogs.shown().size(), 5u);
  EXPECT_EQ(dialogs.shown()[0].kind, DialogKind::Information);
  EXPECT_EQ(dialogs.shown()[0].text, "Customer selection required before saving.");
  EXPECT_EQ(dialogs.shown()[1].kind, DialogKind::Warning);
  EXPECT_EQ(dialogs.shown()[1].caption, "Erase");
  EXPECT_EQ(dialogs.shown()[2].kind, DialogKind::Question);
  EXPECT_EQ(dialogs.shown()[3].kind, DialogKind::Input);
  EXPECT_EQ(dialogs.shown()[3].caption, "FIRST INVOICE");
  EXPECT_EQ(dialogs.shown()[4].kind, DialogKind::Directory);
}

TEST(ScriptedDialogs, UnexpectedQuestionThrows) {
  ScriptedDialogs dialogs;
  EXPECT_THROW(dialogs.question("", "Add another invoice?"), std::logic_error);
  // It was still shown.
  ASSERT_EQ(dialogs.shown().size(), 1u);
}

TEST(ScriptedDialogs, AnswerOfTheWrongSortThrows) {
  ScriptedDialogs dialogs;
  dialogs.queueText("x");
  EXPECT_THROW(dialogs.warning("", "Sure?"), std::logic_error);
  dialogs.queueChoice(true);
  EXPECT_THROW(dialogs.openFile("Open", "Text files (*.txt)"), std::logic_error);
}

}  // namespace
}  // namespace vt::base
