// The hourglass while a window loads, deletes or rewrites data: shown for
// the life of the object.
#pragma once

#include <QApplication>

namespace vt::ui {

class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace vt::ui
