// Shared pieces of the data-layer tests: a scratch directory, a progress
// recorder, a way to see which files a step rewrote, and a few records.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/progress.h"
#include "engine/engine.h"

namespace vt::data::testing {

// A fresh directory under the system's temporary directory, removed with
// everything in it at the end of the test.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Every call, as "show Rebuilding Indexes", "set 25", "hide".
class RecordingProgress : public base::Progress {
 public:
  void show(bool visible, const std::string& caption) override;
  void set(int percent) override;
  std::vector<std::string> events;
};

// Makes a new data directory in `dir`; fails the test if it cannot.
void initDataDir(const std::string& dir);

// Sets every file of `dir` to an old modification time, so that a later
// step's writes show in rewrittenFiles().
void ageFiles(const std::string& dir);
// Names of the files of `dir` written since ageFiles().
std::vector<std::string> rewrittenFiles(const std::string& dir);
std::vector<std::string> fileNames(const std::string& dir);

std::string readFile(const std::string& path);
// Overwrites bytes of a file in place.
void patchFile(const std::string& path, uint64_t offset, const std::string& bytes);

struct Customer {
  int cuno;
  std::string last, first, zip, addr1;
  std::string comments = {};  // memo
  bool deleted = false;
};
// Appends customers to CUST5 (opened with its indexes) and closes it.
void addCustomers(const std::string& dir, const std::vector<Customer>& customers);

// A save of invoice 1 stopped after it changed customer 1's note to "torn":
// the journal stays beside the torn record. Customer 1 must be on file.
void leaveTornSave(const std::string& dir);

// File offset of field `field` of record `recno` in a .dbf.
uint64_t fieldOffset(const std::string& dbfPath, uint32_t recno, const std::string& field);

}  // namespace vt::data::testing
