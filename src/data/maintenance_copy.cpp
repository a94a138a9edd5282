// Backup and restore: the data files copied one by one between the working
// directory and another directory, each written beside its target under a
// temporary name, synced and renamed into place.
#include <array>
#include <cerrno>

#include "data/datafiles.h"
#include "data/maintenance.h"
#include "data/progress_box.h"
#include "data/whole_file.h"
#include "engine/io.h"

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

std::string directoryOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

// Writes `source` to `target` through a temporary file beside it; on any
// failure the temporary file is removed and `target` is as it was.
CopyFault copyOnce(engine::FileSystem& fs, const std::string& source, const std::string& target) {
  const std::unique_ptr<engine::File> in = fs.open(source, engine::OpenMode::ReadOnly);
  if (!in) return CopyFault::Other;
  const std::string temp = target + ".copying";
  errno = 0;
  std::unique_ptr<engine::File> out = fs.open(temp, engine::OpenMode::Create);
  if (!out) return faultOf(errno);
  CopyFault fault = transfer(*in, *out);
  errno = 0;
  if (fault == CopyFault::None && !out->sync()) fault = faultOf(errno);
  out.reset();
  errno = 0;
  if (fault == CopyFault::None && !fs.rename(temp, target)) fault = faultOf(errno);
  if (fault != CopyFault::None) {
    fs.remove(temp);
    return fault;
  }
  return fs.syncDir(directoryOf(target)) ? CopyFault::None : CopyFault::Other;
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

// Whether `dir` may be used: not the working directory, and the tables not
// open in another program (then `hold` keeps them for the copy).
bool mayCopy(engine::Engine& engine, const std::string& dir, DataFilesHold& hold,
             const char* sameDirMessage, base::Dialogs& dialogs) {
  if (SameDirectory(dir, engine.directory())) {
    dialogs.information("", sameDirMessage);
    return false;
  }
  if (hold.busy().empty()) return true;
  TellInUse(dialogs, hold.busy());
  return false;
}

}  // namespace

bool CopyDataFile(engine::Engine& engine, bool toBackup, const std::string& dir,
                  const std::string& fileName, base::Dialogs& dialogs) {
  const CopyEnds ends = endsOf(engine, toBackup, dir, fileName);
  if (tellIfMissing(engine, ends, dialogs)) return false;
  for (;;) {
    const CopyFault fault = copyOnce(engine.fs(), ends.source, ends.target);
    if (fault == CopyFault::None) return true;
    if (!toBackup || fault == CopyFault::Other) return false;
    const std::string text = fault == CopyFault::DiskFull
                                 ? "Disk Full. Insert another disk." + fileName
                                 : std::string("Disk is Write Protected");
    if (!dialogs.warning("", text)) return false;
  }
}

bool CopyDataFiles(engine::Engine& engine, bool toBackup, const std::string& dir,
                   base::Dialogs& dialogs, base::Progress* progress) {
  if (!allSourcesThere(engine, toBackup, dir, dialogs)) return false;
  ProgressBox box(progress, "Copying Data Files");
  box.set(10);
  const std::vector<std::string>& files = BackupFiles();
  for (size_t i = 0; i < files.size(); ++i) {
    if (!CopyDataFile(engine, toBackup, dir, files[i], dialogs)) return false;
    box.set(kCopyProgress[i]);
  }
  return true;
}

bool BackupDataFiles(engine::Engine& engine, const std::string& dir, base::Dialogs& dialogs,
                     base::Progress* progress) {
  DataFilesHold hold(engine, copiedTables(), false);
  if (!mayCopy(engine, dir, hold, "Backup must be to a different drive and/or directory",
               dialogs)) {
    return false;
  }
  if (CopyDataFiles(engine, true, dir, dialogs, progress)) return true;
  dialogs.information("", "Backup Failed . . Check that disk is not write protected");
  return false;
}

bool RestoreDataFiles(engine::Engine& engine, const std::string& dir, base::Dialogs& dialogs,
                      base::Progress* progress, base::ProgramExit& exit) {
  bool copied = false;
  {
    DataFilesHold hold(engine, copiedTables(), false);
    if (!mayCopy(engine, dir, hold, "Restore must be from a different drive and/or directory",
                 dialogs)) {
      return false;
    }
    copied = CopyDataFiles(engine, false, dir, dialogs, progress);
    if (!copied) dialogs.information("", "Restore Failed . . Check that your disk is not full.");
  }
  RebuildIndexes(engine, false, progress, dialogs, exit);
  return copied;
}

}  // namespace vt::data
