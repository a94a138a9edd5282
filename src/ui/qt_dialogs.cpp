#include "ui/qt_dialogs.h"

#include <QFileDialog>
#include <QFont>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>

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

}  // namespace

QtDialogs::QtDialogs(QWidget* parent, PrinterState& printers)
    : parent_(parent), printers_(printers) {}

void QtDialogs::information(const std::string& caption, const std::string& text) {
  QMessageBox::information(parent_, captionOf(caption), qt(text), QMessageBox::Ok);
}

bool QtDialogs::warning(const std::string& caption, const std::string& text) {
  return QMessageBox::warning(parent_, captionOf(caption), qt(text),
                              QMessageBox::Ok | QMessageBox::Cancel,
                              QMessageBox::Cancel) == QMessageBox::Ok;
}

bool QtDialogs::question(const std::string& caption, const std::string& text) {
  return QMessageBox::question(parent_, captionOf(caption), qt(text),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::inputBox(const std::string& caption,
                                               const std::string& prompt,
                                               const std::string& defaultText) {
  bool ok = false;
  const QString text = QInputDialog::getText(parent_, captionOf(caption), qt(prompt),
                                             QLineEdit::Normal, qt(defaultText), &ok);
  if (!ok) return std::nullopt;
  return text.toStdString();
}

std::optional<std::string> QtDialogs::openFile(const std::string& caption,
                                               const std::string& filter) {
  return chosen(QFileDialog::getOpenFileName(parent_, captionOf(caption), {}, qt(filter)));
}

std::optional<std::string> QtDialogs::saveFile(const std::string& caption,
                                               const std::string& filter,
                                               const std::string& defaultName) {
  return chosen(
      QFileDialog::getSaveFileName(parent_, captionOf(caption), qt(defaultName), qt(filter)));
}

std::optional<std::string> QtDialogs::chooseDirectory(const std::string& caption,
                                                      const std::string& acceptLabel,
                                                      const std::string& startDir) {
  TDriveDir chooser(*this, parent_);
  chooser.setWindowTitle(captionOf(caption));
  if (!acceptLabel.empty()) chooser.setOkCaption(qt(acceptLabel));
  if (!startDir.empty()) chooser.setStartDir(qt(startDir));
  chooser.exec();
  return chosen(chooser.ChosenDir);
}

std::optional<vt::base::FontSpec> QtDialogs::chooseFont(const vt::base::FontSpec& start) {
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
