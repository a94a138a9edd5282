#include "base/dialogs.h"

#include <stdexcept>

namespace vt::base {

const char* dialogKindName(DialogKind kind) {
  switch (kind) {
    case DialogKind::Information:
      return "information";
    case DialogKind::Warning:
      return "warning";
    case DialogKind::Question:
      return "question";
    case DialogKind::Input:
      return "input";
    case DialogKind::OpenFile:
      return "open file";
    case DialogKind::SaveFile:
      return "save file";
    case DialogKind::Directory:
      return "directory";
    case DialogKind::Font:
      return "font";
    case DialogKind::Printer:
      return "printer setup";
  }
  return "dialog";
}

std::optional<std::string> Dialogs::passwordBox(const std::string& caption,
                                                const std::string& prompt) {
  return inputBox(caption, prompt, "");
}

bool Dialogs::offer(const std::string& caption, const std::string& text,
                    const std::string& /*acceptLabel*/) {
  return warning(caption, text);
}

bool Dialogs::questionDefaultNo(const std::string& caption, const std::string& text) {
  return question(caption, text);
}

std::optional<FontSpec> Dialogs::chooseFont(const FontSpec& /*start*/) {
  return std::nullopt;
}

bool Dialogs::printerSetup() {
  return false;
}

void ScriptedDialogs::queueChoice(bool accept) {
  answers_.emplace_back(accept);
}

void ScriptedDialogs::queueText(std::optional<std::string> text) {
  answers_.emplace_back(std::move(text));
}

void ScriptedDialogs::queueFont(std::optional<FontSpec> font) {
  answers_.emplace_back(std::move(font));
}

void ScriptedDialogs::clear() {
  answers_.clear();
  shown_.clear();
}

ScriptedDialogs::Answer ScriptedDialogs::next(DialogKind kind, const std::string& caption,
                                              const std::string& text) {
  shown_.push_back({kind, caption, text});
  if (answers_.empty()) {
    throw std::logic_error(std::string("no answer queued for the ") + dialogKindName(kind) + " \"" +
                           text + "\"");
  }
  Answer answer = std::move(answers_.front());
  answers_.pop_front();
  return answer;
}

bool ScriptedDialogs::nextChoice(DialogKind kind, const std::string& caption,
                                 const std::string& text) {
  Answer answer = next(kind, caption, text);
  if (const bool* choice = std::get_if<bool>(&answer)) return *choice;
  throw std::logic_error(std::string("another sort of answer was queued for the ") +
                         dialogKindName(kind) + " \"" + text + "\"");
}

std::optional<std::string> ScriptedDialogs::nextText(DialogKind kind, const std::string& caption,
                                                     const std::string& text) {
  Answer answer = next(kind, caption, text);
  if (auto* value = std::get_if<std::optional<std::string>>(&answer)) return *value;
  throw std::logic_error(std::string("another sort of answer was queued for the ") +
                         dialogKindName(kind) + " \"" + text + "\"");
}

void ScriptedDialogs::information(const std::string& caption, const std::string& text) {
  shown_.push_back({DialogKind::Information, caption, text});
}

bool ScriptedDialogs::warning(const std::string& caption, const std::string& text) {
  return nextChoice(DialogKind::Warning, caption, text);
}

bool ScriptedDialogs::question(const std::string& caption, const std::string& text) {
  return nextChoice(DialogKind::Question, caption, text);
}

std::optional<std::string> ScriptedDialogs::inputBox(const std::string& caption,
                                                     const std::string& prompt,
                                                     const std::string& /*defaultText*/) {
  return nextText(DialogKind::Input, caption, prompt);
}

std::optional<std::string> ScriptedDialogs::openFile(const std::string& caption,
                                                     const std::string& filter) {
  return nextText(DialogKind::OpenFile, caption, filter);
}

std::optional<std::string> ScriptedDialogs::saveFile(const std::string& caption,
                                                     const std::string& filter,
                                                     const std::string& /*defaultName*/) {
  return nextText(DialogKind::SaveFile, caption, filter);
}

std::optional<std::string> ScriptedDialogs::chooseDirectory(const std::string& caption,
                                                            const std::string& acceptLabel,
                                                            const std::string&) {
  return nextText(DialogKind::Directory, caption, acceptLabel);
}

std::optional<FontSpec> ScriptedDialogs::chooseFont(const FontSpec& start) {
  Answer answer = next(DialogKind::Font, "", start.family);
  if (auto* font = std::get_if<std::optional<FontSpec>>(&answer)) return *font;
  throw std::logic_error("another sort of answer was queued for the font dialog");
}

bool ScriptedDialogs::printerSetup() {
  return nextChoice(DialogKind::Printer, "", "");
}

}  // namespace vt::base
