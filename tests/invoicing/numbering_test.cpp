// Numbering: the first invoice asks for its number, asking again while the
// answer would leave no number for the next invoice in the six-digit field;
// every later one takes the next.
#include <gtest/gtest.h>

#include "invoice_test_support.h"

namespace vt::invoicing {
namespace {

constexpr const char* kPrompt = "What invoice number would you like to start with?";
constexpr const char* kRefused =
    "The first invoice number must be a whole number from 1 to 999998.";

class NumberingTest : public testing::InvoiceModelTest {
 protected:
  bool saveNewInvoice() {
    model->ClearInvoice();
    session->Invoice.CuNo = 7;
    setLines({{"A", 1, 1}});
    return model->SaveInvoice();
  }
};

TEST_F(NumberingTest, FirstInvoiceAsksUntilTheNumberFitsThenNumbersFollow) {
  const std::vector<std::string> refused = {"0", "-5", "999999", "1000000", "abc", "12x", " "};
  std::vector<std::string> expected;
  for (const std::string& answer : refused) {
    dialogs.queueText(answer);
    expected.insert(expected.end(), {std::string("FIRST INVOICE ") + kPrompt, kRefused});
  }
  expected.push_back(std::string("FIRST INVOICE ") + kPrompt);
  dialogs.queueText(" 1001 ");
  ASSERT_TRUE(saveNewInvoice());
  std::vector<std::string> shown;
  for (const auto& box : dialogs.shown()) {
    shown.push_back(box.kind == base::DialogKind::Input ? box.caption + " " + box.text : box.text);
  }
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(model->NextInvoiceNumber(), 1002);
  ASSERT_TRUE(saveNewInvoice());  // asks nothing: no answer is queued
  EXPECT_EQ(testing::invoiceRecords(*session), (std::vector<std::string>{"1001 7", "1002 7"}));
}

TEST_F(NumberingTest, CancelledQuestionGivesOne) {
  dialogs.queueCancel();
  ASSERT_TRUE(saveNewInvoice());
  EXPECT_EQ(testing::invoiceRecords(*session), (std::vector<std::string>{"1 7"}));
}

}  // namespace
}  // namespace vt::invoicing
