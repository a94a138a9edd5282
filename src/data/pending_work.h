// What a stop can leave pending in a data directory: a change of several
// files (files.commit), an invoice save or deletion cut short (its journal),
// index files missing. Every command settles it the same way, through
// SettlePendingWork, before it reads: the program's start and each
// vantrell-tool command.
#pragma once

#include <string>
#include <vector>

#include "data/datafiles.h"
#include "engine/io.h"

namespace vt::data {

// How pending work was settled; each problem says what could not be done
// and what the user can do.
struct Settled {
  std::string change;                // the change of several files could not be finished
  std::vector<std::string> missing;  // data files not there (the journal and indexes then wait)
  std::string journal;               // the invoice journal could not be settled
  RebuildOutcome indexes;            // the rebuild of missing index files
  std::string note;                  // done, but worth telling (a journal of other tables removed)
  // The problems in the order they arose; the missing data files not among them.
  std::vector<std::string> problems() const;
  bool ok() const { return missing.empty() && problems().empty(); }
};

enum class MissingIndexes { Rebuild, Leave };

// Finishes a pending change of `dir`, then, when every data file is there,
// puts back a pending invoice journal and rebuilds the missing index files
// (unless `indexes` is Leave: `check` reports them instead).
Settled SettlePendingWork(engine::FileSystem& fs, const std::string& dir,
                          MissingIndexes indexes = MissingIndexes::Rebuild);

// What a change of several files of `dir` that could not be finished
// (`status` of FinishFileChange, `lost` its missing files) says.
std::string ChangeProblem(const std::string& dir, int status, const std::vector<std::string>& lost);

// What a pending invoice journal that could not be settled (`status`) says.
std::string JournalProblem(const std::string& dir, int status);

// What a failed index rebuild says: the table in use by another program, or
// the table and what went wrong.
std::string RebuildProblem(const RebuildOutcome& outcome);

// "CUST5.DBF is open in another program.", `lineBreak`, "Close the other
// program and try again; nothing was changed."
std::string InUseText(const std::string& table, const char* lineBreak = "\r\n");

}  // namespace vt::data
