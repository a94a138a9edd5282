// Pieces of the data-directory check shared by its source files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/check.h"
#include "data/table_defs.h"
#include "engine/dbf_file.h"
#include "engine/io.h"

namespace vt::data::check_detail {

// Collects the problems of one file, listing at most kProblemsPerFile.
class FileProblems {
 public:
  FileProblems(CheckReport& report, std::string file);
  ~FileProblems();
  FileProblems(const FileProblems&) = delete;
  FileProblems& operator=(const FileProblems&) = delete;

  void add(std::string location, std::string message);
  const std::string& file() const { return file_; }
  size_t count() const { return count_; }

 private:
  CheckReport& report_;
  std::string file_;
  size_t count_ = 0;
};

std::string fileNameOf(const std::string& path);
std::string recordAt(uint32_t recno);
// A key or field text for messages: quoted UTF-8.
std::string quoted(std::string_view bytes1252);

// The records and memo references of a table.
void checkRecords(engine::FileSystem& fs, const std::string& dir, const TableDef& def,
                  engine::DbfFile& dbf, FileProblems& dbfProblems, CheckReport& report);

// One index file against its table.
void checkIndex(engine::FileSystem& fs, const std::string& path, const TagDef* def,
                engine::DbfFile& dbf, CheckReport& report);

// The index files of a table: those its group file lists, or the
// definitions' when there is no group file. Missing ones are reported.
void checkIndexes(engine::FileSystem& fs, const std::string& dir, const TableDef& def,
                  engine::DbfFile& dbf, CheckReport& report);

}  // namespace vt::data::check_detail
