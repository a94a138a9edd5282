// The label printing window remembers the stock last printed on across runs
// of the program.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>

#include "customer_test_support.h"
#include "labels/tlabprint.h"

namespace vt::labels {
namespace {

using catalog::custtest::Click;
using catalog::custtest::ModalScript;

class LabelPrintWindowTest : public catalog::custtest::CustomerWindowTest {
 protected:
  void addStock(const std::string& name) {
    session.Label = {};
    session.Label.Name = name;
    session.Label.NAcross = 1;
    ASSERT_EQ(session.labels()->appendBlank(), 0);
    ASSERT_EQ(session.StoreLabel(), 0);
  }
};

TEST_F(LabelPrintWindowTest, TheStockLastPrintedOnComesSelectedAfterARestart) {
  ASSERT_TRUE(session.OpenLabels());
  for (const char* name : {"Address 1x3", "Shipping 2x2", "Video spine"}) addStock(name);
  session.settings.LabID = "Shipping 2x2";
  ASSERT_TRUE(session.OpenSettings());
  ASSERT_EQ(session.WriteSettings(), 0);
  // The next run reads the settings record as stored.
  ASSERT_GE(session.ReadSettings(), 0);
  session.CloseSettings();

  TLabPrint window(nullptr, session, ui);
  QString shown;
  EXPECT_TRUE(ModalScript()
                  .on<TLabPrint>([&](TLabPrint& w) {
                    shown = w.labelStockCombo->currentText();
                    Click(w.cancelButton);
                  })
                  .run([&] { window.Run(); }));
  EXPECT_EQ(shown, "Shipping 2x2");
}

}  // namespace
}  // namespace vt::labels
