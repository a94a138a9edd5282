// The program's current printer: the system's default printer when one is
// installed, a PDF printer otherwise, so that printing and its page
// geometry work either way. Without a printer the page is the locale's
// paper: Letter in the United States and Canada, A4 elsewhere.
#pragma once

#include <QLocale>
#include <QPageSize>
#include <QPrinter>
#include <QString>

namespace vt::ui {

// The paper used where no printer says otherwise.
QPageSize LocalePageSize(const QLocale& locale = QLocale::system());

class PrinterState {
 public:
  PrinterState();
  PrinterState(const PrinterState&) = delete;
  PrinterState& operator=(const PrinterState&) = delete;

  // A real printer is installed.
  bool available() const;
  QPrinter& printer() { return printer_; }
  const QPrinter& printer() const { return printer_; }
  // "<printer name>-Landscape" or "<printer name>-Portrait"; empty when no
  // printer is installed.
  QString describe() const;

 private:
  QPrinter printer_;
};

}  // namespace vt::ui
