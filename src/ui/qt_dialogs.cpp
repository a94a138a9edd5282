#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>

#include "ui/tdrivedir.h"

namespace vt::ui {

namespace {

QString qt(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

QString captionOf(const std::string& caption) {
  return caption.empty() ? QString::fromUtf8(kProgramCaption) : qt(caption);
}

std::optional<std::string> chosen(const QString& text) {
  if (text.isEmpty()) return std::nullopt;
  return text.toStdString();
}

// The arrow while a box waits for the user, even when the work that asks
// holds the hourglass; the hourglass comes back when the box is answered.
class NormalCursor {
 public:
  NormalCursor() : overridden_(QApplication::overrideCursor() != nullptr) {
    if (overridden_) QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~NormalCursor() {
    if (overridden_) QApplication::restoreOverrideCursor();
  }
  NormalCursor(const NormalCursor&) = delete;
  NormalCursor& operator=(const NormalCursor&) = delete;

 private:
  bool overridden_;
};

}  // namespace

QString DocumentsFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
  return QDir::homePath();
}

QtDialogs::QtDialogs(QWidget* parent, PrinterState& printers)
    : parent_(parent), printers_(printers) {}

QString QtDialogs::startFolder(const std::string& caption) const {
  const QString last = lastFolders_.value(captionOf(caption));
  return !last.isEmpty() && QFileInfo(last).isDir() ? last : DocumentsFolder();
}

void QtDialogs::remember(const std::string& caption, const QString& folder) {
  lastFolders_.insert(captionOf(caption), folder);
}

void QtDialogs::information(const std::string& caption, const std::string& text) {
  const NormalCursor cursor;
  QMessageBox::information(parent_, captionOf(caption), qt(text), QMessageBox::Ok);
}

bool QtDialogs::warning(const std::string& caption, const std::string& text) {
  const NormalCursor cursor;
  return QMessageBox::warning(parent_, captionOf(caption), qt(text),
                              QMessageBox::Ok | QMessageBox::Cancel,
                              QMessageBox::Cancel) == QMessageBox::Ok;
}

bool QtDialogs::question(const std::string& caption, const std::string& text) {
  const NormalCursor cursor;
  return QMessageBox::question(parent_, captionOf(caption), qt(text),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool QtDialogs::questionDefaultNo(const std::string& caption, const std::string& text) {
  const NormalCursor cursor;
  return QMessageBox::question(parent_, captionOf(caption), qt(text),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

bool QtDialogs::offer(const std::string& caption, const std::string& text,
                      const std::string& acceptLabel) {
  const NormalCursor cursor;
  QMessageBox box(QMessageBox::Question, captionOf(caption), qt(text), QMessageBox::Cancel,
                  parent_);
  QPushButton* take = box.addButton(qt(acceptLabel), QMessageBox::AcceptRole);
  box.setDefaultButton(take);
  box.exec();
  return box.clickedButton() == take;
}

std::optional<std::string> QtDialogs::inputBox(const std::string& caption,
                                               const std::string& prompt,
                                               const std::string& defaultText) {
  const NormalCursor cursor;
  bool ok = false;
  const QString text = QInputDialog::getText(parent_, captionOf(caption), qt(prompt),
                                             QLineEdit::Normal, qt(defaultText), &ok);
  if (!ok) return std::nullopt;
  return text.toStdString();
}

std::optional<std::string> QtDialogs::passwordBox(const std::string& caption,
                                                  const std::string& prompt) {
  const NormalCursor cursor;
  bool ok = false;
  const QString text = QInputDialog::getText(parent_, captionOf(caption), qt(prompt),
                                             QLineEdit::Password, QString(), &ok);
  if (!ok) return std::nullopt;
  return text.toStdString();
}

std::optional<std::string> QtDialogs::openFile(const std::string& caption,
                                               const std::string& filter) {
  const NormalCursor cursor;
  const QString file =
      QFileDialog::getOpenFileName(parent_, captionOf(caption), startFolder(caption), qt(filter));
  if (!file.isEmpty()) remember(caption, QFileInfo(file).absolutePath());
  return chosen(file);
}

std::optional<std::string> QtDialogs::saveFile(const std::string& caption,
                                               const std::string& filter,
                                               const std::string& defaultName) {
  const NormalCursor cursor;
  // The filter's extension is added to a name typed without one before the
  // dialog asks about replacing an existing file, so that question is never
  // skipped.
  QFileDialog dialog(parent_, captionOf(caption), startFolder(caption), qt(filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  const QRegularExpressionMatch extension =
      QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(qt(filter));
  if (extension.hasMatch()) dialog.setDefaultSuffix(extension.captured(1));
  if (!defaultName.empty()) dialog.selectFile(qt(defaultName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString file = dialog.selectedFiles().front();
  if (!file.isEmpty()) remember(caption, QFileInfo(file).absolutePath());
  return chosen(file);
}

std::optional<std::string> QtDialogs::chooseDirectory(const std::string& caption,
                                                      const std::string& acceptLabel,
                                                      const std::string& startDir) {
  const NormalCursor cursor;
  TDriveDir chooser(*this, parent_);
  chooser.setWindowTitle(captionOf(caption));
  if (!acceptLabel.empty()) chooser.setOkCaption(qt(acceptLabel));
  chooser.setStartDir(startDir.empty() ? startFolder(caption) : qt(startDir));
  chooser.exec();
  if (!chooser.ChosenDir.isEmpty()) remember(caption, chooser.ChosenDir);
  return chosen(chooser.ChosenDir);
}

std::optional<vt::base::FontSpec> QtDialogs::chooseFont(const vt::base::FontSpec& start) {
  const NormalCursor cursor;
  QFont initial(qt(start.family));
  if (start.pointSize > 0) initial.setPointSize(start.pointSize);
  initial.setBold(start.bold);
  initial.setItalic(start.italic);
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, initial, parent_, QStringLiteral("Font"));
  if (!ok) return std::nullopt;
  return vt::base::FontSpec{font.family().toStdString(), font.pointSize(), font.bold(),
                            font.italic()};
}

// With a printer installed: the print setup of printer, paper and
// orientation. Without one: the page setup of the PDF output.
bool QtDialogs::printerSetup() {
  const NormalCursor cursor;
  QPrinter& printer = printers_.printer();
  if (printers_.available()) {
    QPrintDialog dialog(&printer, parent_);
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    return dialog.exec() == QDialog::Accepted;
  }
  QPageSetupDialog dialog(&printer, parent_);
  dialog.setWindowTitle(QStringLiteral("Page Setup"));
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace vt::ui
