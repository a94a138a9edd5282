#include "ui/window_size.h"

#include <QEvent>
#include <QSize>
#include <QWidget>

namespace vt::ui {

namespace {

class DesignSize : public QObject {
 public:
  explicit DesignSize(QWidget& window) : QObject(&window), window_(window) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Show && !event->spontaneous()) hold();
    return false;
  }

 private:
  // The show event comes after the window has taken its opening size.
  void hold() {
    if (!design_.isValid()) design_ = window_.size();
    const QSize minimum = design_.expandedTo(window_.minimumSizeHint());
    window_.setMinimumSize(minimum);
    window_.resize(window_.size().expandedTo(minimum));
  }

  QWidget& window_;
  QSize design_;
};

}  // namespace

void HoldDesignSize(QWidget& window) {
  window.installEventFilter(new DesignSize(window));
}

}  // namespace vt::ui
