#include "data/pending_work.h"

#include "data/file_change.h"
#include "data/invoice_journal.h"
#include "data/table_defs.h"
#include "engine/file_set.h"
#include "engine/status.h"

namespace vt::data {

namespace {

std::string upperName(const std::string& table) {
  const TableDef* def = findTableDef(table);
  return def ? def->upperDbfName() : table;
}

std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

}  // namespace

std::string ChangeProblem(const std::string& dir, int status,
                          const std::vector<std::string>& lost) {
  const std::string record = dir + "/" + engine::kFileSetRecord;
  switch (status) {
    case 0:
      return "";
    case engine::kErrLocked:
      return "The data files in " + dir +
             " are being changed by another program (a backup, restore or import). Try again "
             "when it is done; nothing was changed.";
    case engine::kErrFormat:
      return record +
             ", the record of an unfinished change of the data files, cannot be read. Nothing "
             "was changed. Restore the data files from a backup, or, when no file in " +
             dir + " ends in .copying or .old, remove " + record + ".";
    case engine::kErrUnfinished:
      return "The unfinished change of the data files recorded in " + record +
             " cannot be finished: " + joined(lost) +
             " not found. Nothing was changed. Restore the data files from a backup.";
    default:
      return "The unfinished change of the data files recorded in " + record +
             " could not be finished (" + engine::statusText(status) +
             "). Nothing else was changed; try again.";
  }
}

std::string JournalProblem(const std::string& dir, int status) {
  if (status == 0) return "";
  return "An invoice was being saved when a program stopped, and its records cannot be put back "
         "now (" +
         std::string(engine::statusText(status)) + "; " + dir + "/" + kInvoiceJournal +
         "). Close any other program using the data files and try again; nothing was changed.";
}

std::vector<std::string> Settled::problems() const {
  std::vector<std::string> all;
  for (const std::string& text : {change, journal, RebuildProblem(indexes)}) {
    if (!text.empty()) all.push_back(text);
  }
  return all;
}

std::string InUseText(const std::string& table, const char* lineBreak) {
  return upperName(table) + " is open in another program." + lineBreak +
         "Close the other program and try again; nothing was changed.";
}

std::string RebuildProblem(const RebuildOutcome& outcome) {
  if (outcome.ok()) return "";
  if (outcome.status == engine::kErrLocked) return InUseText(outcome.table);
  const std::string what = outcome.openFailed
                               ? "Unable to open file " + upperName(outcome.table)
                               : "Unable to rebuild the index files of " + outcome.table;
  return what + ": " + engine::statusText(outcome.status);
}

Settled SettlePendingWork(engine::FileSystem& fs, const std::string& dir, MissingIndexes indexes) {
  Settled settled;
  std::vector<std::string> lost;
  settled.change = ChangeProblem(dir, FinishFileChange(fs, dir, &lost), lost);
  if (!settled.change.empty()) return settled;
  settled.missing = MissingDataFiles(fs, dir);
  if (!settled.missing.empty()) return settled;
  engine::Engine engine(dir, &fs);
  const JournalSettled journal = SettleInvoiceJournal(engine);
  settled.journal = JournalProblem(dir, journal.status);
  if (journal.discarded) {
    settled.note =
        "An unfinished invoice save recorded for other data files was removed unused; "
        "the invoices are as they were stored.";
  }
  if (indexes == MissingIndexes::Rebuild) {
    settled.indexes = RebuildIndexFiles(engine, true, nullptr);
  }
  return settled;
}

}  // namespace vt::data
