// The clock the start-up measures the splash time with, and the wait until
// the splash may go. The program uses the real one; tests put in a clock
// they move by hand, so they neither wait nor depend on the machine's speed.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <functional>

namespace vt::shell {

class SplashClock {
 public:
  virtual ~SplashClock() = default;
  // Notes the current time; elapsedMs() counts from here.
  virtual void start() = 0;
  virtual qint64 elapsedMs() const = 0;
  // Runs `done` once `ms` milliseconds have passed, from the event loop and
  // without holding it up. Nothing runs if `context` is gone by then.
  virtual void after(qint64 ms, QObject* context, std::function<void()> done) = 0;
};

class RealSplashClock : public SplashClock {
 public:
  void start() override { timer_.start(); }
  qint64 elapsedMs() const override { return timer_.isValid() ? timer_.elapsed() : 0; }
  void after(qint64 ms, QObject* context, std::function<void()> done) override;

 private:
  QElapsedTimer timer_;
};

}  // namespace vt::shell
