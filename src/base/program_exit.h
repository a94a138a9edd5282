// The one way the program ends itself after a fatal error (a table that
// cannot be opened, an engine failure while rebuilding indexes). Tests put a
// ThrowingExit in its place to see that the program would have ended.
#pragma once

namespace vt::base {

class ProgramExit {
 public:
  virtual ~ProgramExit() = default;
  // Ends the process with `code` (std::exit). A replacement must not return
  // normally either: it throws.
  virtual void exit(int code);
};

// Thrown by ThrowingExit in place of ending the process.
struct ProgramExited {
  int code;
};

// Records the exit code and throws ProgramExited.
class ThrowingExit : public ProgramExit {
 public:
  void exit(int code) override;
  bool called() const { return calls_ > 0; }
  int calls() const { return calls_; }
  int lastCode() const { return lastCode_; }

 private:
  int calls_ = 0;
  int lastCode_ = 0;
};

}  // namespace vt::base
