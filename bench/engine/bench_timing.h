// Timing helpers: a stopwatch that adds up several timed stretches, and a
// loop that prepares work in batches outside the timed stretches.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace vt::bench {

class Stopwatch {
 public:
  void start() { started_ = Clock::now(); }
  void stop() { total_ += std::chrono::duration<double>(Clock::now() - started_).count(); }
  double seconds() const { return total_; }

 private:
  using Clock = std::chrono::steady_clock;
  Clock::time_point started_;
  double total_ = 0;
};

template <class Fn>
double timed(Fn&& fn) {
  Stopwatch watch;
  watch.start();
  fn();
  watch.stop();
  return watch.seconds();
}

// Items per batch: small enough that the prepared input stays in the CPU
// cache (and out of the peak memory), large enough that the clock readings
// cost nothing.
constexpr uint32_t kBatchSize = 256;

// Calls fn(first, count) for consecutive batches covering [first, first + n).
template <class Fn>
void forBatches(uint64_t first, uint64_t n, Fn&& fn) {
  for (uint64_t done = 0; done < n; done += kBatchSize) {
    fn(first + done, static_cast<uint32_t>(std::min<uint64_t>(kBatchSize, n - done)));
  }
}

}  // namespace vt::bench
