// The dialog interface answered with Qt's dialogs: message boxes, the input
// box, file and directory choices, the font dialog and the printer setup.
// A file or folder chooser opens where the last one of its purpose (its
// caption) was left in this run, the first time in the user's documents
// folder, never among the data files.
#pragma once

#include <QHash>
#include <QString>

#include "base/dialogs.h"
#include "ui/printer_state.h"

class QWidget;

namespace vt::ui {

// The caption a dialog shows when it is given none.
inline constexpr const char* kProgramCaption = "Vantrell & Inventory";

// The user's documents folder, or the home folder when there is none.
QString DocumentsFolder();

class QtDialogs : public vt::base::Dialogs {
 public:
  QtDialogs(QWidget* parent, PrinterState& printers);

  void information(const std::string& caption, const std::string& text) override;
  bool warning(const std::string& caption, const std::string& text) override;
  bool question(const std::string& caption, const std::string& text) override;
  bool questionDefaultNo(const std::string& caption, const std::string& text) override;
  bool offer(const std::string& caption, const std::string& text,
             const std::string& acceptLabel) override;
  std::optional<std::string> passwordBox(const std::string& caption,
                                         const std::string& prompt) override;
  std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& defaultText) override;
  std::optional<std::string> openFile(const std::string& caption,
                                      const std::string& filter) override;
  std::optional<std::string> saveFile(const std::string& caption, const std::string& filter,
                                      const std::string& defaultName) override;
  std::optional<std::string> chooseDirectory(const std::string& caption,
                                             const std::string& acceptLabel,
                                             const std::string& startDir = "") override;
  std::optional<vt::base::FontSpec> chooseFont(const vt::base::FontSpec& start) override;
  bool printerSetup() override;

 private:
  // The folder a chooser captioned `caption` shows first.
  QString startFolder(const std::string& caption) const;
  void remember(const std::string& caption, const QString& folder);

  QWidget* parent_;
  PrinterState& printers_;
  QHash<QString, QString> lastFolders_;
};

}  // namespace vt::ui
