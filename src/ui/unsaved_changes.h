// Whether the user changed anything in an editing window since it showed its
// record: what its own fields hold (and, for a window that keeps more than
// its fields show, a summary of that) compared with the state last marked
// unchanged. A stray Escape or click on the close box then asks before
// throwing typed work away.
#pragma once

#include <QStringList>
#include <functional>
#include <string>

#include "base/dialogs.h"

class QWidget;

namespace vt::ui {

class UnsavedChanges {
 public:
  // `window` is the editing window; `more`, when given, summarises what the
  // window holds outside its fields (an invoice's items and payments).
  explicit UnsavedChanges(QWidget& window, std::function<QString()> more = {});

  // The window now shows its record as stored (or a new, empty one).
  void markUnchanged();
  bool changed() const;
  // True when the window may close without saving: nothing changed, or the
  // user answered Yes to `question`, asked with No as the default answer.
  bool mayDiscard(vt::base::Dialogs& dialogs, const std::string& question) const;

 private:
  QStringList state() const;

  QWidget& window_;
  std::function<QString()> more_;
  QStringList unchanged_;
};

}  // namespace vt::ui
