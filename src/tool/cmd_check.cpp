// vantrell-tool check DIR: tables, indexes and memos checked; each problem
// printed, or a summary when there is none.
#include <iostream>

#include "data/check.h"
#include "tool/commands.h"
#include "tool/console.h"

namespace vt::tool {

int runCheck(const Args& args) {
  if (args.size() != 1) return usageError("check takes one directory");
  const std::string& dir = args[0];
  if (!requireDirectory(dir)) return kExitFailure;
  // Pending work is settled first; what cannot be settled is told, and the
  // check below reports it as a problem too. A missing index is reported,
  // not rebuilt.
  settleDataDir(dir, false, data::MissingIndexes::Leave);
  const data::CheckReport report = data::CheckDataDir(dir);
  for (const data::Problem& problem : report.problems) std::cout << problem.text() << '\n';
  if (!report.ok()) {
    std::cout << report.problems.size() << " problem(s) found in " << dir << std::endl;
    return kExitFailure;
  }
  std::cout << "OK: " << report.tables << " tables, " << report.records << " records, "
            << report.indexes << " indexes with " << report.entries << " entries, " << report.memos
            << " memos" << std::endl;
  return kExitOk;
}

}  // namespace vt::tool
