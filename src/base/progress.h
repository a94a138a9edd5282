// The progress box every long operation reports to: shown with a caption,
// then set to a percentage as the work goes on, then hidden.
#pragma once

#include <string>

namespace vt::base {

class Progress {
 public:
  virtual ~Progress() = default;
  // Shows (with `caption`) or hides the box; showing starts the bar at 0.
  virtual void show(bool visible, const std::string& caption) = 0;
  // Moves the bar to `percent` (0 to 100).
  virtual void set(int percent) = 0;
};

}  // namespace vt::base
