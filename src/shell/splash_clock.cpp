#include "shell/splash_clock.h"

#include <QTimer>
#include <chrono>

namespace vt::shell {

void RealSplashClock::after(qint64 ms, QObject* context, std::function<void()> done) {
  QTimer::singleShot(std::chrono::milliseconds(ms < 0 ? 0 : ms), context, std::move(done));
}

}  // namespace vt::shell
