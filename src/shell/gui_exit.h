// How the windowed program ends after a fatal error: every window is closed
// at once, without the main window's closing work (nothing is packed or
// saved), and the process ends with the given code.
#pragma once

#include "base/program_exit.h"

namespace vt::shell {

class GuiExit : public base::ProgramExit {
 public:
  void exit(int code) override;
};

}  // namespace vt::shell
