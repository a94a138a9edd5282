// The progress box for the duration of one piece of work: shown with its
// caption on construction, hidden on destruction; nothing when null.
#pragma once

#include <string>

#include "base/progress.h"

namespace vt::data {

class ProgressBox {
 public:
  ProgressBox(base::Progress* p, const std::string& caption) : progress_(p) {
    if (progress_) progress_->show(true, caption);
  }
  ~ProgressBox() {
    if (progress_) progress_->show(false, "");
  }
  void set(int percent) {
    if (progress_ && percent >= 0) progress_->set(percent);
  }
  ProgressBox(const ProgressBox&) = delete;
  ProgressBox& operator=(const ProgressBox&) = delete;

 private:
  base::Progress* progress_;
};

}  // namespace vt::data
