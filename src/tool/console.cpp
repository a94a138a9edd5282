#include "tool/console.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iomanip>
#include <iostream>

#include "data/datafiles.h"
#include "data/pending_work.h"

namespace vt::tool {
namespace {

// Message boxes separate lines with CRLF; the terminal wants LF.
std::string terminalText(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

void print(const std::string& caption, const std::string& text) {
  if (!caption.empty()) std::cerr << caption << ": ";
  std::cerr << terminalText(text) << std::endl;
}

}  // namespace

void ConsoleDialogs::information(const std::string& caption, const std::string& text) {
  print(caption, text);
}

bool ConsoleDialogs::answer(const std::string& caption, const std::string& text, const char* yes,
                            const char* no) {
  print(caption, text + " [" + (accept_ ? yes : no) + "]");
  return accept_;
}

std::optional<std::string> ConsoleDialogs::cancelled(const std::string& caption,
                                                     const std::string& text) {
  print(caption, text + " [Cancel]");
  return std::nullopt;
}

bool ConsoleDialogs::warning(const std::string& caption, const std::string& text) {
  return answer(caption, text, "OK", "Cancel");
}

bool ConsoleDialogs::question(const std::string& caption, const std::string& text) {
  return answer(caption, text, "Yes", "No");
}

std::optional<std::string> ConsoleDialogs::inputBox(const std::string& caption,
                                                    const std::string& prompt,
                                                    const std::string& /*defaultText*/) {
  return cancelled(caption, prompt);
}

std::optional<std::string> ConsoleDialogs::openFile(const std::string& caption,
                                                    const std::string& /*filter*/) {
  return cancelled(caption, "choose a file to open");
}

std::optional<std::string> ConsoleDialogs::saveFile(const std::string& caption,
                                                    const std::string& /*filter*/,
                                                    const std::string& defaultName) {
  return cancelled(caption, "choose a file to save (" + defaultName + ")");
}

std::optional<std::string> ConsoleDialogs::chooseDirectory(const std::string& caption,
                                                           const std::string& /*acceptLabel*/,
                                                           const std::string& /*startDir*/) {
  return cancelled(caption, "choose a directory");
}

TerminalProgress::TerminalProgress() : terminal_(isatty(STDERR_FILENO) == 1) {}

// Into a log or a pipe: the step's caption on a line of its own, no bar.
void TerminalProgress::show(bool visible, const std::string& caption) {
  if (visible) {
    visible_ = true;
    caption_ = caption;
    percent_ = 0;
    if (terminal_) {
      draw();
    } else {
      std::cerr << caption_ << std::endl;
    }
  } else if (visible_) {
    visible_ = false;
    if (terminal_) std::cerr << std::endl;
  }
}

void TerminalProgress::set(int percent) {
  percent = std::clamp(percent, 0, 100);
  if (!visible_ || !terminal_ || percent == percent_) return;
  percent_ = percent;
  draw();
}

void TerminalProgress::draw() {
  const int filled = percent_ * kWidth / 100;
  std::cerr << '\r' << caption_ << " [" << std::string(filled, '#')
            << std::string(kWidth - filled, ' ') << "] " << std::setw(3) << percent_ << '%'
            << std::flush;
}

bool requireDirectory(const std::string& dir) {
  std::error_code error;
  if (std::filesystem::is_directory(dir, error)) return true;
  const bool exists = std::filesystem::exists(dir, error);
  std::cerr << dir << (exists ? ": not a directory" : ": no such directory") << std::endl;
  return false;
}

bool settleDataDir(const std::string& dir, bool allTables, data::MissingIndexes indexes) {
  const data::Settled settled = data::SettlePendingWork(engine::realFileSystem(), dir, indexes);
  if (!settled.note.empty()) print("", settled.note);
  for (const std::string& problem : settled.problems()) print("", problem);
  if (!settled.problems().empty()) return false;
  if (!allTables || settled.missing.empty()) return true;
  std::cerr << dir << ": the data files are not all there; missing:";
  for (const std::string& name : settled.missing) std::cerr << ' ' << name;
  std::cerr << std::endl;
  return false;
}

bool requireDataFiles(const std::string& dir) {
  return requireDirectory(dir) && settleDataDir(dir, true);
}

data::SessionOptions toolSessionOptions(data::SessionOptions options) {
  options.tellTablesInUse = true;
  return options;
}

}  // namespace vt::tool
