// The program's current printer: the system's default printer when one is
// installed, a PDF printer otherwise, so that printing and its page
// geometry work either way.
#pragma once

#include <QPrinter>
#include <QString>

namespace vt::ui {

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
