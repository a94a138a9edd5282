// The operations the benchmark times, and the figures one side reports.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vt::bench {

enum Op : int {
  kAppend,
  kIndexName,
  kIndexAll,
  kSeekExact,
  kSeekPrefix,
  kWalkRecno,
  kWalkField,
  kPack,
  kOpCount
};

constexpr std::array<const char*, kOpCount> kOpNames = {"append",     "index_name",  "index_all",
                                                        "seek_exact", "seek_prefix", "walk_recno",
                                                        "walk_field", "pack"};

// What one side's process sends back: plain numbers, written as raw bytes
// through a pipe.
struct SideFigures {
  std::array<double, kOpCount> seconds{};
  double peakMegabytes = 0;
};

// Runs every operation in order on one side (EngineSide or SqliteSide) in
// `dir` with `n` records; throws std::runtime_error on any failure.
// Peak resident set of this process so far (VmHWM), in megabytes.
double peakMegabytes();

// With VT_BENCH_TRACE set, says on stderr how high memory has been so far
// after each operation, to find the one that sets the peak.
void tracePeak(const char* op);

template <class Side>
SideFigures runSide(const std::string& dir, uint32_t n) {
  Side side(dir, n);
  SideFigures f;
  using Fn = double (Side::*)();
  const std::array<Fn, kOpCount> ops = {&Side::append,    &Side::indexName,  &Side::indexAll,
                                        &Side::seekExact, &Side::seekPrefix, &Side::walkRecno,
                                        &Side::walkField, &Side::pack};
  for (int op = 0; op < kOpCount; ++op) {
    f.seconds[op] = (side.*ops[op])();
    tracePeak(kOpNames[op]);
  }
  return f;
}

}  // namespace vt::bench
