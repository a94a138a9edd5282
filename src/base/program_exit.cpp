#include "base/program_exit.h"

#include <cstdio>
#include <cstdlib>

namespace vt::base {

void ProgramExit::exit(int code) {
  std::fflush(nullptr);
  std::exit(code);
}

void ThrowingExit::exit(int code) {
  ++calls_;
  lastCode_ = code;
  throw ProgramExited{code};
}

}  // namespace vt::base
