// Shared pieces of the interop tests: a scratch directory, running the
// independent readers' helper scripts, and the line format the scripts and
// the tests exchange records in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vt::interop {

inline constexpr char kPython[] = "/usr/bin/python3";
inline constexpr char kPerl[] = "/usr/bin/perl";

// A fresh directory under $TMPDIR (or /tmp), removed with everything in it.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

struct ToolRun {
  int exitCode = -1;  // -1 when the program could not run or was killed
  std::string out;
  std::string err;
};

// Runs argv[0] (an absolute path) with its arguments and collects both
// output streams.
ToolRun runTool(const std::vector<std::string>& argv);

// Absolute path of a helper script in this folder of the source tree, found
// through VT_SOURCE_DIR. Empty when that variable is not set.
std::string helperScript(const std::string& name);

// The entry of `dir` named `name` without regard to case; empty if none.
std::string findFile(const std::string& dir, const std::string& name);

std::string readWholeFile(const std::string& path);
bool writeWholeFile(const std::string& path, const std::string& bytes);

std::string toHex(const std::string& bytes);
std::optional<std::string> fromHex(const std::string& hex);

// One record as a reader sees it: the deletion flag and one cell per field,
// nullopt where the reader reports no value (blank number, date or logical).
// Text cells hold Windows-1252 bytes without trailing blanks; numbers are
// written with the field's decimals ("-12.50"), dates as yyyymmdd, logicals
// as "T" or "F", memos as their full text ("" when there is none).
using Cell = std::optional<std::string>;
struct Row {
  bool deleted = false;
  std::vector<Cell> cells;
  bool operator==(const Row&) const = default;
};

// Line format: the flag (0 or 1), then per cell a tab and either "-" or "="
// followed by the cell's bytes in hex.
std::string formatRows(const std::vector<Row>& rows);
// Returns false and sets *error on a line that does not follow the format.
bool parseRows(const std::string& text, std::vector<Row>* rows, std::string* error);

// Compares rows record by record and field by field (gtest expectations);
// long cells are reported by their first difference.
void expectSameRows(const std::vector<Row>& expected, const std::vector<Row>& actual,
                    const std::vector<std::string>& fieldNames, const std::string& reader);

// The rows with the live records first, then the deleted ones, each group
// in its original order (the order python3-dbfread reports them in).
std::vector<Row> liveThenDeleted(std::vector<Row> rows);

// Keys and record numbers in index order, as "hexkey\trecno" lines.
using KeyEntry = std::pair<std::string, uint32_t>;
bool parseKeyEntries(const std::string& text, std::vector<KeyEntry>* entries, std::string* error);
// Compares two walks entry by entry, reporting the first difference.
void expectSameEntries(const std::vector<KeyEntry>& expected, const std::vector<KeyEntry>& actual,
                       const std::string& what);

// Number of levels of an .ntx b-tree (1 = the root is a leaf), following the
// left-most child pointers from the root; -1 when the file is unreadable.
int ntxDepth(const std::string& path);

}  // namespace vt::interop
