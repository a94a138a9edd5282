// Backup and restore: the data files copied between the working directory
// and another directory, each written beside its target under a temporary
// name and synced, then all swapped in as one unit.
#include <array>
#include <cerrno>

#include "data/datafiles.h"
#include "data/file_change.h"
#include "data/invoice_journal.h"
#include "data/maintenance.h"
#include "data/pending_work.h"
#include "data/progress_box.h"
#include "data/table_defs.h"
#include "data/whole_file.h"
#include "engine/io.h"
#include "engine/status.h"

namespace vt::data {

namespace {

// The progress after each file; the last value is set before the last file.
constexpr std::array<int, 11> kCopyProgress = {20, 30, 35, 45, 55, 70, 75, 85, 95, 100, -1};

enum class CopyFault { None, DiskFull, WriteProtected, Other };

CopyFault faultOf(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return CopyFault::DiskFull;
    case EROFS:
    case EACCES:
    case EPERM:
      return CopyFault::WriteProtected;
    default:
      return CopyFault::Other;
  }
}

// A write that fails without a reason given wrote nothing: taken as a full
// disk, as the engine does.
CopyFault writeFault() {
  return faultOf(errno == 0 ? ENOSPC : errno);
}

CopyFault transfer(engine::File& in, engine::File& out) {
  switch (StreamBytes(in, out)) {
    case StreamResult::Done:
      return CopyFault::None;
    case StreamResult::WriteFailed:
      return writeFault();
    case StreamResult::ReadFailed:
      break;
  }
  return CopyFault::Other;
}

// Writes `source` to `incoming`, synced; on any failure `incoming` is
// removed again.
CopyFault copyOnce(engine::FileSystem& fs, const std::string& source, const std::string& incoming) {
  const std::unique_ptr<engine::File> in = fs.open(source, engine::OpenMode::ReadOnly);
  if (!in) return CopyFault::Other;
  errno = 0;
  std::unique_ptr<engine::File> out = fs.open(incoming, engine::OpenMode::Create);
  if (!out) return faultOf(errno);
  CopyFault fault = transfer(*in, *out);
  errno = 0;
  if (fault == CopyFault::None && !out->sync()) fault = faultOf(errno);
  out.reset();
  if (fault != CopyFault::None) fs.remove(incoming);
  return fault;
}

struct CopyEnds {
  std::string source, target;
};

CopyEnds endsOf(engine::Engine& engine, bool toBackup, const std::string& dir,
                const std::string& fileName) {
  engine::FileSystem& fs = engine.fs();
  const std::string other = CleanDirectoryName(dir);
  const std::string& from = toBackup ? engine.directory() : other;
  const std::string& to = toBackup ? other : engine.directory();
  return {engine::resolvePath(fs, from, fileName), engine::resolvePath(fs, to, fileName)};
}

bool tellIfMissing(engine::Engine& engine, const CopyEnds& ends, base::Dialogs& dialogs) {
  if (engine.fs().exists(ends.source)) return false;
  dialogs.information("", "Unable to find " + ends.source + "\r\nFunction Aborted");
  return true;
}

// The sources of every file, checked before anything is copied.
bool allSourcesThere(engine::Engine& engine, bool toBackup, const std::string& dir,
                     base::Dialogs& dialogs) {
  for (const std::string& file : BackupFiles()) {
    if (tellIfMissing(engine, endsOf(engine, toBackup, dir, file), dialogs)) return false;
  }
  return true;
}

std::vector<std::string> copiedTables() {
  std::vector<std::string> tables;
  for (const std::string& file : BackupFiles()) {
    if (file.ends_with(".dbf")) tables.push_back(file.substr(0, file.size() - 4));
  }
  return tables;
}

// The index files of the copied tables and the invoice journal: a restore
// removes them in the same change, so no index or journal of the old data
// outlives it.
void removeOldData(engine::Engine& engine, FileChange& change) {
  engine::FileSystem& fs = engine.fs();
  for (const std::string& table : copiedTables()) {
    for (const std::string& file : findTableDef(table)->indexFiles()) {
      change.remove(engine::resolvePath(fs, engine.directory(), file));
    }
  }
  change.remove(engine::resolvePath(fs, engine.directory(), kInvoiceJournal));
}

// An invoice save a stop cut short is put back before the tables are
// copied, so that neither copy holds a torn invoice.
bool settleJournal(engine::Engine& engine, base::Dialogs& dialogs) {
  const int status = SettleInvoiceJournal(engine).status;
  if (status == 0) return true;
  dialogs.information("", JournalProblem(engine.directory(), status));
  return false;
}

// A table that could not be held for a reason other than another program:
// damaged, or unreadable. A backup refuses to copy it.
bool tellDamaged(engine::Engine& engine, const DataFilesHold& hold, const std::string& dir,
                 base::Dialogs& dialogs) {
  if (hold.failed().empty()) return false;
  dialogs.information("", findTableDef(hold.failed())->upperDbfName() +
                              " cannot be backed up: " + engine.errorText(hold.failedStatus()) +
                              ".\r\n" + "The backup in " + CleanDirectoryName(dir) +
                              " was left as it was. Check the data files, and restore them "
                              "from a backup if they are damaged.");
  return true;
}

// Whether `dir` may be used: not the working directory, the tables not open
// in another program (then `hold` keeps them for the copy), and no change of
// `dir` left unfinished by another program (a stopped backup is finished).
bool mayCopy(engine::Engine& engine, const std::string& dir, DataFilesHold& hold,
             const char* sameDirMessage, base::Dialogs& dialogs) {
  if (SameDirectory(dir, engine.directory())) {
    dialogs.information("", sameDirMessage);
    return false;
  }
  if (!hold.busy().empty()) {
    TellInUse(dialogs, hold.busy());
    return false;
  }
  // With every table held no save is under way: a journal is one that a
  // save stopped after the journal was settled left.
  if (InvoiceJournalPending(engine.fs(), engine.directory())) {
    dialogs.information("", JournalProblem(engine.directory(), engine::kErrLocked));
    return false;
  }
  const std::string other = CleanDirectoryName(dir);
  std::vector<std::string> lost;
  const int status = FinishFileChange(engine.fs(), other, &lost);
  if (status == 0) return true;
  dialogs.information("", ChangeProblem(other, status, lost));
  return false;
}

// Copies one file of BackupFiles beside its target and enters it in
// `change`. A missing source is told and gives false. A backup that finds the
// disk full or write-protected asks whether to try again.
bool copyDataFile(engine::Engine& engine, bool toBackup, const std::string& dir,
                  const std::string& fileName, base::Dialogs& dialogs, FileChange& change) {
  const CopyEnds ends = endsOf(engine, toBackup, dir, fileName);
  if (tellIfMissing(engine, ends, dialogs)) return false;
  const std::string incoming = FileChange::incomingFor(ends.target);
  for (;;) {
    const CopyFault fault = copyOnce(engine.fs(), ends.source, incoming);
    if (fault == CopyFault::None) {
      change.replace(incoming, ends.target);
      return true;
    }
    if (!toBackup || fault == CopyFault::Other) return false;
    const std::string text = fault == CopyFault::DiskFull
                                 ? "Disk Full. Insert another disk." + fileName
                                 : std::string("Disk is Write Protected");
    if (!dialogs.warning("", text)) return false;
  }
}

// Every file of BackupFiles in order with the progress box "Copying Data
// Files", then all swapped in at once; checks first that every source is
// there. A failure anywhere leaves every target as it was.
bool copyDataFiles(engine::Engine& engine, bool toBackup, const std::string& dir,
                   base::Dialogs& dialogs, base::Progress* progress, FileChange& change) {
  if (!allSourcesThere(engine, toBackup, dir, dialogs)) return false;
  ProgressBox box(progress, "Copying Data Files");
  box.set(10);
  const std::vector<std::string>& files = BackupFiles();
  for (size_t i = 0; i < files.size(); ++i) {
    if (!copyDataFile(engine, toBackup, dir, files[i], dialogs, change)) return false;
    box.set(kCopyProgress[i]);
  }
  for (const std::string& file : OptionalBackupFiles()) {
    const CopyEnds ends = endsOf(engine, toBackup, dir, file);
    const bool keep = !toBackup && file == kSentMailLog && engine.fs().exists(ends.target);
    if (!engine.fs().exists(ends.source) || keep) continue;
    if (!copyDataFile(engine, toBackup, dir, file, dialogs, change)) return false;
  }
  if (!toBackup) removeOldData(engine, change);
  return change.commit() == 0;
}

}  // namespace

