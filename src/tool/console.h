// What the tool uses in place of windows: dialogs that print to stderr, a
// progress bar on the terminal, and checks of the directory argument.
#pragma once

#include <optional>
#include <string>

#include "base/dialogs.h"
#include "base/progress.h"
#include "data/data_session.h"
#include "data/pending_work.h"

namespace vt::tool {

// Prints every message to stderr. Nobody is there to answer: warnings and
// questions take `acceptByDefault`, text and file choices are cancelled.
class ConsoleDialogs : public base::Dialogs {
 public:
  explicit ConsoleDialogs(bool acceptByDefault = false) : accept_(acceptByDefault) {}

  void information(const std::string& caption, const std::string& text) override;
  bool warning(const std::string& caption, const std::string& text) override;
  bool question(const std::string& caption, const std::string& text) override;
  std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& defaultText) override;
  std::optional<std::string> openFile(const std::string& caption,
                                      const std::string& filter) override;
  std::optional<std::string> saveFile(const std::string& caption, const std::string& filter,
                                      const std::string& defaultName) override;
  std::optional<std::string> chooseDirectory(const std::string& caption,
                                             const std::string& acceptLabel,
                                             const std::string& startDir = "") override;

 private:
  bool answer(const std::string& caption, const std::string& text, const char* yes, const char* no);
  std::optional<std::string> cancelled(const std::string& caption, const std::string& text);
  bool accept_;
};

// "Rebuilding Indexes [##########          ]  50%" redrawn on stderr when it
// is a terminal; otherwise the caption alone, once, on a line of its own.
class TerminalProgress : public base::Progress {
 public:
  static constexpr int kWidth = 20;
  TerminalProgress();
  void show(bool visible, const std::string& caption) override;
  void set(int percent) override;

 private:
  void draw();
  bool visible_ = false;
  std::string caption_;
  int percent_ = -1;
  bool terminal_;
};

// Prints "<dir>: no such directory" (or "not a directory") to stderr and
// returns false when `dir` is not a directory.
bool requireDirectory(const std::string& dir);
// Settles what a stop left pending in `dir` (data::SettlePendingWork),
// printing what it could not do and what to do; false then. With
// `allTables`, also requires the nine tables' .dbf files, naming the missing
// ones.
bool settleDataDir(const std::string& dir, bool allTables,
                   data::MissingIndexes indexes = data::MissingIndexes::Rebuild);
// A directory whose pending work is settled and that holds the nine tables.
bool requireDataFiles(const std::string& dir);

// The session options of a command: a table another program holds is told
// as in use, with nothing changed.
data::SessionOptions toolSessionOptions(data::SessionOptions options = {});

}  // namespace vt::tool
