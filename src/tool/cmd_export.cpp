// vantrell-tool export DIR TABLE [--tag TAG] --out FILE.csv
#include <cstdio>
#include <fstream>
#include <iostream>

#include "data/export.h"
#include "engine/engine.h"
#include "tool/commands.h"
#include "tool/console.h"
#include "tool/options.h"

namespace vt::tool {
namespace {

struct ExportArgs {
  std::string dir, table, tag, out;
};

// Empty string when the arguments are good, else what is wrong.
std::string parse(const Args& args, ExportArgs* out) {
  std::vector<std::string> positional;
  std::string error;
  for (size_t i = 0; i < args.size() && error.empty(); ++i) {
    if (takeOption(args, &i, "--tag", &out->tag, &error)) continue;
    if (takeOption(args, &i, "--out", &out->out, &error)) continue;
    if (args[i].rfind("--", 0) == 0) return "unknown option " + args[i];
    positional.push_back(args[i]);
  }
  if (!error.empty()) return error;
  if (positional.size() != 2) return "export takes a directory and a table";
  if (out->out.empty()) return "export needs --out FILE.csv";
  out->dir = positional[0];
  out->table = positional[1];
  return "";
}

int exportTo(engine::Engine& engine, const ExportArgs& a, std::ostream& stream) {
  const data::ExportOutcome outcome = data::ExportCsv(engine, a.table, a.tag, stream);
  stream.flush();
  if (!outcome.ok || !stream) {
    std::cerr << (outcome.ok ? "Writing " + a.out + " failed" : outcome.message) << std::endl;
    return kExitFailure;
  }
  std::cerr << "Exported " << outcome.records << " records of " << a.table << std::endl;
  return kExitOk;
}

}  // namespace

int runExport(const Args& args) {
  ExportArgs a;
  if (const std::string problem = parse(args, &a); !problem.empty()) return usageError(problem);
  if (!requireDirectory(a.dir) || !settleDataDir(a.dir, false)) return kExitFailure;
  if (!engine::realFileSystem().exists(
          engine::resolvePath(engine::realFileSystem(), a.dir, a.table + ".dbf"))) {
    std::cerr << a.dir << ": no table " << a.table << " (" << a.table << ".dbf)" << std::endl;
    return kExitFailure;
  }
  engine::Engine engine(a.dir);
  if (a.out == "-") return exportTo(engine, a, std::cout);
  std::ofstream file(a.out, std::ios::binary | std::ios::trunc);
  if (!file) {
    std::cerr << a.out << ": cannot be written" << std::endl;
    return kExitFailure;
  }
  const int code = exportTo(engine, a, file);
  file.close();
  if (code != kExitOk) std::remove(a.out.c_str());
  return code;
}

}  // namespace vt::tool