bool BackupDataFiles(engine::Engine& engine, const std::string& dir, base::Dialogs& dialogs,
                     base::Progress* progress) {
  if (!settleJournal(engine, dialogs)) return false;
  DataFilesHold hold(engine, copiedTables(), false);
  if (!mayCopy(engine, dir, hold, "Backup must be to a different drive and/or directory",
               dialogs) ||
      tellDamaged(engine, hold, dir, dialogs)) {
    return false;
  }
  FileChange change(engine.fs(), CleanDirectoryName(dir));
  if (copyDataFiles(engine, true, dir, dialogs, progress, change)) return true;
  dialogs.information("", "Backup Failed . . Check that disk is not write protected");
  return false;
}

bool RestoreDataFiles(engine::Engine& engine, const std::string& dir, base::Dialogs& dialogs,
                      base::Progress* progress, base::ProgramExit& exit) {
  if (!settleJournal(engine, dialogs)) return false;
  {
    DataFilesHold hold(engine, copiedTables(), false);
    if (!mayCopy(engine, dir, hold, "Restore must be from a different drive and/or directory",
                 dialogs)) {
      return false;
    }
    // A file missing from the backup is told as such, not as a full disk.
    if (!allSourcesThere(engine, false, dir, dialogs)) return false;
    FileChange change(engine.fs(), engine.directory());
    if (!copyDataFiles(engine, false, dir, dialogs, progress, change)) {
      dialogs.information("", "Restore Failed . . Check that your disk is not full.");
      return false;
    }
  }
  // The restored tables are without indexes until the rebuild, which holds
  // every table until all their indexes are written.
  RebuildIndexes(engine, false, progress, dialogs, exit);
  return true;
}

}  // namespace vt::data
