// The windowed program's fatal end: the process ends with the code given,
// without the main window's closing work.
#include "shell/gui_exit.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace vt::shell::testing {
namespace {

// Would pack and release the engine if it were closed.
class WindowThatMustNotClose : public QWidget {
 protected:
  void closeEvent(QCloseEvent*) override {
    std::fputs("closing work ran\n", stderr);
    std::_Exit(3);
  }
};

TEST(GuiExitDeathTest, EndsTheProcessWithTheCodeWithoutClosingWork) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        WindowThatMustNotClose window;
        window.show();
        GuiExit exit;
        exit.exit(1);
      },
      ::testing::ExitedWithCode(1), "");
}

}  // namespace
}  // namespace vt::shell::testing
