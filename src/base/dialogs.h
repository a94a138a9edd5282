// The questions any layer may put to the user: notices, warnings before
// destructive work, Yes/No questions, the input box, file or directory
// choices, the font dialog and the printer setup. The windowed program answers them with real
// dialogs; tests and the command-line tool supply their own answers. All text is UTF-8.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace vt::base {

enum class DialogKind {
  Information,  // notice or refusal, one OK button
  Warning,      // OK / Cancel before destructive work
  Question,     // Yes / No
  Input,        // one line of text with OK / Cancel
  OpenFile,
  SaveFile,
  Directory,
  Font,
  Printer,  // printer setup
};

const char* dialogKindName(DialogKind kind);

// A font as the font dialog offers it; sizes in points.
struct FontSpec {
  std::string family;
  int pointSize = 0;
  bool bold = false;
  bool italic = false;

  bool operator==(const FontSpec&) const = default;
};

// An empty caption stands for the program's title. File filters use the
// form "Text files (*.txt);;All files (*)".
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  virtual void information(const std::string& caption, const std::string& text) = 0;
  // True for OK, false for Cancel.
  virtual bool warning(const std::string& caption, const std::string& text) = 0;
  // True for Yes, false for No.
  virtual bool question(const std::string& caption, const std::string& text) = 0;
  // A Yes/No question whose safe answer is No ("Discard the changes?"), so
  // that Enter answers No. Answered as a question unless a front end sets
  // the default button.
  virtual bool questionDefaultNo(const std::string& caption, const std::string& text);
  // Another way to do what the user asked, offered with a button that reads
  // `acceptLabel` ("Save as PDF...") and Cancel; true when taken. Answered
  // as a warning (OK / Cancel) unless a front end labels the button.
  virtual bool offer(const std::string& caption, const std::string& text,
                     const std::string& acceptLabel);
  // The text entered, or nothing when cancelled.
  virtual std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                              const std::string& defaultText) = 0;
  // A password, typed without being shown; nothing when cancelled. Answered
  // as an input box unless a front end hides what is typed.
  virtual std::optional<std::string> passwordBox(const std::string& caption,
                                                 const std::string& prompt);
  virtual std::optional<std::string> openFile(const std::string& caption,
                                              const std::string& filter) = 0;
  virtual std::optional<std::string> saveFile(const std::string& caption, const std::string& filter,
                                              const std::string& defaultName) = 0;
  // A directory chosen in a window captioned `caption` whose accepting button
  // reads `acceptLabel` ("Backup", "Restore").
  // `startDir`, when not empty, is the folder shown first.
  virtual std::optional<std::string> chooseDirectory(const std::string& caption,
                                                     const std::string& acceptLabel,
                                                     const std::string& startDir = "") = 0;
  // The font chosen starting from `start`, or nothing when cancelled. A
  // front end without a font dialog (the command-line tool) cancels.
  virtual std::optional<FontSpec> chooseFont(const FontSpec& start);
  // The printer setup: choice of printer, paper and orientation. True when
  // accepted; a front end without one (the command-line tool) cancels.
  virtual bool printerSetup();
};

// Answers from a queue set up beforehand, and a record of everything shown.
// A dialog that needs an answer when none (or one of the wrong sort) is
// queued throws std::logic_error, so an unexpected question fails a test.
class ScriptedDialogs : public Dialogs {
 public:
  struct Shown {
    DialogKind kind;
    std::string caption;
    std::string text;  // message, prompt, filter
  };

  // The next warning or question answers OK/Yes (true) or Cancel/No.
  void queueChoice(bool accept);
  // The next input box or file or directory choice gives this text, or is
  // cancelled when it is empty.
  void queueText(std::optional<std::string> text);
  void queueCancel() { queueText(std::nullopt); }
  // The next font dialog gives this font, or is cancelled when it is empty.
  // The printer setup takes its answer from queueChoice.
  void queueFont(std::optional<FontSpec> font);

  const std::vector<Shown>& shown() const { return shown_; }
  size_t pendingAnswers() const { return answers_.size(); }
  void clear();

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
  // Recorded with the starting family as text.
  std::optional<FontSpec> chooseFont(const FontSpec& start) override;
  bool printerSetup() override;

 private:
  using Answer = std::variant<bool, std::optional<std::string>, std::optional<FontSpec>>;
  Answer next(DialogKind kind, const std::string& caption, const std::string& text);
  bool nextChoice(DialogKind kind, const std::string& caption, const std::string& text);
  std::optional<std::string> nextText(DialogKind kind, const std::string& caption,
                                      const std::string& text);

  std::deque<Answer> answers_;
  std::vector<Shown> shown_;
};

}  // namespace vt::base
