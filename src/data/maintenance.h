// File maintenance on the data files as a whole: backup and restore (the
// table and memo files copied between the working directory and another
// one) and erasing all data. Each first takes the tables it works on
// deny-write, so that nothing changes while another program has them open.
#pragma once

#include <string>
#include <vector>

#include "base/dialogs.h"
#include "base/program_exit.h"
#include "base/progress.h"
#include "engine/engine.h"

namespace vt::data {

// The files backup and restore copy, in order. The settings table and the
// index files are not among them; a restore rebuilds the indexes.
const std::vector<std::string>& BackupFiles();

// The e-mail settings and the record of mail sent, kept beside the tables.
inline constexpr const char* kMailSettingsFile = "VTMAIL.INI";
inline constexpr const char* kSentMailLog = "VTMAIL.LOG";
// The files backup and restore copy when they are there, after BackupFiles.
// A restore takes the record of mail sent only where the data directory has
// none: messages sent after the backup stay on record.
const std::vector<std::string>& OptionalBackupFiles();

// A directory name as chosen: trimmed, without a trailing slash.
std::string CleanDirectoryName(const std::string& dir);
// Whether two directory names mean one directory: the same text once
// cleaned, or the same directory on disk however it is written (a trailing
// slash, "..", a symbolic link).
bool SameDirectory(const std::string& a, const std::string& b);

// Tables of the engine's directory held open deny-write for one piece of
// maintenance work, and given back (with the engine's settings) on
// release or destruction.
class DataFilesHold {
 public:
  DataFilesHold(engine::Engine& engine, const std::vector<std::string>& tables, bool withIndexes);
  ~DataFilesHold() { release(); }
  DataFilesHold(const DataFilesHold&) = delete;
  DataFilesHold& operator=(const DataFilesHold&) = delete;

  // The first table another program holds open; empty when none does.
  const std::string& busy() const { return busy_; }
  // The first table that could not be opened for another reason, and why.
  const std::string& failed() const { return failed_; }
  int failedStatus() const { return failedStatus_; }
  // The table of that position in the list; null when it is not open.
  engine::Table* table(size_t i) const { return held_[i]; }
  void close(size_t i);
  void release();

 private:
  engine::Engine& engine_;
  bool autoOpen_;
  engine::AccessMode mode_;
  std::vector<engine::Table*> held_;
  std::string busy_, failed_;
  int failedStatus_ = 0;
};

// Tells the user that another program has `table` open and nothing was done.
void TellInUse(base::Dialogs& dialogs, const std::string& table);
// Whether no other program has a table of the engine's directory open, so
// that rebuilding the indexes or packing may begin; false after telling the
// user which one is held.
bool DataFilesFree(engine::Engine& engine, base::Dialogs& dialogs);

// The whole backup to `dir` and restore from it, with the progress box
// "Copying Data Files": every file of BackupFiles is copied beside its
// target and synced, then all are swapped in as one unit (file_change.h), so
// a failure at any point leaves the target as it was, and is told. Refused
// for the working directory itself and while another program has the tables
// open. A restore removes the indexes of the old data with the same change
// and ends with every index rebuilt. True when every file was copied.
bool BackupDataFiles(engine::Engine& engine, const std::string& dir, base::Dialogs& dialogs,
                     base::Progress* progress);
bool RestoreDataFiles(engine::Engine& engine, const std::string& dir, base::Dialogs& dialogs,
                      base::Progress* progress, base::ProgramExit& exit);

// Empties every table but the label stocks and the settings after the
// user's OK to the warning, compressing the memo files. A table that cannot
// be opened ends the program through OpenFailed. True when all was erased.
bool EraseAll(engine::Engine& engine, base::Dialogs& dialogs, base::Progress* progress,
              base::ProgramExit& exit);

}  // namespace vt::data
