// engine_bench: times the dBASE engine against SQLite on the same generated
// customer table. Each side runs in its own child process, so that each has
// its own peak memory; the rows are regenerated from a fixed seed in each.
//
//   engine_bench [N] [--dir D] [--side engine|sqlite|both]
//
// N is the record count (default 100000). Files go to a fresh temporary
// directory that is removed at the end, or to D (kept) with --dir.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

#include "bench_ops.h"
#include "engine_side.h"
#include "sqlite_side.h"

namespace fs = std::filesystem;
using namespace vt::bench;

namespace {

struct Options {
  uint32_t n = 100000;
  std::string dir;  // empty: a temporary directory
  bool engine = true;
  bool sqlite = true;
};

Options parseOptions(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--dir" && i + 1 < argc) {
      o.dir = argv[++i];
    } else if (arg == "--side" && i + 1 < argc) {
      std::string side = argv[++i];
      if (side != "engine" && side != "sqlite" && side != "both") {
        throw std::invalid_argument("--side takes engine, sqlite or both");
      }
      o.engine = side != "sqlite";
      o.sqlite = side != "engine";
    } else if (!arg.empty() && arg.find_first_not_of("0123456789") == std::string::npos) {
      unsigned long n = std::stoul(arg);
      if (n < 10 || n > 10000000) throw std::invalid_argument("N must be 10 to 10000000");
      o.n = static_cast<uint32_t>(n);
    } else {
      throw std::invalid_argument("unknown argument " + arg);
    }
  }
  return o;
}

}  // namespace

namespace {

// A line of /proc/self/status in megabytes ("VmHWM", "VmRSS").
double statusMegabytes(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(key) + ":";
  while (std::getline(status, line)) {
    if (line.rfind(prefix, 0) == 0) return std::stod(line.substr(prefix.size())) / 1024.0;
  }
  throw std::runtime_error(std::string("no ") + key + " in /proc/self/status");
}

}  // namespace

double vt::bench::peakMegabytes() {
  return statusMegabytes("VmHWM");
}

void vt::bench::tracePeak(const char* op) {
  if (std::getenv("VT_BENCH_TRACE")) {
    std::fprintf(stderr, "  after %s: peak %.1f MB, now %.1f MB\n", op, peakMegabytes(),
                 statusMegabytes("VmRSS"));
  }
}

namespace {

bool writeAll(int fd, const void* data, size_t n) {
  auto p = static_cast<const char*>(data);
  while (n > 0) {
    ssize_t done = write(fd, p, n);
    if (done <= 0) return false;
    p += done;
    n -= static_cast<size_t>(done);
  }
  return true;
}

bool readAll(int fd, void* data, size_t n) {
  auto p = static_cast<char*>(data);
  while (n > 0) {
    ssize_t done = read(fd, p, n);
    if (done <= 0) return false;
    p += done;
    n -= static_cast<size_t>(done);
  }
  return true;
}

// Runs one side in a child process working in `dir`; nothing when it failed
// (the child has said why on stderr).
template <class Side>
std::optional<SideFigures> runInChild(const std::string& dir, uint32_t n) {
  // Writes the previous side's files out first, so that their write-back does
  // not run during this side's timings.
  sync();
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
  std::fflush(stdout);
  pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    close(fds[0]);
    int rc = 0;
    try {
      SideFigures figures = runSide<Side>(dir, n);
      figures.peakMegabytes = peakMegabytes();
      if (!writeAll(fds[1], &figures, sizeof figures)) rc = 1;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "engine_bench: %s\n", e.what());
      rc = 1;
    }
    _exit(rc);
  }
  close(fds[1]);
  SideFigures figures;
  bool complete = readAll(fds[0], &figures, sizeof figures);
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!complete || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return figures;
}

std::string formatNumber(double value, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// One result line; a side that did not run shows "-".
void printLine(const char* op, const std::optional<SideFigures>& engine,
               const std::optional<SideFigures>& sqlite, double engineValue, double sqliteValue,
               int decimals) {
  std::string ratio = engine && sqlite && sqliteValue > 0
                          ? formatNumber(engineValue / sqliteValue, 2)
                          : std::string("-");
  std::printf("%s engine=%s sqlite=%s ratio=%s\n", op,
              engine ? formatNumber(engineValue, decimals).c_str() : "-",
              sqlite ? formatNumber(sqliteValue, decimals).c_str() : "-", ratio.c_str());
}

void printHeader(uint32_t n) {
  double seekTarget = 0.05 * n / 100000.0;
  std::printf(
      "# engine_bench N=%u; targets for 1,000,000 records: append<=0.5 index_name<=0.25 "
      "index_all<=1.0 seek_exact<=0.05 and seek_prefix<=0.05 per 100,000 seeks (this run's %u "
      "seeks: <=%.4f) walk_recno<=0.04 walk_field<=0.2 pack<=1.2 peak_memory<=64 MB\n",
      n, n, seekTarget);
}

// The directory for one side's files: made fresh, and refused when it holds
// files already (a kept --dir from an earlier run).
std::string sideDir(const fs::path& base, const char* side) {
  fs::path dir = base / side;
  fs::create_directories(dir);
  if (!fs::is_empty(dir)) throw std::runtime_error(dir.string() + " is not empty");
  return dir.string();
}

int run(const Options& o, const fs::path& base) {
  std::string engineDir = o.engine ? sideDir(base, "engine") : std::string();
  std::string sqliteDir = o.sqlite ? sideDir(base, "sqlite") : std::string();
  printHeader(o.n);
  std::optional<SideFigures> engine, sqlite;
  if (o.engine) engine = runInChild<EngineSide>(engineDir, o.n);
  if (o.sqlite) sqlite = runInChild<SqliteSide>(sqliteDir, o.n);
  SideFigures none;
  const SideFigures& e = engine ? *engine : none;
  const SideFigures& s = sqlite ? *sqlite : none;
  for (int op = 0; op < kOpCount; ++op) {
    printLine(kOpNames[op], engine, sqlite, e.seconds[op], s.seconds[op], 4);
  }
  printLine("peak_memory", engine, sqlite, e.peakMegabytes, s.peakMegabytes, 1);
  bool failed = (o.engine && !engine) || (o.sqlite && !sqlite);
  return failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  try {
    options = parseOptions(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(
        stderr, "engine_bench: %s\nusage: engine_bench [N] [--dir D] [--side engine|sqlite|both]\n",
        e.what());
    return 2;
  }
  fs::path base;
  if (options.dir.empty()) {
    std::string pattern = (fs::temp_directory_path() / "engine_bench.XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
      std::perror("engine_bench: mkdtemp");
      return 1;
    }
    base = pattern;
  } else {
    base = options.dir;
  }
  int rc = 1;
  try {
    rc = run(options, base);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "engine_bench: %s\n", e.what());
  }
  if (options.dir.empty()) {
    std::error_code ignored;
    fs::remove_all(base, ignored);
  }
  return rc;
}
