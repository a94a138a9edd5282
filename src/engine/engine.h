// The engine facade: one Engine per run, tables opened by base name from the
// engine's directory, their fields and index tags. Text is Windows-1252
// bytes throughout; the program converts at its edges.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dbf_file.h"
#include "io.h"
#include "status.h"

namespace vt::engine {

enum class Result : int { Success = 0, After = 2, Eof = 3, Bof = 4 };
enum class AccessMode : int { Shared = 0, DenyWrite = 1 };

class Engine;
class Table;
namespace ntx {
class PagePool;
}

struct TagSpec {
  std::string name;        // also the .ntx base name
  std::string expression;  // key expression
};

class Tag {
 public:
  const std::string& name() const { return name_; }
  const std::string& expression() const;
  size_t keyLength() const;

 private:
  friend class Table;
  friend class Engine;
  Tag(Table& t, std::string name, size_t slot) : table_(t), name_(std::move(name)), slot_(slot) {}
  Table& table_;
  std::string name_;
  size_t slot_;
};

class Field {
 public:
  const std::string& name() const { return desc_.name; }
  char type() const { return desc_.type; }
  int length() const { return desc_.length; }
  int decimals() const { return desc_.decimals; }

  // Full-width text as stored (blank-padded; numbers right-aligned).
  std::string str() const;
  long asLong() const;
  int asInt() const;
  double asDouble() const;
  bool isTrue() const;  // T t Y y
  std::string memo() const;

  // Text is padded with blanks or cut to the width (N right-aligned, L takes
  // its first character, D "yyyymmdd").
  void assign(std::string_view text);
  void assignLong(long value);
  void assignInt(int value);
  // Rounded to the field's decimals. A number too wide for the field is
  // refused with kErrOverflow: nothing of it is written, and the record's
  // next flush drops its changes and fails with kErrOverflow.
  void assignDouble(double value);
  void assignMemo(std::string_view text);

 private:
  friend class Table;
  friend class Engine;
  Field(Table& t, const FieldDesc& d) : table_(t), desc_(d) {}
  char* bytes() const;
  Table& table_;
  FieldDesc desc_;
};

class Table {
 public:
  ~Table();
  const std::string& name() const;  // base name as opened
  Engine& engine();

  uint32_t recCount();
  // The header's language driver byte: the code page of the text.
  uint8_t languageDriver() const;
  // Current record number; recCount()+1 when at end of file.
  uint32_t recNo() const;
  bool eof() const;
  bool bof() const;

  Result go(uint32_t recno);
  Result top();
  Result bottom();
  Result skip(long n = 1);
  // Seeks `key` in the selected tag (a shorter key matches as a prefix).
  Result seek(std::string_view key);
  // Position of the current record in the selected order, 0 to 1.
  double position();
  // Moves to the record nearest to a fraction of the selected order.
  Result positionTo(double fraction);

  // Appends a blank record and makes it current; 0 or a negative status.
  int appendBlank();
  void deleteRecord();
  bool deleted() const;
  void recall();
  // Writes the current record if a field was changed, keeping every open
  // index current.
  int flush();

  // The current record's bytes as stored: the deletion flag, then every
  // field. Empty (with the error set) at end of file or when it cannot be
  // read.
  std::string recordImage();
  // Makes the current record `image` (as recordImage gave it), written with
  // its keys at the next flush. 0 or a negative status.
  int assignImage(std::string_view image);

  // Keeps the table locked for reading across many operations (a report's
  // walk): until releaseReads, other users cannot write it, and the
  // operations in between neither lock nor look at the headers again. Every
  // index is brought up to date first. Writing while held fails with
  // kErrLocked. Nothing to do for a table opened deny-write. 0, or a
  // negative status when the lock or the headers cannot be had.
  int holdReads();
  void releaseReads();

  // Removes deleted records (and their memos' references stay valid), then
  // rebuilds the open indexes. Builds beside the old files and renames.
  int pack();
  // Rewrites the memo file with only the memos in use.
  int memoCompress();
  // Removes every record; indexes emptied.
  int zap();

  Tag* tag(std::string_view name);  // case-insensitive; nullptr if none
  void selectTag(Tag* tag);         // nullptr: physical order
  Tag* selectedTag() const;
  const std::vector<std::unique_ptr<Tag>>& tags() const;
  Field* field(std::string_view name);  // case-insensitive; nullptr if none
  const std::vector<std::unique_ptr<Field>>& fields() const;

  // Writes one .ntx per tag (built from the records) and the group file
  // `groupName`.cgp, then opens them. With safety on, fails with kErrExists
  // when a file is already there.
  int createIndexGroup(const std::string& groupName, const std::vector<TagSpec>& tags);

  void close();

  struct Impl;

 private:
  friend class Engine;
  friend class Field;
  friend class Tag;
  explicit Table(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

class Engine {
 public:
  // Tables are looked up in `directory`; fs defaults to the real file system.
  explicit Engine(std::string directory = ".", FileSystem* fs = nullptr);
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // Settings.
  bool autoOpen = true;  // opening a table opens its index group
  AccessMode accessMode = AccessMode::Shared;
  bool safety = true;     // index creation may not overwrite files
  bool readOnly = false;  // open tables for reading only

  // Last error (negative) or 0; replaces it with `newValue`.
  int errorCode(int newValue = 0);
  int lastError() const { return error_; }
  void setError(int status);
  // A failure in one file, named as found in the directory ("CZIP.ntx").
  void setError(int status, const std::string& file);
  // A failure described for a message: statusText(status), followed by the
  // file's name when the latest failure with that status was in one file,
  // "malformed index file (CZIP.ntx)". Still known after errorCode() cleared
  // the error.
  std::string errorText(int status) const;

  // Opens table `name` (base name, no extension, found without regard to
  // case). Returns nullptr with errorCode set on failure. The engine owns the
  // table until it is closed.
  Table* open(const std::string& name);
  // Creates a new table (and its .dbt when a field is a memo); does not open
  // it. With safety on, fails when the file exists.
  int create(const std::string& name, const std::vector<FieldDesc>& fields);
  void closeAll();
  const std::string& directory() const { return dir_; }
  FileSystem& fs() { return *fs_; }
  std::vector<Table*> openTables() const;
  // The memory every open index keeps its pages in: one budget for all of
  // them, taken as pages are read and given back as indexes close.
  ntx::PagePool& indexPages() { return *pages_; }

 private:
  friend class Table;
  void forget(Table* t);
  std::string dir_;
  FileSystem* fs_;
  int error_ = 0;
  int errorFileStatus_ = 0;  // the failure errorFile_ belongs to
  std::string errorFile_;
  std::unique_ptr<ntx::PagePool> pages_;  // outlives the tables' indexes
  std::vector<std::unique_ptr<Table>> tables_;
};

}  // namespace vt::engine
